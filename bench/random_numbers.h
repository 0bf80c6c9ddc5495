#pragma once

// Deterministic pseudo-random numbers for the benchmarks' inputs, the same on every machine:
// a 64-bit linear congruential generator, its top 53 bits taken.

#include <cstdint>

class RandomNumbers {
public:
    explicit RandomNumbers(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return state_ >> 11;
    }
    // In [0, 1).
    double uniform() { return static_cast<double>(next()) / 9007199254740992.0; }

private:
    std::uint64_t state_;
};
