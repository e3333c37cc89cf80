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
    std::vector<SetProblem> problems;
};

SetText decodeSetBytes(std::string_view bytes);

} // namespace content
