// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first stage of reading a formula a teacher wrote: UTF-8 text becomes a
// sequence of characters, each with the column it came from, read as what it
// looks like. A Greek keyboard gives Greek capitals for "CH3" (Η, Ο, Ν...), a
// word processor gives subscript digits and typographic dashes; all of them
// stand for the Latin letters, digits and hyphen of the notation. Toolkit-free.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace content {

// Something wrong in a formula's text: where (the character's column, counted
// in code points from 1) and what to write instead, in Greek (UTF-8). When the
// message proposes a whole formula, `suggestion` holds it too, so that what is
// proposed can be taken over or checked without reading the message.
struct NotationProblem {
    NotationProblem() = default;
    NotationProblem(int at, std::string text, std::string proposed = {})
        : column(at), message(std::move(text)), suggestion(std::move(proposed)) {}
    int column = 0;
    std::string message;
    std::string suggestion;
    bool operator==(const NotationProblem&) const = default;
};

struct NotationChar {
    char32_t c = 0;
    int column = 0;
};

struct NotationText {
    std::vector<NotationChar> chars; // spaces left out
    std::vector<NotationProblem> problems;
};

// Longer text is refused before it is read any further.
inline constexpr std::size_t MaxNotationLength = 300;

// The character `c` stands for in the notation: a Latin look-alike for a Greek
// capital, a digit for a subscript digit, "-" for a dash; else `c` itself.
char32_t notationLookalike(char32_t c);

// Whether `c` is a space of any kind, which the notation ignores.
bool isNotationSpace(char32_t c);

NotationText readNotationText(std::string_view utf8);

// `c` as UTF-8.
std::string utf8Of(char32_t c);

// `utf8` as code points; a byte that begins no valid sequence becomes U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);

// Whether `bytes` are UTF-8 throughout, read as strictly as formulas are: no
// overlong forms, no surrogates.
bool isValidUtf8(std::string_view bytes);

} // namespace content
