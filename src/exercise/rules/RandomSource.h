// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "exercise/rules/Board.h"

#include <cstdint>
#include <optional>
#include <random>

namespace board {

// Mersenne Twister behind the board's shuffle. Seeded from the clock at every
// Restart (nanoseconds plus a running count, so two Restarts within the same
// clock tick still differ), unless a fixed seed was given.
class RandomSource final : public UniformSource {
public:
    explicit RandomSource(std::optional<uint32_t> fixedSeed = std::nullopt);
    void seedFromClock() override;
    float next() override;

private:
    std::mt19937 engine_;
    bool fixed_ = false;
    uint64_t reseeds_ = 0;
};

} // namespace board
