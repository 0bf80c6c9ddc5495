#pragma once

// The arithmetic of the double kernels, written once for every pass that makes
// it: each expression is evaluated in x87 long double (solver/engine/extended_precision.h)
// and rounded to double only in its result. The reports are compared digit for
// digit, so none of them may be regrouped, fused or kept in extended precision
// across a store.

#include "solver/engine/extended_precision.h"

namespace engine {

// a(i,j) - a(r,j) * a(i,s) / a(r,s): the product, the quotient and the difference.
inline double eliminated_element(double a_ij, double a_rj, double a_is, double a_rs) {
    return static_cast<double>(a_ij - static_cast<long double>(a_rj) * a_is / a_rs);
}

// a / b: the key row's element over the key element, or a right-hand side over the key
// column's element in the ratio test.
inline double extended_quotient(double a, double b) { return static_cast<double>(static_cast<long double>(a) / b); }

// One term of an estimate's sum: sum + factor * a, the factor the sign of M or the row's cost.
inline double add_estimate_term(double sum, long double factor, double a) {
    return static_cast<double>(sum + factor * a);
}

}  // namespace engine
