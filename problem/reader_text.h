#pragma once

// Low-level text rules of problem files, kept apart from the keyword handling
// so that each rule can be checked on its own.

#include <optional>
#include <string>
#include <string_view>

namespace reader_text {

// Reads the bytes of a file the way a text-mode stream on Windows does, on every
// platform: a carriage return directly before a line feed is dropped, and a byte
// 0x1A ends the text.
std::string to_text_mode(std::string bytes);
// Whether to_text_mode leaves the bytes as they are: they hold no CR LF and no 0x1A.
bool is_text_mode(std::string_view bytes) noexcept;

// Whether a word equals a keyword when only the Latin letters a-z/A-Z are taken
// without regard to case; every other byte (Cyrillic included) must match exactly.
bool same_keyword(std::string_view word, std::string_view keyword) noexcept;

// Length of the longest leading part of `word` that forms a decimal number:
// an optional sign, digits with an optional point or a point with digits, and an
// exponent only when digits follow its letter. Hexadecimal, "inf" and "nan" are
// not numbers. 0 when the word does not begin with a number.
std::size_t decimal_prefix_length(std::string_view word) noexcept;

// The value of that leading part, independent of the C locale: 0 when there is
// none, 0 or a subnormal number when it is too small for a double, nothing when
// it is too large for one.
std::optional<double> decimal_prefix_value(std::string_view word) noexcept;

}  // namespace reader_text
