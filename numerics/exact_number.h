#pragma once

// Exact rationals for the exact arithmetic of the engine (GMP through gmpxx).

#include <gmpxx.h>

#include <string>

// The shortest decimal that reads back to x, as a fraction: 0.1 is 1/10, 1e-05
// is 1/100000. Throws std::domain_error for infinities and NaN.
mpq_class exact_from_double(double x);

// "p/q" in lowest terms, an integer without "/1", a minus sign before the numerator.
std::string fraction_text(const mpq_class& q);
