#pragma once

#include <cstdint>
#include <vector>

#include "numerics/matrix.h"
#include "solver/engine/estimate_columns.h"
#include "solver/engine/table_facts.h"

namespace engine {

// The pivot on (r, s) of a table whose facts are clean, with the estimates of the
// new table, bit for bit what pivot_table() makes of it. Needs a(r,s) > 0 and a
// finite cost in every row; `estimates` are those of the new basis. Keeps the facts
// up to date, or forgets them when the new table holds an infinite or NaN element or a -0.
void pivot_clean_table(Matrix& table, std::uint32_t r, std::uint32_t s, const EstimateInputs& estimates,
                       TableFacts& facts);

// The key row r and the key column s of the table before a pivot, copied: the pivot overwrites them.
void copy_key_lines(const Matrix& table, std::uint32_t r, std::uint32_t s, std::vector<double>& key_row,
                    std::vector<double>& key_column);

}  // namespace engine
