// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/practice/Random.h"

namespace chemistry::practice {

namespace {

std::uint64_t splitmix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

} // namespace

Random::Random(std::uint64_t seed) {
    // splitmix never yields four zero words, which xoshiro could not leave.
    for (std::uint64_t& word : state_)
        word = splitmix(seed);
}

std::uint64_t Random::next() {
    const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotl(state_[3], 45);
    return result;
}

int Random::below(int n) {
    // Reject the top end of the range that does not divide into n equal parts.
    const std::uint64_t bound = std::uint64_t(n);
    const std::uint64_t limit = ~std::uint64_t(0) - (~std::uint64_t(0) % bound);
    std::uint64_t x = next();
    while (x >= limit)
        x = next();
    return int(x % bound);
}

} // namespace chemistry::practice
