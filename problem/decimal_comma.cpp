#include "problem/decimal_comma.h"

namespace decimal_comma {

bool has_decimal_comma(std::string_view text) noexcept {
    for (std::size_t at = text.find(','); at != std::string_view::npos; at = text.find(',', at + 1)) {
        if (is_decimal_comma(text, at)) return true;
    }
    return false;
}

std::string with_decimal_points(std::string_view text) {
    std::string points(text);
    for (std::size_t at = text.find(','); at != std::string_view::npos; at = text.find(',', at + 1)) {
        if (is_decimal_comma(text, at)) points[at] = '.';
    }
    return points;
}

}  // namespace decimal_comma
