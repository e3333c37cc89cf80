// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The practice's own random numbers: xoshiro256** seeded through splitmix64,
// with its own way of taking a number in a range. The standard library's
// distributions are left alone because each library draws differently, and a
// teacher who hands out "seed 7" must get the same set on every computer.

#include <cstdint>

namespace chemistry::practice {

class Random {
public:
    explicit Random(std::uint64_t seed);

    std::uint64_t next();
    // Uniform in [0, n), n > 0, without the bias a plain modulo has.
    int below(int n);
    // Uniform in [lo, hi].
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // True `percent` times in a hundred.
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t state_[4];
};

} // namespace chemistry::practice
