#pragma once

// Sensitivity analysis from the final table of an optimal run: dual values of
// the rows with the ranges of their right-hand sides, reduced costs of the
// variables with the ranges of their costs. One computation for both
// arithmetics; the query says which rows and variables people see.

#include <optional>

#include "solver/analysis/sensitivity_query.h"
#include "solver/engine/final_table.h"
#include "solver/engine/run_types.h"
#include "solver/report/sensitivity_report.h"

SensitivityReport sensitivity_report(const FinalTableSnapshot& final_table, const SensitivityQuery& query);

// The analysis of a run that kept its final table (an optimum asked for with it); none for any
// other run. The query is made only when there is something to ask.
template <class MakeQuery>
std::optional<SensitivityReport> sensitivity_of_optimum(const SolveOutcome& outcome, MakeQuery make_query) {
    if (!outcome.final_table) return std::nullopt;
    return sensitivity_report(*outcome.final_table, make_query());
}
