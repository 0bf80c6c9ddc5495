#include "problem/model_decimal_comma.h"

#include "problem/decimal_comma.h"

namespace {

using decimal_comma::is_digit;

// Bytes that may stand in a name of an LP or MPS model next to digits: a number that touches one of
// them is part of a name.
bool is_name_byte(char c) noexcept {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) return true;  // letters of other alphabets
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || is_digit(c)) return true;
    return std::string_view("!\"#$%&()/,.;?@_`'{}|~").find(c) != std::string_view::npos;
}

// The number around the decimal comma at `comma` in the line, or nothing when it is part of a name.
std::optional<std::string> number_at(std::string_view line, std::size_t comma) {
    std::size_t first = comma;
    while (first > 0 && is_digit(line[first - 1])) --first;
    if (first > 0 && is_name_byte(line[first - 1])) return std::nullopt;
    std::size_t end = comma + 1;
    while (end < line.size() && is_digit(line[end])) ++end;
    if (end < line.size() && (line[end] == 'e' || line[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < line.size() && (line[exponent] == '+' || line[exponent] == '-')) ++exponent;
        if (exponent < line.size() && is_digit(line[exponent])) {
            end = exponent;
            while (end < line.size() && is_digit(line[end])) ++end;
        }
    }
    if (end < line.size() && is_name_byte(line[end]) && line[end] != ',') return std::nullopt;
    return std::string(line.substr(first, end - first));
}

}  // namespace

std::optional<ModelDecimalComma> find_model_decimal_comma(std::string_view text) {
    unsigned line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const std::size_t line_end = text.find('\n');
        std::string_view line = text.substr(0, line_end);
        text.remove_prefix(line_end == std::string_view::npos ? text.size() : line_end + 1);
        if (line.starts_with('*')) continue;
        line = line.substr(0, line.find('\\'));
        for (std::size_t at = line.find(','); at != std::string_view::npos; at = line.find(',', at + 1)) {
            if (!decimal_comma::is_decimal_comma(line, at)) continue;
            if (std::optional<std::string> number = number_at(line, at)) return ModelDecimalComma{line_number, *number};
        }
    }
    return std::nullopt;
}

std::string model_decimal_comma_message(const ModelDecimalComma& comma) {
    std::string with_point = comma.number;
    with_point[with_point.find(',')] = '.';
    return "строка " + std::to_string(comma.line) + ": десятичная запятая в числе «" + comma.number +
           "»: в файлах LP и MPS дробная часть отделяется точкой (" + with_point + ")";
}
