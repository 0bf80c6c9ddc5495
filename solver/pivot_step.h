#pragma once

#include "problem/simplex_iteration.h"

namespace engine {

// Pivots the run's table on (pivot_row, pivot_col); with `then_estimates`, computes
// the estimates of the new table too, in the same pass over it, exactly as a
// following compute_estimates() would.
void pivot_table(SimplexIteration& run, bool then_estimates);

}  // namespace engine
