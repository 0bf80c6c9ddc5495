#pragma once

// The two-phase method: phase I minimises the sum of the artificial variables, phase II the objective
// from the basis phase I ends with, the artificial columns (and any redundant rows) removed.

#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

struct ReportFrame;
struct RunObserver;
class ReportSink;

SolveOutcome run_two_phase(const SimplexIteration& run, const RunSettings& settings, const ReportFrame& frame,
                           const RunObserver& observer, ReportSink* report);
