// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A condensed structural formula as a teacher writes it, read into what the
// card draws. The notation is written the way the card looks:
//   - the main row left to right, element symbols and their counts
//     ("CH3CH2CH3"); every digit is a subscript; spaces are ignored;
//   - "-" a single bond drawn as a bar, "=" a double bond, "≡" (or "#") a
//     triple bond; groups written side by side are joined with no drawn bond;
//   - the row splits into groups: a new one at each C, and at any symbol other
//     than H that follows a digit; a bond or a parenthesis ends a group
//     ("CH3CH2CH2NH2": CH3, CH2, CH2, NH2; "CH3COOCH3": CH3, COO, CH3);
//   - a branch in parentheses right after a carbon group (C, CH, CH2, CH3) or
//     a nitrogen (N, NH): the first hangs below that atom, a second above it
//     ("CH3C(CH3)(CH3)CH3", "CH3N(CH3)CH3");
//     a branch is one run of symbols and digits.
// Every atom of the compound the formula stands for must then have its usual
// number of bonds (chemistry/structure reads it). Toolkit-free: the
// drawing and the fitting to a card are later stages.

#include "content/notation/NotationText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// A bond between two groups of the main row that is drawn rather than implied.
enum class Bond {
    Bar,    // a single bond drawn as one short horizontal bar
    Double, // the "=" character
    Triple, // three stacked horizontal bars
};

// One item of the main row: a group of symbols ("CH3", "COOH"; digits are
// subscripts) or a drawn bond.
struct RowItem {
    std::string text; // the group; empty for a bond
    Bond bond = Bond::Bar;
    bool isBond = false;
    int column = 0; // where it was written, from 1
    // Two items are the same whatever column they were written in.
    bool operator==(const RowItem& o) const {
        return text == o.text && bond == o.bond && isBond == o.isBond;
    }
};

// A group written below (or, the second on one atom, above) the `atom`-th
// atom symbol (counted from 1, hydrogens apart) of the main row, joined to it
// by a vertical bond.
struct Branch {
    int atom = 0;
    std::string group;
    bool above = false;
    int column = 0;
    bool operator==(const Branch& o) const {
        return atom == o.atom && group == o.group && above == o.above;
    }
};

struct FormulaDescription {
    std::vector<RowItem> mainRow;
    std::vector<Branch> branches; // as written, left to right

    bool hasBranchRow() const; // something hangs below the main row
    bool hasRowAbove() const;  // something stands above it
    int rows() const { return 1 + (hasBranchRow() ? 1 : 0) + (hasRowAbove() ? 1 : 0); }
    bool operator==(const FormulaDescription&) const = default;
};

struct FormulaParse {
    FormulaDescription formula; // whole only when `problems` is empty
    std::vector<NotationProblem> problems;
    bool ok() const { return problems.empty(); }
};

// Reads `utf8`; every problem found comes back with its column and what to
// write instead. Never throws.
FormulaParse parseFormula(std::string_view utf8);

// Only what the card draws, no compound read nor its bonds counted: for
// texts known to be formulas, such as the built-in ones (tested so), whose
// compounds are read only when a later stage asks for them.
FormulaParse parseDrawing(std::string_view utf8);

// The formula written back in the notation, bonds as "-", "=" and "≡": what
// reads back as the same description.
std::string writeNotation(const FormulaDescription& formula);

// The element symbols school organic chemistry writes.
bool isAcceptedElement(std::string_view symbol);

// Whether text[i] is a carbon symbol: a "C" that does not begin a two-letter
// symbol such as "Cl".
bool isCarbonSymbol(std::string_view text, std::size_t i);

// How many carbon symbols a group holds.
int carbonCount(std::string_view group);

// Whether text[i] begins the symbol of an atom other than hydrogen.
bool isAtomSymbol(std::string_view text, std::size_t i);

// How many atoms other than hydrogen a group holds ("CH2Cl" 2).
int atomCount(std::string_view group);

// Whether a group is one carbon with its hydrogens: "C", "CH", "CH2", "CH3"...
bool isCarbonGroup(std::string_view group);

// Whether `c` is drawn as a subscript.
constexpr bool isSubscript(char c) {
    return c >= '0' && c <= '9';
}

} // namespace content
