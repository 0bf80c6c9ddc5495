#pragma once

// Checked access shared by the steps of a simplex iteration.

#include <cmath>
#include <cstdint>

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"

namespace engine {

using Index = std::uint32_t;

// Column of the basic variable of row i, checked against the table so that no
// access through it can leave the table or the basis.
inline Index basic_column(const SimplexIteration& run, Index i) {
    if (i >= run.basis.size() || run.basis[i] >= run.table.cols) throw Matrix::bad_matrix(Matrix::kOverrun);
    return run.basis[i];
}

// Both estimate rows, checked once to be as wide as the table.
inline void check_estimates_shape(const SimplexIteration& run) {
    if (run.estimates.rows < 2 || run.estimates.cols != run.table.cols) throw Matrix::bad_matrix(Matrix::kOverrun);
}

inline bool is_m_cost(double c) { return std::fabs(c) == BIG_M; }

}  // namespace engine
