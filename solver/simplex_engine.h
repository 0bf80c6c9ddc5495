#pragma once

#include <cstdint>

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"

// A plain part of an estimate (and, for every column, an M part) smaller in
// magnitude than this is taken as exactly 0.
inline constexpr double ESTIMATE_EPS = 1e-10;
// The ratio test and the elimination search take only elements above this as pivots.
inline constexpr double PIVOT_EPS = 1e-9;

// Solves the problem of a loaded record by the big-M simplex method on its own
// copy, writing the selected tables to the report file. Returns the solution
// vector ((n+1) x 1: element 0 the objective value, element basis[i] the value
// b_i) or throws SimplexIteration::bad_simplex with the run's status codes.
Matrix solve(SimplexIteration run);

// pivot() followed by compute_estimates(), in one pass over the table: the step
// of a run between its choices.
void pivot_and_estimate(SimplexIteration& run);

// How a run that returned its solution vector ended: its final table either has
// no key column, or the iteration limit stopped it at a table that still has one.
enum class RunEnd { optimal, iteration_limit };

struct SolveOutcome {
    Matrix solution;
    RunEnd end = RunEnd::optimal;
    std::int32_t iterations = 0;  // pivots made
};

// The same run as solve(), also telling how it ended (for tools that report it).
SolveOutcome solve_with_outcome(SimplexIteration run);
