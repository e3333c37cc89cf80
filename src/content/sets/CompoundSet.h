// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A set of compounds: what one exercise shows. The built-in twenty are one
// set; a teacher's CSV file is read into another, stage by stage (bytes to
// text, text to rows, rows to compounds), every problem reported with its row
// and column and what to write instead. Toolkit-free: what needs fonts (does
// a name fit its card) is a later stage.

#include "content/notation/FormulaNotation.h"
#include "content/sets/SetProblem.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// The file's columns, in order, as its header row names them.
inline constexpr std::array<std::string_view, 10> SetColumns = {
    "Τύπος",
    "Όνομα",
    "Άτομα άνθρακα",
    "Αιτιολογία",
    "Είδος δεσμών μεταξύ ατόμων C",
    "Αιτιολογία",
    "Είδος ένωσης",
    "Αιτιολογία",
    "Θέση και είδος δεσμών και υποκαταστατών",
    "Αιτιολογία"};

// A part of a compound's name and why it is there.
struct NamePart {
    std::string part;
    std::string reason;
    bool operator==(const NamePart&) const = default;
};

struct Compound {
    std::string formulaText; // as written
    FormulaDescription formula;
    std::string name;
    // Carbon atoms, bonds between them, kind of compound, positions.
    std::array<NamePart, 4> parts;
    int row = 0; // where it stands in its file
};

struct CompoundSet {
    std::string title;
    std::vector<Compound> compounds;
};

// The set, and its problems (warnings among them).
struct SetReading : SetProblems {
    CompoundSet set;
    bool ok() const { return !hasErrors(); }
};

inline constexpr std::size_t MaxSetFileBytes = 1024 * 1024;
inline constexpr std::size_t MaxSetFieldLength = 300; // characters
inline constexpr std::size_t MinSetSize = 2;
inline constexpr std::size_t MaxSetSize = 20;

// Reads a teacher's CSV file. `fileName` gives the title when the file has no
// title row.
SetReading readCompoundSet(std::string_view bytes, std::string_view fileName);

// The set as a CSV file a spreadsheet opens: UTF-8 with a byte-order mark (so
// that Excel shows the Greek), ";" between fields, a title row and the header,
// triple bonds written "#" so that they survive any encoding.
std::string writeCompoundSet(const CompoundSet& set);

// What a file over MaxSetFileBytes is told, before anything else is read.
std::string setFileTooLargeMessage();

// "γραμμή 5, «Όνομα»: ..." for a person to read.
std::string describeSetProblem(const SetProblem& problem);

} // namespace content
