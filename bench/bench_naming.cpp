// SPDX-License-Identifier: GPL-3.0-or-later
// Naming the twenty built-in formulas, their structures read beforehand: what
// filling a set of twenty formulas with names would cost.

#include "chemistry/naming/Naming.h"
#include "chemistry/structure/StructureReader.h"
#include "content/FormulaDescriptions.h"
#include "content/sets/CompoundSet.h"

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

// The text stages of opening a set of the twenty as formulas alone: read,
// named, and judged one compound against another (no fonts).
void readTwentyFormulasAlone(benchmark::State& state) {
    std::string file = "Τύπος\n";
    for (const std::string_view formula : content::BuiltInFormulaNotation)
        file += std::string(formula) + "\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(content::readCompoundSet(file, "σύνολο.csv"));
}
BENCHMARK(readTwentyFormulasAlone)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
