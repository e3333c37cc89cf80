// SPDX-License-Identifier: GPL-3.0-or-later
// Naming the twenty built-in formulas, their structures read beforehand: what
// filling a set of twenty formulas with names would cost.

#include "chemistry/naming/Naming.h"
#include "chemistry/structure/StructureReader.h"
#include "content/FormulaDescriptions.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

void nameTheTwentyBuiltIns(benchmark::State& state) {
    std::vector<chemistry::Structure> structures;
    for (const std::string_view formula : content::BuiltInFormulaNotation)
        structures.push_back(chemistry::readStructure(formula).structure);
    for (auto _ : state)
        for (const chemistry::Structure& s : structures)
            benchmark::DoNotOptimize(chemistry::nameCompound(s));
}
BENCHMARK(nameTheTwentyBuiltIns)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
