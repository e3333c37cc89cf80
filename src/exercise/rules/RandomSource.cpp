// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/rules/RandomSource.h"

#include <chrono>

namespace board {

RandomSource::RandomSource(std::optional<uint32_t> fixedSeed) {
    if (fixedSeed) {
        engine_.seed(*fixedSeed);
        fixed_ = true;
    }
}

void RandomSource::seedFromClock() {
    if (fixed_)
        return;
    const auto ns = uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count());
    ++reseeds_;
    std::seed_seq seq{uint32_t(ns), uint32_t(ns >> 32), uint32_t(reseeds_),
                      uint32_t(reseeds_ >> 32)};
    engine_.seed(seq);
}

float RandomSource::next() {
    // 24 random bits give every float in [0, 1) on a 2^-24 grid, never 1.
    return float(engine_() >> 8) * (1.0f / 16777216.0f);
}

} // namespace board
