#pragma once

// The start table of the dual simplex method, made from a problem record of the big-M method (a
// problem file's or a model's canonical form): every row a "<=" row with a slack of its own basic in
// it, right-hand sides of any sign, no artificial columns.
//
// A row whose basic column is one of the problem's own (a slack, as a rule) stays as it is. A row
// whose basic column is artificial is a ">=" row when it has a surplus column (-1 in that row only,
// cost 0): multiplied by -1, its surplus becomes its slack. Any other such row is an "=" row: it
// becomes a "<=" row and a ">=" row multiplied by -1, each with a slack column added for it.

#include <cstdint>
#include <string>
#include <vector>

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"

struct DualStartTable {
    // The start table with the given record's costs, aim, names and print settings.
    SimplexIteration record;
    // [j]: the given record's column that column j of `record` is, 0 for a slack added to an "=" row
    // (entry 0 is 0).
    std::vector<std::uint32_t> original_columns;
};

DualStartTable dual_start_table(const SimplexIteration& problem);

// A solution vector of the start table's columns (element 0 the objective) as the given record's:
// `original_size` entries, 0 for the columns the start table does not have.
Matrix original_solution(const DualStartTable& start, const Matrix& solution, std::uint32_t original_size);
// The same for an exact run's fractions.
std::vector<std::string> original_exact_solution(const DualStartTable& start, const std::vector<std::string>& solution,
                                                 std::uint32_t original_size);
