// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the keyboard can stand on the board, toolkit-free: the twenty rows of
// the column of names (top to bottom) and the formulas column by column, each
// formula followed by the card that lies under it, if any. A screen reader
// walks the same items in the same order.

#include "exercise/rules/Board.h"

#include <cstdint>
#include <vector>

namespace board {

struct FocusItem {
    // NameRow: a row of the column (0 top), standing for the front card of the
    // name whose home is that row. Formula: a formula picture. PlacedCard: the
    // card recorded in that formula's slot.
    enum Kind : uint8_t { NameRow, Formula, PlacedCard };
    Kind kind = NameRow;
    int16_t index = 0;
    bool operator==(const FocusItem&) const = default;
};

enum class Zone : uint8_t { Column, Formulas };

// Which name has its home at `row`.
int16_t nameAtRow(const Board& b, int16_t row);
// The card the item shows: the front copy at home for a row (NoCard when every
// copy of the name lies on the board), the placed card for a placed card, and
// NoCard for a formula.
int16_t cardOf(const Board& b, FocusItem item);
// Where the item is drawn; an empty row still has its home rectangle.
TwipRect rectOf(const Board& b, FocusItem item);
// Whether the item is there at all (a placed card goes when taken back).
bool exists(const Board& b, FocusItem item);

Zone zoneOf(FocusItem item);
// The items of a zone in reading order.
std::vector<FocusItem> itemsOf(const Board& b, Zone zone);
// Every item: the column, then the formulas.
std::vector<FocusItem> allItems(const Board& b);

enum class Step : uint8_t { Up, Down, Left, Right, First, Last };
// The item an arrow key leads to. Up and Down stay within the column of names or
// within one column of formulas; Left and Right cross to the neighbouring
// column at the nearest height (the names lie right of the third column).
FocusItem step(const Board& b, FocusItem from, Step how);

} // namespace board
