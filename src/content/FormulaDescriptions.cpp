// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/FormulaDescriptions.h"

namespace content {

namespace {
constexpr Bond Bar = Bond::Bar;
constexpr Bond Double = Bond::Double;
constexpr Bond Triple = Bond::Triple;
} // namespace

const std::vector<FormulaDescription>& formulaDescriptions() {
    static const std::vector<FormulaDescription> formulas = {
        /* 0 */ {{"CH3", "CH2", "CH3"}, {}},
        /* 1 */ {{"CH3", "CH2", "CH", "CH3"}, {{3, "CH3"}}},
        /* 2 */ {{"CH3", "CH2", "CH", "CH2", "CH", "CH3"}, {{3, "CH3"}, {5, "CH3"}}},
        /* 3 */ {{"CH3", "CH", Double, "CH", "CH3"}, {}},
        /* 4 */ {{"CH3", "CH2", "CH2", "C", Triple, "CH"}, {}},
        /* 5 */ {{"CH2", Double, "CH", "CH", Double, "CH2"}, {}},
        /* 6 */ {{"CH3", "CH2", "CH2", "I"}, {}},
        /* 7 */ {{"CH3", "CH", "CH2", "CH3"}, {{2, "Cl"}}},
        /* 8 */
        {{"CH3", "C", Double, "C", Bar, "CH2", "CH", Double, "CH2"}, {{2, "CH3"}, {3, "Cl"}}},
        /* 9 */ {{"CH3", Bar, "O", Bar, "CH2", "CH3"}, {}},
        /* 10 */ {{"CH2", Double, "C", Bar, "CH2", "CH", "CH3"}, {{2, "CH3"}, {4, "OH"}}},
        /* 11 */ {{"CH3", "CHO"}, {}},
        /* 12 */ {{"CH3", "CH2", "CO", "CH2", "CH3"}, {}},
        /* 13 */ {{"CH3", "CH2", "CH", "CO", "CH3"}, {{3, "CH3"}}},
        /* 14 */ {{"CH3", "CH2", "COOH"}, {}},
        /* 15 */ {{"CH", Triple, "C", "CH2", "COOH"}, {}},
        /* 16 */ {{"CH3", "CH", "COOH"}, {{2, "OH"}}},
        /* 17 */ {{"CH3", "CO", "COOH"}, {}},
        /* 18 */ {{"CH3", "COO", "CH3"}, {}},
        /* 19 */ {{"CH3", "CH2", "CH2", "NH2"}, {}},
    };
    return formulas;
}

bool isCarbonSymbol(std::string_view text, std::size_t i) {
    if (i >= text.size() || text[i] != 'C')
        return false;
    const bool followedByLowercase =
        i + 1 < text.size() && text[i + 1] >= 'a' && text[i + 1] <= 'z';
    return !followedByLowercase;
}

int carbonCount(std::string_view group) {
    int n = 0;
    for (std::size_t i = 0; i < group.size(); ++i)
        n += isCarbonSymbol(group, i) ? 1 : 0;
    return n;
}

} // namespace content
