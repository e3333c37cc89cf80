// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A compound of a teacher's set read as a structure and named: what the
// teacher left empty is filled with the program's own name and explanation,
// what the teacher wrote is kept, and a name that is not the compound's is
// told. Toolkit-free.

#include "content/sets/CompoundSet.h"

#include <string>
#include <string_view>
#include <vector>

namespace content {

struct SetNaming {
    std::string canonical; // one string for the compound however written; empty when unread
    std::vector<SetProblem> problems;
};

// `formulaText` is the formula as read, a "≡" lost in saving put back.
SetNaming nameSetCompound(Compound& compound, std::string_view formulaText);

// Greek letters without accents or diaeresis, in small letters, runs of
// spaces made one: text compared as a reader who does not look at the
// accents sees it.
std::u32string withoutAccents(std::string_view utf8);

} // namespace content
