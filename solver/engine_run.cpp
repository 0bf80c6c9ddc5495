// One run of the simplex method in the arithmetic and with the rule asked for;
// the loop itself and its rules live in solver/big_m_method.h.

#include <utility>

#include "solver/big_m_method.h"
#include "solver/double_tableau.h"
#include "solver/exact_tableau.h"
#include "solver/report_frame.h"
#include "solver/run_observer.h"
#include "solver/simplex_engine.h"

SolveOutcome run_simplex(SimplexIteration run, RunSettings settings, const ReportFrame& frame,
                         const RunObserver& observer) {
    SolveOutcome outcome;
    if (settings.arithmetic == Arithmetic::exact) {
        ExactTableau numbers(run);
        big_m::Method<ExactTableau> method(run, numbers, settings.rule);
        method.keep_final_table(settings.keep_final_table);
        outcome = method.run(frame, settings, observer);
    } else {
        DoubleTableau numbers(run);
        big_m::Method<DoubleTableau> method(run, numbers, settings.rule);
        method.keep_final_table(settings.keep_final_table);
        outcome = method.run(frame, settings, observer);
    }
    return outcome;
}

SolveOutcome run_simplex(SimplexIteration run, RunSettings settings, const ReportFrame& frame) {
    return run_simplex(std::move(run), settings, frame, RunObserver{});
}

std::string stopped_run_text(std::int32_t pivots) {
    return "Решение остановлено пользователем после итерации " + std::to_string(pivots) + ".";
}

SolveOutcome run_simplex(SimplexIteration run, RunSettings settings) {
    return run_simplex(std::move(run), settings, ReportFrame{});
}

SolveOutcome solve_with_outcome(SimplexIteration run, const ReportFrame& frame) {
    SolveOutcome outcome = run_simplex(std::move(run), RunSettings{}, frame);
    if (!outcome.status.empty()) throw outcome.status;
    return outcome;
}

SolveOutcome solve_with_outcome(SimplexIteration run) { return solve_with_outcome(std::move(run), ReportFrame{}); }

Matrix solve(SimplexIteration run) { return solve_with_outcome(std::move(run)).solution; }
