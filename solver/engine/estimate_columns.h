#pragma once

// The estimates of a block of columns, the piece of work that compute_estimates()
// and the fused step of a run (pivot_and_estimate) hand to each thread.

#include <cstdint>
#include <span>

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"

namespace engine {

// Products of numbers this large or larger (2^-500) cannot come near the smallest
// double: a sum of such terms is never -0, so terms with zero elements may be left out.
inline constexpr double kTiny = 0x1p-500;

// What the estimates of a block of columns are computed from.
struct EstimateInputs {
    const Matrix& table;
    std::span<const double> basic_costs;        // [i]: the cost of the basic variable of row i (1..m)
    std::span<const std::uint32_t> basic_rows;  // [j]: a row in which column j is basic, 0 for none
    bool plain_costs;                           // every basic cost is M, 0 or a finite number of at least kTiny
    std::span<double> em;
    std::span<double> ep;
    long double s;  // the sign of M in the estimates
};

// The inputs for the run's current basis, checked (it throws bad_matrix for a basis
// or estimate rows that do not fit the table). They refer to storage of the calling
// thread that lasts until its next call.
EstimateInputs estimate_inputs(SimplexIteration& run);

// Columns first..end-1 of the estimates, each the sum of rows 1..m in order.
void estimate_columns(const EstimateInputs& in, std::uint32_t first, std::uint32_t end) noexcept;

// The end of estimate_columns() alone, for estimate rows that already hold the sums of
// rows 1..m in columns first..end-1: the columns' own costs taken off, small parts made 0.
void finish_estimate_columns(const EstimateInputs& in, std::uint32_t first, std::uint32_t end) noexcept;

// Bound `part` of `parts` blocks of columns; a block starts on a cache line of its own.
inline std::uint32_t column_block_bound(std::uint32_t columns, unsigned part, unsigned parts) {
    if (part == parts) return columns;
    return static_cast<std::uint32_t>(std::uint64_t{columns} * part / parts) & ~std::uint32_t{7};
}

}  // namespace engine
