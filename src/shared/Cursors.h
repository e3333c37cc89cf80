// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two pointers of the exercise, drawn as vector shapes so that they stay
// crisp at any device pixel ratio: a pointing hand over the name cards (hot spot
// at the fingertip, 12, 1) and the drop icon shown while a card is dragged.

#include <QCursor>
#include <QPixmap>

namespace cursors {

// 32 x 32 logical pixels at the given ratio.
QPixmap pointingHandPixmap(qreal dpr);
QPixmap dropIconPixmap(qreal dpr);

QCursor pointingHand();
QCursor dropIcon();

} // namespace cursors
