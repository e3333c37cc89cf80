// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

// The one way the program writes text for a person at a terminal: --help,
// --version and every message. Text is UTF-8 throughout.
namespace console {

// Writes `utf8` to `stream` (stdout or stderr). A file or a pipe receives the
// very bytes given, with no line-end translation. On Windows a console (the
// program's own, or the one of the program that started it, which a windowed
// program attaches to) is written as UTF-16 through the console's own call,
// so Greek shows whatever the console's code page; that page is never changed.
void write(std::FILE* stream, std::string_view utf8);

// UTF-16 for `utf8`; a byte that starts no well-formed sequence becomes
// U+FFFD, so that a broken file name still prints as much as can be read.
std::u16string utf16(std::string_view utf8);

} // namespace console
