// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A formula typed with the Greek keyboard layout left on: each Greek letter
// read as the Latin letter on the same key. Toolkit-free.

#include <string>

namespace content {

// The question a formula typed so is answered with, `formula` being what it
// reads as on the Latin keys.
std::string greekKeyboardQuestion(const std::string& formula);

// The Latin letter on the key that types `c` in the Greek layout; `c` itself
// for anything that is no Greek letter of that layout.
char32_t latinKeyOf(char32_t c);

bool isGreekLetter(char32_t c);

} // namespace content
