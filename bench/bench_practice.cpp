// SPDX-License-Identifier: GPL-3.0-or-later
// A practice set of twenty compounds from every class: drawn, checked as the
// card would draw them and named; then the same with every compound measured
// against its cards and explanation boxes with the bundled fonts, as the
// window and the command line make one. Each iteration goes on in the same
// random sequence, as «Απ' την αρχή» does in the window.

#include "chemistry/practice/Practice.h"
#include "content/Fonts.h"
#include "content/PracticeSets.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

const auto Everything = chemistry::practice::readClasses("όλα").classes;

void practiceSetOfTwenty(benchmark::State& state) {
    chemistry::practice::Practice practice(Everything, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(practice.nextSet(20));
}
BENCHMARK(practiceSetOfTwenty)->Unit(benchmark::kMillisecond);

void practiceSetOfTwentyFitted(benchmark::State& state) {
    content::PracticeSets sets(Everything, 1, 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(sets.nextCompoundSet());
}
BENCHMARK(practiceSetOfTwentyFitted)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", OFFSCREEN_FULL_HD, 0);
    setenv("QT_QPA_OFFSCREEN_NO_GLX", "1", 0);
    QGuiApplication app(argc, argv);
    content::registerBundledFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
