#pragma once

#include <cstdint>

// The checks on the print options of a record. The reader (codes 18 and 19), qtb-solve
// (--accuracy, --print) and the main window (its two edit pairs) all refuse by these.

// A number format the report can print: `digits` after the point inside a field of `width`.
constexpr bool accepts_number_format(std::int32_t width, std::int32_t digits) noexcept {
    return digits >= 0 && digits < width;
}

// An interval of printed iterations: the last one not before the first and not negative.
// A negative first iteration is fine; 0 as the last one means "to the end".
constexpr bool accepts_print_interval(std::int32_t from, std::int32_t to) noexcept { return to >= from && to >= 0; }
