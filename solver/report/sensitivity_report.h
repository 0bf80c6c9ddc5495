#pragma once

// Sensitivity analysis at an optimum, as plain data for any printer: the text
// and JSON of qtb-solve, and the document writers.

#include <optional>
#include <string>
#include <vector>

// A number of the analysis: a double, and for an exact run also the fraction
// "p/q" (or an integer). An infinite end of a range is +-infinity with no text.
struct SensitivityNumber {
    double value = 0.0;
    std::optional<std::string> exact;
};

struct SensitivityRow {
    std::string name;  // UTF-8; the row's number for a problem file
    // Change of the optimal objective per unit increase of the row's right-hand side.
    SensitivityNumber dual;
    SensitivityNumber rhs;  // the right-hand side as stated (for a range row, its active bound)
    // Right-hand sides over which the final basis stays feasible (so `dual` holds).
    SensitivityNumber rhs_low, rhs_high;
    // For a row the canonical form left out (a row without coefficients, a free
    // row): why, in Russian; its dual is 0. Empty for every other row.
    std::string dropped;
};

struct SensitivityVariable {
    std::string name;  // UTF-8
    SensitivityNumber value;
    // Change of the optimal objective per unit increase of the variable, the other
    // non-basic variables staying at their bounds; 0 for a basic variable.
    SensitivityNumber reduced_cost;
    SensitivityNumber cost;
    // Costs over which the solution found stays optimal.
    SensitivityNumber cost_low, cost_high;
};

struct SensitivityReport {
    std::vector<SensitivityRow> rows;
    std::vector<SensitivityVariable> variables;
    // False at a degenerate optimum (a basic variable at 0): other dual values may do as well.
    bool unique = true;
    double magnitude = 0.0;  // of the problem: below its 1e-9 share a number reads as 0
};
