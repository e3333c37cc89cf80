// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The second stage: UTF-8 text as a spreadsheet's rows of fields, as LibreOffice
// Calc and Excel save CSV: quoted fields with doubled quotes, CRLF or LF line
// ends, blank rows, and Excel's "sep=;" first line naming the separator.
// Toolkit-free.

#include <string>
#include <string_view>
#include <vector>

namespace content {

struct CsvRow {
    int row = 0;                     // the spreadsheet's row number, from 1
    std::vector<std::string> fields; // spaces and no-break spaces around each trimmed
    std::vector<int> brokenFields;   // fields (from 1) that hold a line break
};

// The rows of `text` split at `separator`; rows of empty fields only are left out.
std::vector<CsvRow> splitCsv(std::string_view text, char separator);

struct CsvTable {
    char separator = ';';
    std::vector<CsvRow> rows;
};

// The rows, split at the separator that Excel's "sep=" line names or else at
// the one of ";" "," and TAB that splits `headerFields`' row (the first row, or
// the second after a title row of one field) into that many fields.
CsvTable readCsv(std::string_view text, std::size_t headerFields);

// Whether a row is a title: one non-empty field, the rest empty.
bool isTitleRow(const CsvRow& row);

// The fields of `row` without the empty ones after the last non-empty field.
std::size_t usedFields(const CsvRow& row);

} // namespace content
