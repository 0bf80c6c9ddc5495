#pragma once

// The solution of a model's dual (problem/dual_model.h) read off the final table of the model's
// optimum, as students read it: each dual variable is the estimate of the column that was the unit
// column of its constraint's row in the first table (the slack, or the artificial with its M cost
// taken back), or, for a bound that the canonical form put into a variable's substitution, the
// estimate of that variable's column. Beside it stands what the sensitivity analysis computes for
// the same constraint, and the duality theorem's check: the primal optimum against b·y.

#include <cstdint>
#include <string>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/dual_model.h"
#include "problem/simplex_iteration.h"
#include "solver/engine/final_table.h"
#include "solver/engine/run_types.h"
#include "solver/report/people_format.h"
#include "solver/report/sensitivity_report.h"

struct DualValue {
    std::string name;            // the dual variable's, UTF-8
    std::string reading;         // how the table gives it: "Δ4", "-Δ7", "Δ9 - M", "-(Δ9 + M)"; empty for none
    std::uint32_t column = 0;    // the column whose estimate it is; 0 for none
    std::string column_name;     // that column's name, UTF-8
    std::string without_column;  // why there is no column (a dropped row, a fixed variable), UTF-8
    SensitivityNumber value;     // as read off the table
    SensitivityNumber analysis;  // as the sensitivity analysis gives it
};

struct DualSolution {
    std::vector<DualValue> values;  // in the order of the dual's variables
    SensitivityNumber primal_objective;
    SensitivityNumber dual_objective;  // b·y and the objective's constant
    bool equal = false;                // exactly for an exact run, to 1e-9 of the problem's scale otherwise
    double magnitude = 0.0;            // of the problem, for the texts of its numbers
    // Read off the problem's own table at the run's final basis, not off a table the run printed: the
    // tables of two phases and of the dual simplex method are not the problem's.
    bool problem_table = false;
};

// `form` is the canonical form of the model `dual` is the dual of, `run` the record as run (its
// column names) and `outcome` that run's optimum with its final table.
DualSolution dual_solution(const DualProblem& dual, const CanonicalForm& form, const SimplexIteration& run,
                           const SolveOutcome& outcome, const FinalTableSnapshot& final_table);

// The solution for people, UTF-8 without line ends: the header «Двойственное решение ...», a line for
// each dual variable («y_c1 = Δ5 = 2 ...») and the duality theorem's line (равны / не равны).
std::vector<std::string> dual_solution_lines(const DualSolution& solution, const PeopleFormat& format = {});
