#include "problem/people_number.h"

#include <charconv>
#include <cmath>

#include "problem/simplex_iteration.h"

namespace people_number {

double largest_magnitude(const Matrix& table) {
    double largest = 0.0;
    for (std::uint32_t i = 0; i < table.rows; ++i) {
        for (const double x : table.row(i)) {
            const double a = std::fabs(x);
            if (std::isfinite(a) && a < BIG_M && a > largest) largest = a;
        }
    }
    return largest;
}

std::string text(double x, double magnitude) {
    if (std::isnan(x)) return "nan";
    if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
    if (x == 0.0 || std::fabs(x) < kZeroShare * magnitude) return "0";
    char digits[32];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, x, std::chars_format::general, kSignificantDigits);
    return {digits, result.ptr};
}

}  // namespace people_number
