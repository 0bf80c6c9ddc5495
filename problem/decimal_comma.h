#pragma once

// The decimal comma of problem files: a comma with a digit directly on each side stands for the
// point ("2,5" is 2.5, "-0,75" is -0.75, "1,5e3" is 1500). Any other comma is an ordinary byte.

#include <cstddef>
#include <string>
#include <string_view>

namespace decimal_comma {

inline bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// Whether the byte at `at` is a comma between two digits.
inline bool is_decimal_comma(std::string_view text, std::size_t at) noexcept {
    return at > 0 && at + 1 < text.size() && text[at] == ',' && is_digit(text[at - 1]) && is_digit(text[at + 1]);
}

// Whether the text holds a decimal comma anywhere.
bool has_decimal_comma(std::string_view text) noexcept;

// The text with each decimal comma made a point; every other byte stays, so offsets are the same.
std::string with_decimal_points(std::string_view text);

}  // namespace decimal_comma
