#include "problem/plain_number.h"

#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

namespace reader_text {
namespace {

constexpr std::size_t kMaxDigits = 19;  // any 19 digits fit in 64 bits
constexpr std::size_t kMaxExponentDigits = 4;

// The powers of ten that a double holds exactly.
constexpr std::array<double, 23> kExactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactIntegers = std::uint64_t{1} << 53;

// The blanks of the classic locale; any other byte stops the skipping.
bool is_blank(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// Digits are read eight bytes at a time where eight bytes follow, as one little-endian word:
// its low byte is the first. A run of up to eight digits then takes no branch per digit.
constexpr std::size_t kBlock = 8;
constexpr std::uint64_t kZeros = 0x3030'3030'3030'3030;
constexpr std::uint64_t kTopBits = 0x8080'8080'8080'8080;
constexpr std::array<std::uint64_t, kBlock + 1> kPowersOfTen = {1,       10,        100,        1'000,      10'000,
                                                                100'000, 1'000'000, 10'000'000, 100'000'000};

std::uint64_t block_at(const char* p) noexcept {
    std::uint64_t block = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&block, p, sizeof block);
    } else {
        for (std::size_t i = sizeof block; i-- > 0;) block = (block << 8) | static_cast<unsigned char>(p[i]);
    }
    return block;
}

// The number that eight digit values (0-9, one a byte, the first in the low byte) write:
// pairs, then fours, then the eight are joined.
std::uint64_t value_of_eight_digits(std::uint64_t digit_values) noexcept {
    const std::uint64_t pairs = (digit_values * 10) + (digit_values >> 8);
    constexpr std::uint64_t kHundredAndMillion = 100 + (std::uint64_t{1'000'000} << 32);
    constexpr std::uint64_t kOneAndTenThousand = 1 + (std::uint64_t{10'000} << 32);
    return (((pairs & 0x0000'00FF'0000'00FF) * kHundredAndMillion) +
            (((pairs >> 16) & 0x0000'00FF'0000'00FF) * kOneAndTenThousand)) >>
           32;
}

struct LeadingDigits {
    std::size_t count;  // 0 to 8
    std::uint64_t value;
};

// The digits that open the eight bytes at p. The lowest byte that is not a digit gets no
// carry or borrow from below and sets its top bit: a byte under '0' (or from 0xBA on) once
// '0' is taken away, one from ':' to 0xB9 once 0x46 is added. The bytes above it do not count.
LeadingDigits leading_digits(const char* p) noexcept {
    const std::uint64_t block = block_at(p);
    const std::uint64_t digit_values = block - kZeros;
    const std::uint64_t non_digits = ((block + 0x4646'4646'4646'4646) | digit_values) & kTopBits;
    const auto count = static_cast<std::size_t>(std::countr_zero(non_digits)) / 8;  // 8 when there is none
    // The digits move to the top, the zero bytes shifted in below them lead the number.
    const std::uint64_t value = count == 0 ? 0 : value_of_eight_digits(digit_values << (8 * (kBlock - count)));
    return {count, value};
}

// digits x 10^exponent rounded once, as the C library rounds it, when both factors are
// exact doubles and the one operation is done in double precision; nothing otherwise.
std::optional<double> exact_quotient_or_product(std::uint64_t digits, int exponent, bool negative) noexcept {
    if (FLT_EVAL_METHOD != 0 || digits > kExactIntegers || exponent < -22 || exponent > 22) return std::nullopt;
    const auto power = kExactPowersOfTen[static_cast<std::size_t>(exponent < 0 ? -exponent : exponent)];
    const auto mantissa = static_cast<double>(digits);
    const double value = exponent < 0 ? mantissa / power : mantissa * power;
    return negative ? -value : value;
}

// The x87 extended format: a 64-bit significand with its leading bit, in the low eight bytes.
constexpr bool kX87Extended = std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10 &&
                              std::endian::native == std::endian::little;
// The powers of ten that it holds exactly (5^27 < 2^63).
constexpr std::array<long double, 28> kExtendedPowersOfTen = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
    1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
constexpr std::uint64_t kExactExtendedIntegers = std::uint64_t{1} << 63;  // loaded exactly as signed integers

// The same for longer digit strings and larger powers (numbers written with 17 digits):
// the one operation on exact x87 operands is rounded to 64 bits, then to 53. The second
// rounding is the correct one unless the first landed exactly halfway between two doubles
// (the low 11 of the 64 bits are 10000000000): those are left to the library. With the
// precision control at 53 bits the operation itself rounds once, to the correct double.
std::optional<double> extended_quotient_or_product(std::uint64_t digits, int exponent, bool negative) noexcept {
    if constexpr (kX87Extended) {
        if (digits >= kExactExtendedIntegers || exponent < -27 || exponent > 27) return std::nullopt;
        const long double power = kExtendedPowersOfTen[static_cast<std::size_t>(exponent < 0 ? -exponent : exponent)];
        const auto mantissa = static_cast<long double>(static_cast<std::int64_t>(digits));
        const long double value = exponent < 0 ? mantissa / power : mantissa * power;
        std::uint64_t significand = 0;
        std::memcpy(&significand, &value, sizeof significand);
        if ((significand & 0x7FF) == 0x400) return std::nullopt;
        const auto rounded = static_cast<double>(value);
        return negative ? -rounded : rounded;
    }
    return std::nullopt;
}

}  // namespace

// The stream takes a sign, then digits and one point, then 'e' or 'E' with an optional
// sign and digits; the first byte that cannot continue this ends the number. What it
// has taken must be a whole number to the C library, so "1e", "-" and "." fail there:
// those, like every form checked here only partly, are left to the stream.
std::optional<PlainNumber> read_plain_number(std::string_view text) noexcept {
    const char* const end = text.data() + text.size();
    const char* p = text.data();
    while (p != end && is_blank(*p)) ++p;
    const char* number = p;
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-')) ++p;
    if (p != number && *number == '+') number = p;  // from_chars takes no plus sign
    std::uint64_t digits = 0;
    // Takes a run of digits, however long, and gives its length; a number of more than
    // kMaxDigits digits is left to the stream, whatever `digits` then holds.
    const auto take_digits = [&] {
        const char* const first = p;
        while (static_cast<std::size_t>(end - p) >= kBlock) {
            const LeadingDigits run = leading_digits(p);
            digits = digits * kPowersOfTen[run.count] + run.value;
            p += run.count;
            if (run.count < kBlock) return static_cast<std::size_t>(p - first);
        }
        for (; p != end && is_digit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        return static_cast<std::size_t>(p - first);
    };
    std::size_t digit_count = take_digits();
    std::size_t decimals = 0;
    if (p != end && *p == '.') {
        ++p;
        decimals = take_digits();
        digit_count += decimals;
    }
    if (digit_count == 0 || digit_count > kMaxDigits) return std::nullopt;
    int exponent = -static_cast<int>(decimals);
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negative_exponent = p != end && *p == '-';
        if (p != end && (*p == '+' || *p == '-')) ++p;
        const char* const exponent_digits = p;
        int written = 0;
        for (; p != end && is_digit(*p) && p - exponent_digits <= static_cast<long>(kMaxExponentDigits); ++p)
            written = written * 10 + (*p - '0');
        const auto count = static_cast<std::size_t>(p - exponent_digits);
        if (count == 0 || count > kMaxExponentDigits) return std::nullopt;
        exponent += negative_exponent ? -written : written;
    }
    const auto length = static_cast<std::size_t>(p - text.data());
    if (digits == 0) return PlainNumber{negative ? -0.0 : 0.0, length};
    if (const std::optional<double> value = exact_quotient_or_product(digits, exponent, negative)) {
        return PlainNumber{*value, length};
    }
    if (const std::optional<double> value = extended_quotient_or_product(digits, exponent, negative)) {
        return PlainNumber{*value, length};
    }
    double value = 0.0;
    const auto [parsed_end, error] = std::from_chars(number, p, value);
    // A normal double: no overflow, no underflow.
    if (error != std::errc{} || parsed_end != p || !std::isnormal(value)) return std::nullopt;
    return PlainNumber{value, length};
}

}  // namespace reader_text
