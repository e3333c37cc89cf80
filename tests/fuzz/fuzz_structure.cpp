// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes at all read as a compound. The reader must
// answer every input, never crash or hang; a compound it reads is written
// back as the same compound, and a formula it proposes reads without a problem.

#include "chemistry/structure/StructureReader.h"
#include "chemistry/structure/StructureWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string unsound(std::string_view text) {
    const chemistry::StructureRead read = chemistry::readStructure(text);
    const int last = std::max(1, int(text.size()));
    for (const content::NotationProblem& p : read.problems) {
        if (p.message.empty() || p.column < 1 || p.column > last)
            return "a problem without words or outside the text";
        if (!p.suggestion.empty() && !chemistry::readStructure(p.suggestion).ok())
            return "the suggestion \"" + p.suggestion + "\" is refused";
    }
    // A phosphorus may have three bonds or five, and what follows it in a
    // row is read by its three: the writer does not promise to write every
    // compound of a five-bonded phosphorus back.
    const auto& atoms = read.structure.atoms;
    if (!read.ok() || std::any_of(atoms.begin(), atoms.end(), [](const chemistry::Atom& a) {
            return a.element == chemistry::Element::P;
        }))
        return {};
    const std::string written = chemistry::writeStructure(read.structure);
    const chemistry::StructureRead again = chemistry::readStructure(written);
    if (!again.ok() || !chemistry::sameCompound(again.structure, read.structure))
        return "written back as \"" + written + "\" it is another compound";
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string wrong = unsound({reinterpret_cast<const char*>(data), size});
    if (!wrong.empty()) {
        std::fprintf(stderr, "unsound answer: %s\n", wrong.c_str());
        std::abort();
    }
    return 0;
}
