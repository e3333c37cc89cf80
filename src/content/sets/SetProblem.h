// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What is wrong with a teacher's file of compounds, where, and what to write
// instead: what every stage of reading one reports.

#include <string>

namespace content {

struct SetProblem {
    int row = 0;          // the spreadsheet's row number, from 1; 0 for the whole file
    int column = 0;       // the spreadsheet's column, from 1 (A); 0 for a whole row
    std::string message;  // "what is wrong — what to write", in Greek (UTF-8)
    bool warning = false; // worth a look, but the set can be used
};

} // namespace content
