// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/rules/BoardFocus.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace board {

namespace {

constexpr int NameColumn = 3;

// The frame's columns are the board's own, ⌈N/3⌉, ⌈(N−1)/3⌉ and ⌊N/3⌋ formulas.
int columnOfFormula(const Board& b, int formula) {
    const std::array<int, 4> start = columnStarts(b.formulaCount());
    return formula < start[1] ? 0 : formula < start[2] ? 1 : 2;
}

int columnOf(const Board& b, FocusItem item) {
    return item.kind == FocusItem::NameRow ? NameColumn : columnOfFormula(b, item.index);
}

std::vector<FocusItem> itemsOfColumn(const Board& b, int column) {
    std::vector<FocusItem> out;
    if (column == NameColumn) {
        for (int16_t row = 0; row < b.nameCount(); ++row)
            out.push_back({FocusItem::NameRow, row});
        return out;
    }
    const std::array<int, 4> start = columnStarts(b.formulaCount());
    for (int f = start[size_t(column)]; f < start[size_t(column) + 1]; ++f) {
        out.push_back({FocusItem::Formula, int16_t(f)});
        if (b.Slots()[size_t(f)].Placed != NoCard)
            out.push_back({FocusItem::PlacedCard, int16_t(f)});
    }
    return out;
}

float middleOf(const TwipRect& r) {
    return r.Top + r.Height / 2;
}

} // namespace

int16_t nameAtRow(const Board& b, int16_t row) {
    for (int16_t name = 0; name < b.nameCount(); ++name)
        if (b.HomeRow()[size_t(name)] == row)
            return name;
    return NoCard;
}

int16_t cardOf(const Board& b, FocusItem item) {
    switch (item.kind) {
    case FocusItem::NameRow: {
        const int16_t name = nameAtRow(b, item.index);
        return name == NoCard ? NoCard : b.frontCardAtHome(name);
    }
    case FocusItem::PlacedCard:
        return b.Slots()[item.index].Placed;
    case FocusItem::Formula:
        break;
    }
    return NoCard;
}

TwipRect rectOf(const Board& b, FocusItem item) {
    switch (item.kind) {
    case FocusItem::NameRow:
        // An empty row keeps its place.
        return b.homeRect(item.index);
    case FocusItem::Formula:
        return b.ImgSyntactic()[item.index];
    case FocusItem::PlacedCard: {
        const int16_t card = b.Slots()[item.index].Placed;
        return card == NoCard ? TwipRect{} : b.ImgName()[card];
    }
    }
    return {};
}

bool exists(const Board& b, FocusItem item) {
    if (item.index < 0 ||
        item.index >= (item.kind == FocusItem::NameRow ? b.nameCount() : b.formulaCount()))
        return false;
    return item.kind != FocusItem::PlacedCard || b.Slots()[item.index].Placed != NoCard;
}

Zone zoneOf(FocusItem item) {
    return item.kind == FocusItem::NameRow ? Zone::Column : Zone::Formulas;
}

std::vector<FocusItem> itemsOf(const Board& b, Zone zone) {
    if (zone == Zone::Column)
        return itemsOfColumn(b, NameColumn);
    std::vector<FocusItem> out;
    for (int column = 0; column < NameColumn; ++column) {
        const std::vector<FocusItem> part = itemsOfColumn(b, column);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<FocusItem> allItems(const Board& b) {
    std::vector<FocusItem> out = itemsOf(b, Zone::Column);
    const std::vector<FocusItem> formulas = itemsOf(b, Zone::Formulas);
    out.insert(out.end(), formulas.begin(), formulas.end());
    return out;
}

FocusItem step(const Board& b, FocusItem from, Step how) {
    if (!exists(b, from))
        from = {FocusItem::Formula, from.index};
    if (how == Step::First || how == Step::Last) {
        const std::vector<FocusItem> zone = itemsOf(b, zoneOf(from));
        return how == Step::First ? zone.front() : zone.back();
    }
    const int column = columnOf(b, from);
    if (how == Step::Up || how == Step::Down) {
        const std::vector<FocusItem> items = itemsOfColumn(b, column);
        const auto it = std::find(items.begin(), items.end(), from);
        const auto at = it - items.begin();
        if (how == Step::Up)
            return at > 0 ? items[size_t(at - 1)] : from;
        return at + 1 < std::ssize(items) ? items[size_t(at + 1)] : from;
    }
    // A column with no formula (a set of two has none in the third) is passed.
    int target = column + (how == Step::Left ? -1 : 1);
    while (target >= 0 && target < NameColumn && itemsOfColumn(b, target).empty())
        target += how == Step::Left ? -1 : 1;
    if (target < 0 || target > NameColumn)
        return from;
    // Across columns the formulas themselves are the landmarks, not the cards
    // under them.
    const float y = middleOf(rectOf(b, from));
    FocusItem best = from;
    float bestDistance = std::numeric_limits<float>::max();
    for (const FocusItem item : itemsOfColumn(b, target)) {
        if (item.kind == FocusItem::PlacedCard)
            continue;
        const float d = std::abs(middleOf(rectOf(b, item)) - y);
        if (d < bestDistance) {
            bestDistance = d;
            best = item;
        }
    }
    return best;
}

} // namespace board
