#pragma once

// The common case of a number in a problem file, read without the stream machinery.

#include <cstddef>
#include <optional>
#include <string_view>

namespace reader_text {

struct PlainNumber {
    double value;
    std::size_t length;  // the bytes taken: the blanks before the number and the number itself
};

// A plain decimal number at the start of `text` after blanks (space, \t, \n, \v, \f, \r):
// an optional sign, at most 19 digits with an optional point, and an optional exponent of at
// most 4 digits, giving zero or a normal double. Exactly the value and the length that
// extraction of a double by a classic-locale stream takes from the same text. Nothing for
// any other text (no number, odd or long forms, overflow, underflow), which the stream reads.
std::optional<PlainNumber> read_plain_number(std::string_view text) noexcept;

}  // namespace reader_text
