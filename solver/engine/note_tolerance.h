#pragma once

// When a number of a final table counts as 0 for the notes on an optimum (a
// degenerate optimum, other optima). Exact numbers are 0 or not. A double is 0
// when it lies within the rounding residue of the sums that made it: a basic
// value against the right-hand sides of its table, an estimate against its
// cost and the products c(B_i) * T(i, j) it adds up. The tables themselves and
// every choice of the run are not touched by this.

#include <cmath>

inline constexpr double NOTE_EPS = 1e-9;

// |x| <= NOTE_EPS * scale; a scale of 0 leaves exact 0 only.
inline bool negligible_against(double x, double scale) { return std::fabs(x) <= NOTE_EPS * scale; }
