#pragma once

// Fixed-notation text of doubles for the report: exactly the bytes that
// printf("%.*f") writes in the C locale ("." as the point, "-" for every value
// with the sign bit set, negative zero included; "inf", "-inf", "nan", "-nan"),
// independent of the process locale.

#include <cstddef>
#include <cstdint>
#include <string>

namespace number_format {

// Every finite double is a multiple of 2^-1074, so its decimal expansion ends
// within this many fraction digits; further digits are zeros.
inline constexpr std::uint32_t kMaxSignificantDecimals = 1074;
// The longest text format_fixed puts into its buffer: a sign, the 309 integer
// digits of the largest double, the point and kMaxSignificantDecimals digits.
inline constexpr std::size_t kMaxFixedLength = 1 + 309 + 1 + kMaxSignificantDecimals;
// The integer path handles precisions up to this (5^27 is the largest power of five in 64 bits).
inline constexpr std::uint32_t kMaxIntegerPathPrecision = 27;

// The text of a number: `length` bytes in the caller's buffer, followed by
// `zeros` fraction zeros that were not written (only for precisions beyond
// kMaxSignificantDecimals, so that a huge precision never needs a huge buffer).
struct FixedText {
    std::size_t length = 0;
    std::uint64_t zeros = 0;
};

// Writes x with `precision` fraction digits (no point when it is 0) into
// `buffer`, which must hold kMaxFixedLength bytes (bytes past the text may be overwritten).
FixedText format_fixed(double x, std::uint32_t precision, char* buffer);

// Widest field a FieldWriter takes, and the room it needs at `out`.
inline constexpr std::size_t kMaxField = 1024;
inline constexpr std::size_t kFieldRoom = kMaxField + kMaxFixedLength;

// Writes numbers of one precision as format_fixed does, right-aligned with
// blanks in a field of `field` characters (whole when longer), straight where
// they belong: the report's number cells. Chosen once for a precision of at
// most kMaxSignificantDecimals, then called for every number; each call needs
// field <= kMaxField and kFieldRoom bytes at `out`, some of which it may
// overwrite beyond the end it returns.
class FieldWriter {
public:
    using Write = char* (*)(double x, std::uint32_t precision, std::size_t field, char* out);

    explicit FieldWriter(std::uint32_t precision);
    char* operator()(double x, std::size_t field, char* out) const { return write_(x, precision_, field, out); }

private:
    Write write_;
    std::uint32_t precision_;
};

// One number into a field: FieldWriter(precision)(x, field, out).
char* format_fixed_in_field(double x, std::uint32_t precision, std::size_t field, char* out);

// The exact integer path on its own: round-half-even of |x| * 10^precision in
// 128-bit arithmetic. Returns the length written, or 0 when x is not finite,
// the precision is above kMaxIntegerPathPrecision or the scaled value does not
// fit in 128 bits; format_fixed then falls back to std::to_chars.
std::size_t format_fixed_integer_path(double x, std::uint32_t precision, char* buffer);

// The whole text as a string (zeros included): for tests and small callers.
std::string to_fixed(double x, std::uint32_t precision);

}  // namespace number_format
