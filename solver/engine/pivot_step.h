#pragma once

#include "problem/simplex_iteration.h"
#include "solver/engine/table_facts.h"

namespace engine {

// Pivots the run's table on (pivot_row, pivot_col); with `then_estimates`, computes
// the estimates of the new table too, in the same pass over it, exactly as a
// following compute_estimates() would. With the facts of the run's table (kept
// by the caller from pivot to pivot, unchanged in between), a pivot with its
// estimates leaves out what the facts show cannot change.
void pivot_table(SimplexIteration& run, bool then_estimates, TableFacts* facts = nullptr);

}  // namespace engine
