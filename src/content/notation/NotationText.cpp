// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/notation/NotationText.h"

#include <utility>

namespace content {

namespace {

// Greek capitals drawn like Latin ones in every font a school has: what a
// teacher types with the Greek layout still on.
constexpr std::pair<char32_t, char32_t> GreekLookalikes[] = {
    {U'Α', U'A'}, {U'Β', U'B'}, {U'Ε', U'E'}, {U'Ζ', U'Z'}, {U'Η', U'H'},
    {U'Ι', U'I'}, {U'Κ', U'K'}, {U'Μ', U'M'}, {U'Ν', U'N'}, {U'Ο', U'O'},
    {U'Ρ', U'P'}, {U'Τ', U'T'}, {U'Υ', U'Y'}, {U'Χ', U'X'}};

// Decodes one UTF-8 sequence at `at`; 0 and a length of 1 for a byte that
// begins no valid sequence (overlong forms and surrogates included).
std::pair<char32_t, std::size_t> decodeOne(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(at);
    if (b0 < 0x80)
        return {b0, 1};
    std::size_t length = 0;
    char32_t c = 0, least = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, c = b0 & 0x1F, least = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, c = b0 & 0x0F, least = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, c = b0 & 0x07, least = 0x10000;
    } else {
        return {0, 1};
    }
    if (at + length > s.size())
        return {0, 1};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80)
            return {0, 1};
        c = (c << 6) | (byte(at + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {0, 1};
    return {c, length};
}

} // namespace

char32_t notationLookalike(char32_t c) {
    for (const auto& [greek, latin] : GreekLookalikes)
        if (c == greek)
            return latin;
    if (c >= U'₀' && c <= U'₉')
        return U'0' + (c - U'₀');
    // Hyphen, non-breaking hyphen, figure dash, en dash, minus sign.
    if (c == U'\u2010' || c == U'\u2011' || c == U'\u2012' || c == U'\u2013' || c == U'\u2212')
        return U'-';
    return c;
}

bool isNotationSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u00A0' || c == U'\u202F' || c == U'\u2009' ||
           c == U'\u200B' || c == U'\uFEFF';
}

NotationText readNotationText(std::string_view utf8) {
    NotationText out;
    if (utf8.size() > 4 * MaxNotationLength) {
        out.problems.push_back({1, "ο τύπος είναι πολύ μεγάλος — γράψτε έναν τύπο έως " +
                                       std::to_string(MaxNotationLength) + " χαρακτήρες"});
        return out;
    }
    bool badBytesTold = false;
    int column = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [c, length] = decodeOne(utf8, at);
        at += length;
        ++column;
        if (c == 0) {
            if (!badBytesTold)
                out.problems.push_back(
                    {column, "το κείμενο δεν είναι UTF-8 — αποθηκεύστε το ως κείμενο UTF-8"});
            badBytesTold = true;
            continue;
        }
        if (isNotationSpace(c))
            continue;
        out.chars.push_back({notationLookalike(c), column});
    }
    if (std::size_t(column) > MaxNotationLength) {
        out.chars.clear();
        out.problems = {{1, "ο τύπος είναι πολύ μεγάλος — γράψτε έναν τύπο έως " +
                                std::to_string(MaxNotationLength) + " χαρακτήρες"}};
    }
    return out;
}

std::u32string decodeUtf8(std::string_view utf8) {
    std::u32string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [c, length] = decodeOne(utf8, at);
        out += c == 0 && utf8[at] != 0 ? U'\uFFFD' : c;
        at += length;
    }
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto [c, length] = decodeOne(bytes, at);
        if (c == 0 && bytes[at] != 0)
            return false;
        at += length;
    }
    return true;
}

std::string utf8Of(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | (c >> 18));
        s += char(0x80 | ((c >> 12) & 0x3F));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
    return s;
}

} // namespace content
