#include "problem/plain_number.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// digits x 10^exponent rounded once, as the C library rounds it, when both factors are
// exact doubles and the one operation is done in double precision; nothing otherwise.
std::optional<double> exact_quotient_or_product(std::uint64_t digits, int exponent, bool negative) noexcept {
    if (FLT_EVAL_METHOD != 0 || digits > kExactIntegers || exponent < -22 || exponent > 22) return std::nullopt;
    const auto power = kExactPowersOfTen[static_cast<std::size_t>(exponent < 0 ? -exponent : exponent)];
    const auto mantissa = static_cast<double>(digits);
    const double value = exponent < 0 ? mantissa / power : mantissa * power;
    return negative ? -value : value;
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
    std::size_t digit_count = 0;
    int exponent = 0;
    const auto take_digits = [&](int exponent_step) {
        for (; p != end && is_digit(*p) && digit_count <= kMaxDigits; ++p, ++digit_count) {
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
            exponent += exponent_step;
        }
    };
    take_digits(0);
    if (p != end && *p == '.') {
        ++p;
        take_digits(-1);
    }
    if (digit_count == 0 || digit_count > kMaxDigits) return std::nullopt;
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
    double value = 0.0;
    const auto [parsed_end, error] = std::from_chars(number, p, value);
    // A normal double: no overflow, no underflow.
    if (error != std::errc{} || parsed_end != p || !std::isnormal(value)) return std::nullopt;
    return PlainNumber{value, length};
}

}  // namespace reader_text
