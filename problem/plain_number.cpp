#include "problem/plain_number.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace reader_text {
namespace {

constexpr std::size_t kMaxDigits = 19;
constexpr std::size_t kMaxExponentDigits = 4;

// The blanks of the classic locale; any other byte stops the skipping.
bool is_blank(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

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
    if (p != end && (*p == '+' || *p == '-')) ++p;
    if (p != number && *number == '+') number = p;  // from_chars takes no plus sign
    std::size_t digits = 0;
    bool non_zero = false;
    const auto take_digits = [&] {
        for (; p != end && is_digit(*p); ++p, ++digits) non_zero = non_zero || *p != '0';
    };
    take_digits();
    if (p != end && *p == '.') {
        ++p;
        take_digits();
    }
    if (digits == 0 || digits > kMaxDigits) return std::nullopt;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != end && (*p == '+' || *p == '-')) ++p;
        const char* const exponent = p;
        while (p != end && is_digit(*p)) ++p;
        const auto exponent_digits = static_cast<std::size_t>(p - exponent);
        if (exponent_digits == 0 || exponent_digits > kMaxExponentDigits) return std::nullopt;
    }
    double value = 0.0;
    const auto [parsed_end, error] = std::from_chars(number, p, value);
    if (error != std::errc{} || parsed_end != p) return std::nullopt;
    // Zero only from zero digits, otherwise a normal double: no overflow, no underflow.
    if (value == 0.0 ? non_zero : !std::isnormal(value)) return std::nullopt;
    return PlainNumber{value, static_cast<std::size_t>(p - text.data())};
}

}  // namespace reader_text
