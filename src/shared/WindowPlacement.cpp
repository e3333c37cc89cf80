// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/WindowPlacement.h"

#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

void centreOnScreen(QWidget& window, const QRect& area, QMargins assumedFrame) {
    // The native window is made first so that the window system can tell its
    // frame; one that adds the frame only after mapping reports none yet.
    if (!window.windowHandle())
        window.winId();
    QMargins frame = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
    if (frame.isNull())
        frame = assumedFrame;
    const QSize outer = window.size().grownBy(frame);
    const double left = area.x() + std::max(0.0, (area.width() - outer.width()) / 2.0);
    const double top = area.y() + std::max(0.0, (area.height() - outer.height()) / 2.0);
    // Placed by its client area: how a hidden window's move() counts the
    // frame differs between platforms.
    const QPoint client(int(std::lround(left)) + frame.left(), int(std::lround(top)) + frame.top());
    window.setGeometry(QRect(client, window.size()));
}
