#pragma once

// How a table of the two-phase or the dual simplex method differs from a table of
// the big-M method, which keeps the default look: what the report writers, the
// documents and the window draw beside the grid.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Why the engine chose a table's key column and key row, and why the run ended at it: what an
// explained report writes beside the table and under it. Numbers are texts as the report prints them.
struct TableChoices {
    // How the key column was found.
    enum class Column : std::uint8_t {
        none,
        largest_estimate,  // the largest estimate in magnitude among the candidates (Dantzig)
        first_candidate,   // the lowest candidate (Bland)
        elimination,       // no candidate: an own column with a zero estimate that replaces an artificial at 0
        drive_out,         // the end of phase I: the first own column with a non-zero element in the row
        least_ratio,       // the dual simplex method: the least |estimate / element| of the key row
    };
    // How the key row was found.
    enum class Row : std::uint8_t {
        none,
        least_ratio,    // the least b_i / a_is over the rows with a_is > 0
        most_negative,  // the dual simplex method: the most negative value (Dantzig)
        lowest_basic,   // the dual simplex method: the negative value of the lowest basic variable (Bland)
        drive_out,      // the end of phase I: the row of an artificial variable still basic
    };
    // Why the run ended at this table; goes_on for a table with a pivot after it.
    enum class End : std::uint8_t {
        goes_on,
        optimum,              // no estimate improves the objective (the dual method: no value is negative)
        unbounded,            // no positive element in the key column
        inconsistent,         // an artificial variable stays basic with a positive value (phase I: w > 0)
        no_negative_element,  // the dual simplex method: the key row has no negative element
        phase_end,            // phase I ended with w = 0
        iteration_limit,
        cycling,
        stopped,
    };

    bool maximise = true;
    bool dual = false;   // the dual simplex method: the row is chosen first
    bool bland = false;  // Bland's rule, else Dantzig's
    // The ratio column, rows 0..m (entry 0 unused): b_i / a_is of each row that qualified,
    // empty for the others. Empty for a table without a ratio test.
    std::vector<std::string> row_ratios;

    Column column = Column::none;
    std::uint32_t key_column = 0;
    std::string key_m_part;        // the key column's estimate: its part at M (empty for 0)
    std::string key_plain_part;    // and its plain part
    std::string key_column_ratio;  // the dual method: the key column's |estimate / element|
    // The other candidates: those that tied with the key column (Dantzig), or every other candidate (Bland).
    std::vector<std::uint32_t> column_rivals;

    Row row = Row::none;
    std::uint32_t key_row = 0;
    std::string key_row_value;              // the least ratio; the dual method: the key row's value
    std::vector<std::uint32_t> row_rivals;  // rows of an equal ratio (Bland, the dual: every other negative row)
    bool artificial_rows_only = false;      // the ratio test took only the rows of artificial variables
    std::string pivot_element;

    End end = End::goes_on;
    std::vector<std::uint32_t> positive_artificial_rows;  // rows that make the system inconsistent
    std::int32_t iteration_limit = 0;

    bool operator==(const TableChoices&) const = default;
};

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
    // The engine's choices of the table, in a run that explains them.
    std::optional<TableChoices> choices;

    bool operator==(const TableLook&) const = default;
};
