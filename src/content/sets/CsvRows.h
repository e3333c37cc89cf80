// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The second stage: UTF-8 text as a spreadsheet's rows of fields, as LibreOffice
// Calc and Excel save CSV: quoted fields with doubled quotes, CRLF or LF line
// ends, blank rows, and Excel's "sep=;" first line naming the separator.
// Toolkit-free.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// A row keeps at most this many fields, whatever its separators: a set has
// ten columns, and a line of separators must not cost a string each.
inline constexpr std::size_t MaxCsvFields = 32;
// A table keeps at most this many rows: far more than a set's title, header
// and twenty compounds, and a bound on what any file costs to read.
inline constexpr std::size_t MaxCsvRows = 200;

struct CsvRow {
    int row = 0;                     // the spreadsheet's row number, from 1
    std::vector<std::string> fields; // spaces and no-break spaces around each trimmed
    std::vector<int> brokenFields;   // fields (from 1) that hold a line break
    bool moreFields = false;         // text in a field past the first MaxCsvFields
};

// The rows of `text` split at `separator`; rows of empty fields only are left
// out. Stops after `maxRows` rows.
std::vector<CsvRow> splitCsv(std::string_view text, char separator,
                             std::size_t maxRows = std::size_t(-1));

struct CsvTable {
    char separator = ';';
    std::vector<CsvRow> rows; // at most MaxCsvRows
    bool moreRows = false;    // rows past those
};

// The rows, split at the separator that Excel's "sep=" line names or else at
// the one of ";" "," and TAB under which the header row (the first row, or
// the second after a title row of one field) reads as `header` begins, or
// failing that holds as many fields. A title may hold any separator; only the
// header tells which one the file uses.
CsvTable readCsv(std::string_view text, std::span<const std::string_view> header);

// Whether a row is a title: one non-empty field, the rest empty.
bool isTitleRow(const CsvRow& row);

// The fields of `row` without the empty ones after the last non-empty field.
std::size_t usedFields(const CsvRow& row);

} // namespace content
