// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NameCommand.h"

#include "chemistry/naming/Naming.h"
#include "chemistry/structure/StructureReader.h"
#include "content/notation/FormulaNotation.h"
#include "shared/console/Utf8Writer.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void tell(std::FILE* stream, const std::string& line) {
    console::write(stream, line + "\n");
}

int nameFormula(const std::string& formula) {
    const chemistry::StructureRead read = chemistry::readStructure(formula);
    if (!read.ok()) {
        // The card's reader knows a formula typed with the Greek layout on or
        // in the wrong case, and says so in one line with the formula meant.
        const content::FormulaParse card = content::parseFormula(formula);
        const auto& problems = card.ok() ? read.problems : card.problems;
        for (const content::NotationProblem& p : problems)
            tell(stderr,
                 formula + ": στον " + std::to_string(p.column) + "ο χαρακτήρα: " + p.message);
        return 1;
    }
    const chemistry::NameResult named = chemistry::nameCompound(read.structure);
    if (!named.ok()) {
        tell(stderr, formula + ": " + named.unnamed);
        return 1;
    }
    tell(stdout, named.name);
    for (const chemistry::NameSection& s : named.sections)
        if (!s.part.empty() || !s.reason.empty())
            tell(stdout, s.part + " — " + s.reason);
    return 0;
}

} // namespace

std::optional<int> runNameCommand(int argc, char* argv[]) {
    constexpr const char* Option = "--name";
    const std::size_t n = std::strlen(Option);
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strncmp(a, Option, n) != 0)
            continue;
        if (a[n] == '=')
            return nameFormula(a + n + 1);
        if (a[n] != '\0')
            continue;
        if (i + 1 >= argc) {
            tell(stderr, "onomatologia: το --name θέλει έναν τύπο, π.χ. --name CH3CH2OH");
            return 2;
        }
        return nameFormula(argv[i + 1]);
    }
    return std::nullopt;
}
