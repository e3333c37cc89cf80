// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chapters a practice draws from, as a student or teacher names them on
// the command line: Greek words separated by commas, read whatever their
// case, accents or final sigma.

#include <string>
#include <string_view>
#include <vector>

namespace chemistry::practice {

enum class CompoundClass {
    Alkanes,
    Alkenes,
    Alkadienes,
    Alkynes,
    Haloalkanes,
    Alcohols,
    Ethers,
    Aldehydes,
    Ketones,
    Acids,
    Esters,
    Amines,
    Nitriles,
};

inline constexpr int ClassCount = 13;

// "αλκάνια", "αλκοόλες"…: the word a class is asked for by.
std::string_view wordOf(CompoundClass);

struct ClassesRead {
    std::vector<CompoundClass> classes; // each once, in the order above
    std::string problem;                // in Greek; empty when all were known
    bool ok() const { return problem.empty(); }
};

ClassesRead readClasses(std::string_view utf8);

// A list's words again, comma-separated, with the group words where a whole
// group is there: "υδρογονάνθρακες, αλκοόλες".
std::string describeClasses(const std::vector<CompoundClass>&);

} // namespace chemistry::practice
