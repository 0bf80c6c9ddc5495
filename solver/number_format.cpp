#include "solver/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace number_format {
namespace {

__extension__ typedef unsigned __int128 uint128;

constexpr std::array<std::uint64_t, kMaxIntegerPathPrecision + 1> kPowersOfFive = [] {
    std::array<std::uint64_t, kMaxIntegerPathPrecision + 1> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 5;
    }
    return powers;
}();

constexpr std::uint64_t kTenToThe19 = 10'000'000'000'000'000'000u;

// "00" "01" ... "99": two digits per division.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the decimal digits of v so that they end just before `end`; returns their start.
char* write_backward(char* end, std::uint64_t v) {
    while (v >= 100) {
        const auto pair = static_cast<std::size_t>(v % 100);
        v /= 100;
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * pair], 2);
    }
    if (v >= 10) {
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * static_cast<std::size_t>(v)], 2);
    } else {
        *--end = static_cast<char>('0' + v);
    }
    return end;
}

char* write_backward(char* end, uint128 v) {
    while (v > std::numeric_limits<std::uint64_t>::max()) {
        const uint128 quotient = v / kTenToThe19;
        const auto low = static_cast<std::uint64_t>(v - quotient * kTenToThe19);
        char* start = write_backward(end, low);
        end -= 19;  // the low part always takes 19 digits, with leading zeros
        while (start > end) *--start = '0';
        v = quotient;
    }
    return write_backward(end, static_cast<std::uint64_t>(v));
}

}  // namespace

std::size_t format_fixed_integer_path(double x, std::uint32_t precision, char* buffer) {
    if (precision > kMaxIntegerPathPrecision) return 0;
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const bool negative = (bits >> 63) != 0;
    const auto biased_exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased_exponent == 0x7FF) return 0;  // infinity or NaN

    // |x| = mantissa * 2^exponent exactly.
    const std::uint64_t mantissa = biased_exponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int exponent = (biased_exponent == 0 ? 1 : biased_exponent) - 1075;

    // |x| * 10^p = mantissa * 5^p * 2^(exponent + p); the product is below 2^53 * 2^63.
    const uint128 product = static_cast<uint128>(mantissa) * kPowersOfFive[precision];
    const int shift = exponent + static_cast<int>(precision);
    uint128 scaled = 0;
    if (shift >= 0) {
        if (shift > 0 && (shift >= 128 || (product >> (128 - shift)) != 0)) return 0;  // too large
        scaled = product << shift;
    } else if (shift > -128) {
        const int drop = -shift;
        scaled = product >> drop;
        const uint128 rest = product & ((uint128{1} << drop) - 1);
        const uint128 half = uint128{1} << (drop - 1);
        if (rest > half || (rest == half && (scaled & 1) != 0)) ++scaled;  // round half to even
    } else if (shift == -128) {
        scaled = product > (uint128{1} << 127) ? 1 : 0;  // below 1; a tie rounds to the even 0
    }  // below 2^-128 times a product under 2^128: rounds to 0

    // Digits of the scaled value, at least one before the point.
    std::array<char, 48> digits;
    char* const digits_end = digits.data() + digits.size();
    char* start = write_backward(digits_end, scaled);
    while (digits_end - start < static_cast<std::ptrdiff_t>(precision) + 1) *--start = '0';
    const auto integer_digits = static_cast<std::size_t>(digits_end - start) - precision;

    char* out = buffer;
    if (negative) *out++ = '-';
    std::memcpy(out, start, integer_digits);
    out += integer_digits;
    if (precision > 0) {
        *out++ = '.';
        std::memcpy(out, start + integer_digits, precision);
        out += precision;
    }
    return static_cast<std::size_t>(out - buffer);
}

FixedText format_fixed(double x, std::uint32_t precision, char* buffer) {
    if (const std::size_t length = format_fixed_integer_path(x, precision, buffer)) return {length, 0};
    const std::uint32_t written = std::min(precision, kMaxSignificantDecimals);
    const auto result =
        std::to_chars(buffer, buffer + kMaxFixedLength, x, std::chars_format::fixed, static_cast<int>(written));
    assert(result.ec == std::errc{});  // the buffer holds the longest text
    FixedText text;
    text.length = static_cast<std::size_t>(result.ptr - buffer);
    if (std::isfinite(x)) text.zeros = precision - written;
    return text;
}

std::string to_fixed(double x, std::uint32_t precision) {
    std::array<char, kMaxFixedLength> buffer;
    const FixedText text = format_fixed(x, precision, buffer.data());
    std::string result(buffer.data(), text.length);
    result.append(text.zeros, '0');
    return result;
}

}  // namespace number_format
