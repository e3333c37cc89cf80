// SPDX-License-Identifier: GPL-3.0-or-later
// Unicode NFC for what names are written in: a Greek letter followed by a
// combining accent or diaeresis becomes the one precomposed letter, the
// polytonic oxia forms become the monotonic tonos ones they are equal to.
// Enough for Greek names, with no library behind it.
#include "chemistry/naming/Naming.h"

#include "content/notation/NotationText.h"

#include <algorithm>
#include <array>
#include <utility>

namespace chemistry {

namespace {

constexpr char32_t Acute = 0x0301, Diaeresis = 0x0308, DiaeresisAcute = 0x0344,
                   AcuteToneMark = 0x0341;

struct Composition {
    char32_t base, mark, composed;
};

constexpr std::array<Composition, 22> Compositions = {{
    {U'α', Acute, U'ά'},          {U'ε', Acute, U'έ'},     {U'η', Acute, U'ή'},
    {U'ι', Acute, U'ί'},          {U'ο', Acute, U'ό'},     {U'υ', Acute, U'ύ'},
    {U'ω', Acute, U'ώ'},          {U'Α', Acute, U'Ά'},     {U'Ε', Acute, U'Έ'},
    {U'Η', Acute, U'Ή'},          {U'Ι', Acute, U'Ί'},     {U'Ο', Acute, U'Ό'},
    {U'Υ', Acute, U'Ύ'},          {U'Ω', Acute, U'Ώ'},     {U'ϊ', Acute, U'ΐ'},
    {U'ϋ', Acute, U'ΰ'},          {U'ι', Diaeresis, U'ϊ'}, {U'υ', Diaeresis, U'ϋ'},
    {U'Ι', Diaeresis, U'Ϊ'},      {U'Υ', Diaeresis, U'Ϋ'}, {U'ι', DiaeresisAcute, U'ΐ'},
    {U'υ', DiaeresisAcute, U'ΰ'},
}};

// Letters whose canonical decomposition is a single other letter.
constexpr std::array<std::pair<char32_t, char32_t>, 16> Singletons = {{
    {0x1F71, U'ά'},
    {0x1F73, U'έ'},
    {0x1F75, U'ή'},
    {0x1F77, U'ί'},
    {0x1F79, U'ό'},
    {0x1F7B, U'ύ'},
    {0x1F7D, U'ώ'},
    {0x1FBB, U'Ά'},
    {0x1FC9, U'Έ'},
    {0x1FCB, U'Ή'},
    {0x1FDB, U'Ί'},
    {0x1FF9, U'Ό'},
    {0x1FEB, U'Ύ'},
    {0x1FFB, U'Ώ'},
    {0x1FD3, U'ΐ'},
    {0x1FE3, U'ΰ'},
}};

char32_t single(char32_t c) {
    if (c == AcuteToneMark)
        return Acute;
    for (const auto& [from, to] : Singletons)
        if (from == c)
            return to;
    return c;
}

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == 0x00A0 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000;
}

} // namespace

std::string normalizedName(std::string_view utf8) {
    std::u32string letters;
    bool pendingSpace = false;
    for (char32_t c : content::decodeUtf8(utf8)) {
        if (isSpace(c)) {
            pendingSpace = !letters.empty();
            continue;
        }
        if (pendingSpace)
            letters += U' ';
        pendingSpace = false;
        c = single(c);
        if (!letters.empty()) {
            const auto composed = std::ranges::find_if(Compositions, [&](const Composition& k) {
                return k.base == letters.back() && k.mark == c;
            });
            if (composed != Compositions.end()) {
                letters.back() = composed->composed;
                continue;
            }
        }
        letters += c;
    }
    std::string out;
    for (char32_t c : letters)
        out += content::utf8Of(c);
    return out;
}

} // namespace chemistry
