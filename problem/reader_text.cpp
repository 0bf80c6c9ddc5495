#include "problem/reader_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace reader_text {
namespace {

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

char fold_latin(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::size_t skip_digits(std::string_view s, std::size_t i) noexcept {
    while (i < s.size() && is_digit(s[i])) ++i;
    return i;
}

// Whether a decimal number (as decimal_prefix_length delimits it, without a plus
// sign, with at least one non-zero digit) is 1 or more in magnitude. Tells overflow
// from underflow when from_chars finds a number outside the range of a double.
bool magnitude_at_least_one(std::string_view number) noexcept {
    std::size_t i = (!number.empty() && number[0] == '-') ? 1 : 0;
    while (i < number.size() && number[i] == '0') ++i;
    const std::size_t integer_end = skip_digits(number, i);
    // The leading non-zero digit stands for 10^(order-1): order counts the integer
    // digits from it on, or is minus the number of zeros that follow the point.
    std::int64_t order = static_cast<std::int64_t>(integer_end - i);
    std::size_t j = integer_end;
    if (order == 0) {
        if (j < number.size() && number[j] == '.') ++j;
        const std::size_t zeros_begin = j;
        while (j < number.size() && number[j] == '0') ++j;
        order = -static_cast<std::int64_t>(j - zeros_begin);
    }
    std::int64_t exponent = 0;
    if (const std::size_t e = number.find_first_of("eE"); e != std::string_view::npos) {
        std::size_t k = e + 1;
        const bool negative = k < number.size() && number[k] == '-';
        if (k < number.size() && (number[k] == '+' || number[k] == '-')) ++k;
        // Saturated far beyond the range of a double, so that no digit count overflows.
        for (; k < number.size(); ++k)
            exponent = std::min<std::int64_t>(exponent * 10 + (number[k] - '0'), 1'000'000'000'000);
        if (negative) exponent = -exponent;
    }
    return order + exponent > 0;
}

// The first carriage return in [from, end), or end.
char* find_carriage_return(char* from, char* end) noexcept {
    void* const found = std::memchr(from, '\r', static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<char*>(found) : end;
}

}  // namespace

std::string to_text_mode(std::string bytes) {
    if (const auto end_of_text = bytes.find('\x1A'); end_of_text != std::string::npos) bytes.resize(end_of_text);
    // The text between two dropped carriage returns moves down in one piece; a text
    // without CR LF is left as it is.
    char* const begin = bytes.data();
    char* const end = begin + bytes.size();
    char* kept_end = begin;
    char* piece = begin;  // the first byte not yet kept
    for (char* cr = find_carriage_return(begin, end); cr != end; cr = find_carriage_return(cr + 1, end)) {
        if (cr + 1 == end || cr[1] != '\n') continue;
        if (kept_end != piece) std::memmove(kept_end, piece, static_cast<std::size_t>(cr - piece));
        kept_end += cr - piece;
        piece = cr + 1;
    }
    if (kept_end == piece) return bytes;
    std::memmove(kept_end, piece, static_cast<std::size_t>(end - piece));
    bytes.resize(static_cast<std::size_t>(kept_end - begin) + static_cast<std::size_t>(end - piece));
    return bytes;
}

bool is_text_mode(std::string_view bytes) noexcept {
    if (bytes.find('\x1A') != std::string_view::npos) return false;
    for (std::size_t cr = bytes.find('\r'); cr != std::string_view::npos; cr = bytes.find('\r', cr + 1)) {
        if (cr + 1 < bytes.size() && bytes[cr + 1] == '\n') return false;
    }
    return true;
}

bool same_keyword(std::string_view word, std::string_view keyword) noexcept {
    return std::equal(word.begin(), word.end(), keyword.begin(), keyword.end(),
                      [](char a, char b) { return fold_latin(a) == fold_latin(b); });
}

std::size_t decimal_prefix_length(std::string_view word) noexcept {
    std::size_t i = (!word.empty() && (word[0] == '+' || word[0] == '-')) ? 1 : 0;
    const std::size_t integer_end = skip_digits(word, i);
    std::size_t digits = integer_end - i;
    i = integer_end;
    if (i < word.size() && word[i] == '.') {
        const std::size_t fraction_end = skip_digits(word, i + 1);
        digits += fraction_end - (i + 1);
        if (digits > 0) i = fraction_end;  // "5." and ".5" are numbers, "." is not
    }
    if (digits == 0) return 0;
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < word.size() && (word[j] == '+' || word[j] == '-')) ++j;
        const std::size_t exponent_end = skip_digits(word, j);
        if (exponent_end > j) i = exponent_end;  // "2e" and "2e+" are the number 2
    }
    return i;
}

std::optional<double> decimal_prefix_value(std::string_view word) noexcept {
    std::string_view number = word.substr(0, decimal_prefix_length(word));
    if (number.empty()) return 0.0;
    if (number[0] == '+') number.remove_prefix(1);  // from_chars takes no plus sign
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (magnitude_at_least_one(number)) return std::nullopt;
        return number[0] == '-' ? -0.0 : 0.0;  // underflow: the zero that atof gives
    }
    if (error != std::errc{} || end != number.data() + number.size()) return 0.0;  // cannot happen for a checked prefix
    return value;
}

}  // namespace reader_text
