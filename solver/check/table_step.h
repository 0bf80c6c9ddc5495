#pragma once

// One step of the big-M method on a table given exactly, as the engine makes it: the method's own choice
// of key column and row, and its exact pivot.

#include <cstdint>
#include <optional>

#include "problem/simplex_iteration.h"
#include "solver/check/exact_table.h"
#include "solver/engine/run_types.h"

// The table after the pivot that the rule chooses in `table`, a table of `problem` (its costs, names and
// sense). Nothing when the method stops there: no key column, or no key row.
std::optional<ExactTable> next_table(const SimplexIteration& problem, const ExactTable& table, PivotRule rule);

// The table after a pivot at the given column and row, whatever the rule would choose; nothing when
// they lie outside the table or the element there is 0.
std::optional<ExactTable> pivoted(const SimplexIteration& problem, const ExactTable& table, std::uint32_t column,
                                  std::uint32_t row);
