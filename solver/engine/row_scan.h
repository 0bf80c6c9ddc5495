#pragma once

// Vectorised looks over a row of a table, for the engine's passes: they decide
// which elements need the extended-precision arithmetic at all.

#include <cstdint>
#include <span>

// True when no element is infinite or NaN.
bool all_finite(std::span<const double> a) noexcept;

// Whether any element is -0.
bool has_negative_zero(std::span<const double> a) noexcept;

// Adds 1 to counts[j] for every element a[j] that is not ±0 (NaN counts);
// counts is at least as long as a. Returns whether a non-zero element is smaller
// in magnitude than `small` (NaN is not).
bool count_nonzero(std::span<const double> a, std::span<std::int64_t> counts, double small) noexcept;
