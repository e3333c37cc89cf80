// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon appIcon() {
    // Qt's SVG icon engine draws the picture only at the sizes the window
    // system asks for, when it asks; drawing every size up front is the
    // fallback where that engine is not installed.
    const QString path = QStringLiteral(":/icons/onomatologia.svg");
    if (const QIcon scalable(path); !scalable.pixmap(16).isNull())
        return scalable;
    QIcon icon;
    QSvgRenderer renderer(path);
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        renderer.render(&p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
