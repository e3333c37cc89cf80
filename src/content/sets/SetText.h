// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first stage of reading a teacher's file: its bytes as UTF-8 text. A
// spreadsheet saves CSV as UTF-8 (with or without a byte-order mark) or, Greek
// Excel's plain "CSV", as Windows-1253; bytes that are not UTF-8 are read as
// Windows-1253. Toolkit-free.

#include "content/sets/SetProblem.h"

#include <string>
#include <string_view>
#include <vector>

namespace content {

enum class SetEncoding { Utf8, Windows1253 };

struct SetText {
    std::string utf8; // without a byte-order mark
    SetEncoding encoding = SetEncoding::Utf8;
    SetProblems problems;
};

// The text, or what the file is instead: empty, a workbook, UTF-16. Bytes
// Windows-1253 leaves undefined are told once a row: the first, and how many more.
SetText decodeSetBytes(std::string_view bytes);

// What a workbook (xlsx, ods, xls) given for a CSV file is told.
std::string workbookMessage();

} // namespace content
