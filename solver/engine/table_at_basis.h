#pragma once

// The problem's own table (every column, its M costs) at a given basis: what the analysis of an optimum
// reads (the inverse of the basis in the first table's unit columns, the estimates of every column),
// for a method whose own tables are not the problem's: two phases without the artificial columns,
// the dual simplex method's rows of "<=".

#include <cmath>
#include <cstdint>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/engine/engine_common.h"
#include "solver/engine/tableau_concept.h"

namespace engine {

// Each column of `basic_columns` (the problem's, each at most once) brought into the basis by a pivot
// in a row it has not yet been given, where its element is largest in magnitude; rows left over keep
// the first table's unit column (an artificial variable at 0, in a row the method found redundant).
template <big_m::Tableau Numbers>
auto table_at_basis(const SimplexIteration& problem, const std::vector<Index>& basic_columns) {
    SimplexIteration record = problem;
    Numbers numbers(record);
    const std::vector<Index> initial_basis = record.basis;
    const Index m = record.constraint_count();
    std::vector<bool> taken(std::size_t{m} + 1, false);
    for (const Index j : basic_columns) {
        numbers.compute_estimates();
        Index row = 0;
        for (Index i = 1; i <= m && row == 0; ++i) {
            if (!taken[i] && basic_column(record, i) == j) row = i;  // already basic: no pivot
        }
        if (row != 0) {
            taken[row] = true;
            continue;
        }
        for (Index i = 1; i <= m; ++i) {
            if (taken[i] || numbers.element(i, j) == 0) continue;
            if (row == 0 || Numbers::magnitude_greater(numbers.element(i, j), numbers.element(row, j))) row = i;
        }
        if (row == 0) continue;  // dependent on the columns before it: the basis is not one
        taken[row] = true;
        record.pivot_col = static_cast<std::int32_t>(j);
        record.pivot_row = static_cast<std::int32_t>(row);
        numbers.pivot();
    }
    numbers.compute_estimates();
    return numbers.final_table(initial_basis);
}

}  // namespace engine
