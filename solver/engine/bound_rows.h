#pragma once

// The table of a node of branch and bound: the problem's starting table with a row for each bound
// of the branch, x_j + s = u for x_j <= u and x_j - s + a = l for x_j >= l, whose slack (or
// artificial) variable joins the basis, so that any of the methods starts from it as from the problem.

#include <cstdint>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/engine/branch_node.h"

struct BoundRowsTable {
    SimplexIteration record;
    // column[j]: the column of the problem's column j in the record (entry 0 unused).
    std::vector<std::uint32_t> column;
};

// The slacks of the bound rows stand after the problem's own and slack columns (the first base_vars)
// and their artificials after all columns, so that base_vars still divides the columns; a problem
// without base_vars gets them all at its end. A bound on a column that is basic in the starting table
// is taken less that column's row, which keeps the basis a unit matrix.
BoundRowsTable with_bound_rows(const SimplexIteration& problem, const std::vector<BranchBound>& bounds);
