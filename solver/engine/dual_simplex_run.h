#pragma once

// The dual simplex method: every row a "<=" row with a slack of its own, right-hand sides of any sign,
// from the slack basis when it is dual feasible.

#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

struct ReportFrame;
struct RunObserver;
class ReportSink;

SolveOutcome run_dual_simplex(SimplexIteration run, const RunSettings& settings, const ReportFrame& frame,
                                const RunObserver& observer, ReportSink* report);
