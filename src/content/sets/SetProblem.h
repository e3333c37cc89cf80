// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What is wrong with a teacher's file of compounds, where, and what to write
// instead: what every stage of reading one reports.

#include <cstddef>
#include <string>
#include <vector>

namespace content {

struct SetProblem {
    int row = 0;          // the spreadsheet's row number, from 1; 0 for the whole file
    int column = 0;       // the spreadsheet's column, from 1 (A); 0 for a whole row
    std::string message;  // "what is wrong — what to write", in Greek (UTF-8)
    bool warning = false; // worth a look, but the set can be used
};

// No one reads a thousand lines about one file, and a file of random bytes
// would otherwise cost a problem for every byte: past this many, problems
// are counted and not built.
inline constexpr std::size_t MaxSetProblems = 100;

// The problems of one reading, the first MaxSetProblems of them built.
struct SetProblems {
    std::vector<SetProblem> problems;
    std::size_t untold = 0;   // found past the first MaxSetProblems
    bool untoldError = false; // whether any of those is more than a warning

    // `message` is called only for a problem that is built.
    template <typename Message> void add(int row, int column, bool warning, Message&& message) {
        if (problems.size() < MaxSetProblems) {
            problems.push_back({row, column, message(), warning});
        } else {
            ++untold;
            untoldError = untoldError || !warning;
        }
    }
    void add(SetProblem p) {
        add(p.row, p.column, p.warning, [&] { return std::move(p.message); });
    }
    bool hasErrors() const;
    std::size_t total() const { return problems.size() + untold; }
};

inline bool SetProblems::hasErrors() const {
    if (untoldError)
        return true;
    for (const SetProblem& p : problems)
        if (!p.warning)
            return true;
    return false;
}

} // namespace content
