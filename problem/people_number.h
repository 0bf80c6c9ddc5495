#pragma once

// Numbers as people read them in answers, notes and the analysis (not in the
// simplex tables, which follow the print settings, nor in JSON, which keeps
// every bit): at most ten significant digits with no trailing zeros, and a
// value too small to matter beside the problem's numbers as 0.

#include <string>

#include "numerics/matrix.h"

namespace people_number {

inline constexpr int kSignificantDigits = 10;
// A value below this share of the problem's largest magnitude reads as 0.
inline constexpr double kZeroShare = 1e-9;

// The largest absolute value among a problem table's coefficients, right-hand
// sides and costs; the M costs of artificial columns do not count.
double largest_magnitude(const Matrix& table);

// x with at most kSignificantDigits significant digits ("0.4", "5.333333333",
// "1e+20"); "0" for |x| < kZeroShare * magnitude and for -0; "inf", "-inf",
// "nan" for the rest.
std::string text(double x, double magnitude);

}  // namespace people_number
