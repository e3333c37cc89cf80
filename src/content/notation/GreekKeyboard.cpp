// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/notation/GreekKeyboard.h"

#include <algorithm>
#include <array>
#include <utility>

namespace content {

namespace {

// The Latin letter on the key that gives each Greek letter in the Greek
// layout: the C key gives Ψ, the L key Λ.
constexpr std::array<std::pair<char32_t, char32_t>, 48> Keys = {{
    {U'Ψ', U'C'}, {U'ψ', U'c'}, {U'Λ', U'L'}, {U'λ', U'l'}, {U'Σ', U'S'}, {U'σ', U's'},
    {U'Φ', U'F'}, {U'φ', U'f'}, {U'Ρ', U'R'}, {U'ρ', U'r'}, {U'Β', U'B'}, {U'β', U'b'},
    {U'Ν', U'N'}, {U'ν', U'n'}, {U'Μ', U'M'}, {U'μ', U'm'}, {U'Ι', U'I'}, {U'ι', U'i'},
    {U'Κ', U'K'}, {U'κ', U'k'}, {U'Ο', U'O'}, {U'ο', U'o'}, {U'Η', U'H'}, {U'η', U'h'},
    {U'Α', U'A'}, {U'α', U'a'}, {U'Ε', U'E'}, {U'ε', U'e'}, {U'Τ', U'T'}, {U'τ', U't'},
    {U'Υ', U'Y'}, {U'υ', U'y'}, {U'Ζ', U'Z'}, {U'ζ', U'z'}, {U'Χ', U'X'}, {U'χ', U'x'},
    {U'Ω', U'V'}, {U'ω', U'v'}, {U'Θ', U'U'}, {U'θ', U'u'}, {U'Ξ', U'J'}, {U'ξ', U'j'},
    {U'Γ', U'G'}, {U'γ', U'g'}, {U'Δ', U'D'}, {U'δ', U'd'}, {U'Π', U'P'}, {U'π', U'p'},
}};

} // namespace

std::string greekKeyboardQuestion(const std::string& formula) {
    return "μήπως γράψατε με ελληνικό πληκτρολόγιο; " + formula;
}

char32_t latinKeyOf(char32_t c) {
    const auto it =
        std::find_if(Keys.begin(), Keys.end(), [c](const auto& k) { return k.first == c; });
    return it == Keys.end() ? c : it->second;
}

bool isGreekLetter(char32_t c) {
    return c >= U'\u0370' && c <= U'\u03ff';
}

} // namespace content
