#include "numerics/exact_number.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>

mpq_class exact_from_double(double x) {
    if (!std::isfinite(x)) throw std::domain_error("exact arithmetic takes finite numbers only");
    // std::to_chars without a format gives the shortest text that reads back to x,
    // in the form "-123.45" or "1.2345e-07".
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, x);
    const std::string_view shortest(text, static_cast<std::size_t>(result.ptr - text));

    const std::size_t e = shortest.find('e');
    const std::string_view mantissa = shortest.substr(0, e);
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = shortest.substr(e + 1);
        if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    }
    std::string integer;  // the mantissa's digits without the point, sign included
    for (std::size_t at = 0; at < mantissa.size(); ++at) {
        if (mantissa[at] == '.') {
            exponent -= static_cast<long>(mantissa.size() - at - 1);  // the fraction digits
        } else {
            integer += mantissa[at];
        }
    }
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent));
    mpq_class value{mpz_class(integer, 10)};
    if (exponent < 0) {
        value /= scale;
    } else {
        value *= scale;
    }
    return value;
}

std::string fraction_text(const mpq_class& q) { return q.get_str(); }
