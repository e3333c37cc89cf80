// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes at all as a formula's text. The reader must
// answer every input, never crash or hang, and its answer must be sound.

#include "notation/NotationInvariants.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const content::FormulaParse parsed = content::parseFormula(text);
    const std::string wrong = notation_invariants::violation(text, parsed);
    if (!wrong.empty()) {
        std::fprintf(stderr, "unsound answer: %s\n", wrong.c_str());
        std::abort();
    }
    return 0;
}
