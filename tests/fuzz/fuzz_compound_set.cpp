// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes at all as a teacher's CSV file, through every
// toolkit-free stage (encoding, rows, compounds). The reader must answer
// every input, never crash or hang, and build no more than its bound of
// problems; a set it accepts, written out, must read back the same.

#include "content/sets/CompoundSet.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void unsound(const char* what) {
    std::fprintf(stderr, "unsound answer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace content;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SetReading read = readCompoundSet(bytes, "fuzz.csv");
    if (read.problems.size() > MaxSetProblems ||
        (read.problems.size() < MaxSetProblems && read.untold > 0))
        unsound("problems built past the bound, or counted before it was reached");
    for (const SetProblem& p : read.problems)
        if (p.message.empty() || p.row < 0 || p.column < 0)
            unsound("a problem without words or place");
    if (!read.ok())
        return 0;
    const std::size_t n = read.set.compounds.size();
    if (n < MinSetSize || n > MaxSetSize)
        unsound("a set of the wrong size accepted");
    const SetReading again = readCompoundSet(writeCompoundSet(read.set), "again.csv");
    if (!again.ok() || again.set.title != read.set.title || again.set.compounds.size() != n)
        unsound("written out, the set reads otherwise");
    for (std::size_t i = 0; i < n; ++i) {
        const Compound& a = read.set.compounds[i];
        const Compound& b = again.set.compounds[i];
        if (a.name != b.name || !(a.formula == b.formula) || a.parts != b.parts)
            unsound("written out, a compound reads otherwise");
    }
    return 0;
}
