// One run of the simplex method by the method, in the arithmetic and with the rule asked for; the
// big-M loop and its rules live in solver/engine/big_m_method.h, the other methods beside it
// (two_phase_method.h, dual_simplex_method.h).

#include "solver/engine/big_m_method.h"
#include "solver/engine/double_tableau.h"
#include "solver/engine/dual_simplex_run.h"
#include "solver/engine/exact_tableau.h"
#include "solver/engine/integer_run.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/simplex_engine.h"
#include "solver/engine/two_phase_run.h"
#include "solver/report/report_frame.h"

namespace {

template <class Tableau>
SolveOutcome run_in(SimplexIteration& run, const RunSettings& settings, const ReportFrame& frame,
                    const RunObserver& observer, ReportSink* report) {
    Tableau numbers(run);
    big_m::Method<Tableau> method(run, numbers, settings.rule);
    method.keep_final_table(settings.keep_final_table);
    return method.run(frame, settings, observer, report);
}

}  // namespace

SolveOutcome run_method(SimplexIteration run, const RunSettings& settings, const ReportFrame& frame,
                        const RunObserver& observer, ReportSink* report) {
    // An integer method solves linear programs by the method below, each with the conditions relaxed.
    if (keeps_integer_conditions(run, settings)) return run_integer(run, settings, frame, observer, report);
    // The other methods make their own records from the problem's.
    if (settings.method == SolveMethod::two_phase) return run_two_phase(run, settings, frame, observer, report);
    if (settings.method == SolveMethod::dual_simplex) return run_dual_simplex(run, settings, frame, observer, report);
    if (settings.arithmetic == Arithmetic::exact) return run_in<ExactTableau>(run, settings, frame, observer, report);
    return run_in<DoubleTableau>(run, settings, frame, observer, report);
}
