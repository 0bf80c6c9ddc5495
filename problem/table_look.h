#pragma once

// How a table of the two-phase or the dual simplex method differs from a table of
// the big-M method, which keeps the default look: what the report writers, the
// documents and the window draw beside the grid.

#include <cstdint>
#include <string>
#include <vector>

struct TableLook {
    // 0: a method without phases; 1 or 2: phase I (the auxiliary problem of w) or phase II.
    std::int32_t phase = 0;
    // One estimate row instead of the M line and the plain line: a table whose costs hold no M
    // (both phases of the two-phase method, the dual simplex method). Phase I's row is that of w.
    bool single_estimate_row = false;
    // The last table of phase I when w = 0: what follows is phase II, not the answer.
    bool phase_end = false;
    // The last table of phase I when w > 0: the system of constraints has no solution.
    bool infeasible = false;
    // Rows the end of phase I found redundant (numbers of phase I's table), dropped in phase II.
    std::vector<std::uint32_t> redundant_rows;
    // The dual simplex method's ratio row under the estimates, by which the key column is chosen:
    // columns 0..n, the text of |estimate / element| as the report shows it for the key row's
    // negative elements, empty elsewhere. No ratio row when the vector is empty.
    std::vector<std::string> ratio_cells;

    bool operator==(const TableLook&) const = default;
};
