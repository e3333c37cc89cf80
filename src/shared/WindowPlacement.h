// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a top-level window of the program first appears.

#include <QMargins>
#include <QRect>

class QWidget;

// Moves `window` so that its outer rectangle, the window system's frame
// included, is centred on `area`, and never above or left of it: a window
// larger than the area keeps its title bar reachable. Where the platform
// cannot tell the frame before the window is mapped, `assumedFrame` stands in
// for it.
void centreOnScreen(QWidget& window, const QRect& area, QMargins assumedFrame = {});
