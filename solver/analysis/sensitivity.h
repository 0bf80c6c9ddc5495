#pragma once

// Sensitivity analysis from the final table of an optimal run: dual values of
// the rows with the ranges of their right-hand sides, reduced costs of the
// variables with the ranges of their costs. One computation for both
// arithmetics; the query says which rows and variables people see.

#include "solver/analysis/sensitivity_query.h"
#include "solver/engine/final_table.h"
#include "solver/report/sensitivity_report.h"

SensitivityReport sensitivity_report(const FinalTableSnapshot& final_table, const SensitivityQuery& query);
