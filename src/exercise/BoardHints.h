// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the board says of its own use: the hints a name card gives under the
// pointer, and the keys the board answers to.

#include <QString>

namespace boardHints {

// A card's hint once the pointer has moved over it: placed under a formula,
// or in the column.
QString placedToolTip();
QString columnToolTip();
// Every key of the board in one sentence, without a full stop like the cards' hints: for a screen
// reader, the board's description; for a sighted student, a hint at the first key that shows where
// the keyboard stands.
QString keyboardHelp();

} // namespace boardHints
