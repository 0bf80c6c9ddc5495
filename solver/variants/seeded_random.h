#pragma once

// A pseudo-random sequence that is the same on every machine and with every standard library:
// splitmix64 written out, and integers in a range drawn from it by rejection, with no floating point
// (the distributions of <random> may differ between libraries).

#include <cstdint>

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31U);
    }

    // Uniform in 0..count-1 (count > 0): values past the last whole multiple of count are drawn again.
    std::uint64_t below(std::uint64_t count) {
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % count;
        std::uint64_t value = next();
        while (value >= limit) value = next();
        return value % count;
    }

    // Uniform in low..high (low <= high).
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(high - low) + 1));
    }

    // True with the chance numerator / denominator.
    bool chance(std::uint64_t numerator, std::uint64_t denominator) { return below(denominator) < numerator; }

private:
    std::uint64_t state_;
};
