#pragma once

// A checked table as the windows show tables: its numbers as fractions, the problem's costs and names.

#include <cstdint>

#include "problem/simplex_iteration.h"
#include "solver/check/exact_table.h"
#include "solver/report/table_snapshot.h"

TableSnapshot snapshot_of(const SimplexIteration& problem, const ExactTable& table, std::int32_t iteration);
