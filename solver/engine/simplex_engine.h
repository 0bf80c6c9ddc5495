#pragma once

#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

// A plain part of an estimate (and, for every column, an M part) smaller in
// magnitude than this is taken as exactly 0.
inline constexpr double ESTIMATE_EPS = 1e-10;
// The ratio test and the elimination search take only elements above this as pivots.
inline constexpr double PIVOT_EPS = 1e-9;

// pivot() followed by compute_estimates(), in one pass over the table: the step
// of a run between its choices.
void pivot_and_estimate(SimplexIteration& run);

struct ReportFrame;  // solver/report/report_frame.h
struct RunObserver;  // solver/engine/run_observer.h
class ReportSink;    // solver/report/report_sink.h

// A run in either arithmetic with either rule on its own copy of the record. Its tables go
// to `report` (none when it is null) and to the observer; the frame gives the text around
// them. The run's status codes come back in the outcome; Matrix::bad_matrix passes through.
// Who opens the report file and picks the sink is the caller (solver/session/run_with_report.h).
SolveOutcome run_method(SimplexIteration run, const RunSettings& settings, const ReportFrame& frame,
                        const RunObserver& observer, ReportSink* report);
