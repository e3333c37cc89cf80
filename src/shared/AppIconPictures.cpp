// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/AppIcon.h"

// The Windows build carries the icon drawn beforehand at every size, since it
// ships no SVG renderer.
QIcon appIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/onomatologia-%1.png").arg(side), QSize(side, side));
    return icon;
}
