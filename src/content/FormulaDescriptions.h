// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The twenty condensed structural formulas as data: the main row as a sequence
// of groups and drawn bonds, and the branches written under the n-th carbon of
// the main row. Toolkit-free, so that both the drawing code and plain C++
// checks read the same table. Adding a formula is one more entry.

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace content {

// A bond between two groups of the main row that is drawn rather than implied.
enum class Bond {
    Bar,    // a single bond drawn as one short horizontal bar
    Double, // the "=" character
    Triple, // three stacked horizontal bars
};

// One item of the main row: either a group of symbols ("CH3", "COOH"; digits
// are subscripts) or a drawn bond.
struct RowItem {
    constexpr RowItem(const char* group) : text(group) {}
    constexpr RowItem(Bond drawn) : bond(drawn), isBond(true) {}

    std::string_view text;
    Bond bond = Bond::Bar;
    bool isBond = false;
};

// A group written below the `carbon`-th carbon symbol (counted from 1) of the
// main row and joined to it by a vertical bond.
struct Branch {
    int carbon;
    std::string_view group;
};

struct FormulaDescription {
    std::vector<RowItem> mainRow;
    std::vector<Branch> branches; // from left to right

    bool hasBranchRow() const { return !branches.empty(); }
};

// All formula cards, in slot order.
const std::vector<FormulaDescription>& formulaDescriptions();

// Whether text[i] is a carbon symbol: a "C" that does not begin a two-letter
// symbol such as "Cl".
bool isCarbonSymbol(std::string_view text, std::size_t i);

// How many carbon symbols a group holds.
int carbonCount(std::string_view group);

// Whether `c` is drawn as a subscript.
constexpr bool isSubscript(char c) {
    return c >= '0' && c <= '9';
}

} // namespace content
