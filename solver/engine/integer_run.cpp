#include "solver/engine/integer_run.h"

#include "solver/engine/branch_and_bound_run.h"
#include "solver/engine/gomory_run.h"

bool keeps_integer_conditions(const SimplexIteration& problem, const RunSettings& settings) {
    return settings.integer != IntegerMethod::relax && !problem.integer_columns.empty();
}

std::optional<std::string> integer_method_refusal(const SimplexIteration& problem, const RunSettings& settings) {
    if (!keeps_integer_conditions(problem, settings)) return std::nullopt;
    if (settings.integer == IntegerMethod::gomory) return gomory_refusal(problem, settings);
    return std::nullopt;
}

SolveOutcome run_integer(const SimplexIteration& problem, const RunSettings& settings, const ReportFrame& frame,
                         const RunObserver& observer, ReportSink* report) {
    if (const auto refusal = integer_method_refusal(problem, settings)) throw IntegerMethodRefused(*refusal);
    if (settings.integer == IntegerMethod::gomory) return run_gomory(problem, settings, frame, observer, report);
    return run_branch_and_bound(problem, settings, frame, observer, report);
}
