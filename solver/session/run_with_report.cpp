#include "solver/session/run_with_report.h"

#include <memory>
#include <utility>

#include "problem/people_number.h"
#include "problem/status_texts.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/simplex_engine.h"
#include "solver/report/report_file.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_sink.h"

SolveOutcome run_simplex(SimplexIteration run, RunSettings settings, const ReportFrame& frame,
                         const RunObserver& observer) {
    if (run.no_table) return run_method(std::move(run), settings, frame, observer, nullptr);
    ReportFile file;
    if (!(run.file && file.open(*run.file))) {
        SolveOutcome outcome;
        outcome.settings = settings;
        outcome.magnitude = people_number::largest_magnitude(run.table);
        outcome.status.add(kCannotOpenReportFile);
        return outcome;
    }
    SolveOutcome outcome;
    {
        const std::unique_ptr<ReportSink> sink = make_report_sink(settings.form, settings.encoding, file.stream());
        outcome = run_method(std::move(run), settings, frame, observer, sink.get());
    }
    // Last, after the codes of the run: a report cut short (a full disk) is no success.
    if (!file.close()) outcome.status.add(kCannotOpenReportFile);
    return outcome;
}

SolveOutcome run_simplex(SimplexIteration run, RunSettings settings, const ReportFrame& frame) {
    return run_simplex(std::move(run), settings, frame, RunObserver{});
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
