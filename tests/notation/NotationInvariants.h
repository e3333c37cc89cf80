// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What must hold of the formula reader's answer to any text at all, checked
// by the randomized test and by the fuzz target alike. Toolkit-free.

#include "content/notation/FormulaNotation.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace notation_invariants {

// Empty when the answer is sound; else what is wrong with it.
inline std::string violation(std::string_view text, const content::FormulaParse& parsed) {
    using namespace content;
    // A column counts code points, and a byte that begins none counts one:
    // never more columns than bytes (an empty text's problem stands at 1).
    const int last = std::max(1, int(text.size()));
    for (const NotationProblem& p : parsed.problems) {
        if (p.message.empty())
            return "a problem without words";
        if (p.column < 1 || p.column > last)
            return "column " + std::to_string(p.column) + " outside the text";
    }
    if (!parsed.ok())
        return {};
    const FormulaDescription& f = parsed.formula;
    if (f.mainRow.empty() || f.mainRow.front().isBond || f.mainRow.back().isBond)
        return "an accepted formula that is empty or begins or ends with a bond";
    int carbons = 0;
    for (std::size_t i = 0; i < f.mainRow.size(); ++i) {
        const RowItem& item = f.mainRow[i];
        if (item.isBond && i > 0 && f.mainRow[i - 1].isBond)
            return "two bonds in a row accepted";
        if (!item.isBond && item.text.empty())
            return "an empty group";
        carbons += item.isBond ? 0 : carbonCount(item.text);
    }
    for (std::size_t i = 0; i < f.branches.size(); ++i) {
        const Branch& b = f.branches[i];
        if (b.carbon < 1 || b.carbon > carbons || b.group.empty())
            return "a branch on no carbon of the row";
        int before = 0, same = 0;
        for (std::size_t j = 0; j < f.branches.size(); ++j) {
            before += j < i && f.branches[j].carbon == b.carbon ? 1 : 0;
            same += f.branches[j].carbon == b.carbon ? 1 : 0;
        }
        if (same > 2 || b.above != (before == 1))
            return "branches on one carbon not one below, one above";
    }
    // What the reader accepts it can write back, and reads back the same.
    const std::string written = writeNotation(f);
    const FormulaParse again = parseFormula(written);
    if (!again.ok() || !(again.formula == f))
        return "written back as \"" + written + "\" it reads otherwise";
    return {};
}

} // namespace notation_invariants
