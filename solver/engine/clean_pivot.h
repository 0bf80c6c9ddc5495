#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "numerics/matrix.h"
#include "solver/engine/estimate_columns.h"
#include "solver/engine/kernel_scratch.h"
#include "solver/engine/table_facts.h"

namespace engine {

// The pivot on (r, s) of a table whose facts are clean, with the estimates of the
// new table, bit for bit what pivot_table() makes of it. Needs a(r,s) > 0 and a
// finite cost in every row; `estimates` are those of the new basis. Keeps the facts
// up to date, or forgets them when the new table holds an infinite or NaN element or a -0.
// It works in the caller's `scratch`.
void pivot_clean_table(Matrix& table, std::uint32_t r, std::uint32_t s, const EstimateInputs& estimates,
                       TableFacts& facts, KernelScratch& scratch);

// The key of a pivot on (r, s), with the key row and the key column of the table
// before it, copied, since the pivot overwrites them.
struct PivotKey {
    Matrix& table;
    std::uint32_t r;
    std::uint32_t s;
    double a_rs;
    std::span<const double> key_row;     // row r before the pivot
    std::span<const double> key_column;  // [i]: a(i,s) before the pivot
};

// The key of a pivot on (r, s), its lines copied into the scratch.
PivotKey copy_key_lines(Matrix& table, std::uint32_t r, std::uint32_t s, KernelScratch& scratch);

}  // namespace engine
