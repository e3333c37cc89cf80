// SPDX-License-Identifier: GPL-3.0-or-later
// A practice set of twenty compounds from every class: drawn, checked as the
// card would draw them and named. Each iteration goes on in the same random
// sequence, as «Απ' την αρχή» does in the window.

#include "chemistry/practice/Practice.h"

#include <benchmark/benchmark.h>

namespace {

void practiceSetOfTwenty(benchmark::State& state) {
    chemistry::practice::Practice practice(chemistry::practice::readClasses("όλα").classes, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(practice.nextSet(20));
}
BENCHMARK(practiceSetOfTwenty)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
