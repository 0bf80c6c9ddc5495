#include "solver/engine/two_phase_run.h"

#include <utility>

#include "solver/engine/simplex_engine.h"

SolveOutcome run_two_phase(SimplexIteration run, const RunSettings& settings, const ReportFrame& frame,
                              const RunObserver& observer, ReportSink* report) {
    // Not built yet: the big-M method's run.
    RunSettings big_m = settings;
    big_m.method = SolveMethod::big_m;
    return run_method(std::move(run), big_m, frame, observer, report);
}
