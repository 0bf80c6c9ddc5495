#pragma once

// Branch and bound: a tree of linear programs, each the relaxation of the problem with bounds on
// integer columns, solved by the linear method of the settings.

#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

struct ReportFrame;
struct RunObserver;
class ReportSink;

SolveOutcome run_branch_and_bound(const SimplexIteration& problem, const RunSettings& settings,
                                  const ReportFrame& frame, const RunObserver& observer, ReportSink* report);
