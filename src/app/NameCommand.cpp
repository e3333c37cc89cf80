// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NameCommand.h"

#include "chemistry/naming/Naming.h"
#include "chemistry/structure/StructureReader.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int nameFormula(const char* formula) {
    const chemistry::StructureRead read = chemistry::readStructure(formula);
    if (!read.ok()) {
        for (const content::NotationProblem& p : read.problems)
            std::fprintf(stderr, "%s: στον %dο χαρακτήρα: %s\n", formula, p.column,
                         p.message.c_str());
        return 1;
    }
    const chemistry::NameResult named = chemistry::nameCompound(read.structure);
    if (!named.ok()) {
        std::fprintf(stderr, "%s: %s\n", formula, named.unnamed.c_str());
        return 1;
    }
    std::printf("%s\n", named.name.c_str());
    for (const chemistry::NameSection& s : named.sections)
        if (!s.part.empty() || !s.reason.empty())
            std::printf("%s — %s\n", s.part.c_str(), s.reason.c_str());
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
            std::fputs("onomatologia: --name needs a formula, e.g. --name CH3CH2OH\n", stderr);
            return 2;
        }
        return nameFormula(argv[i + 1]);
    }
    return std::nullopt;
}
