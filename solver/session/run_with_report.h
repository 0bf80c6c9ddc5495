#pragma once

// A run whose report goes to the file its record names, in the form its settings ask
// for: the entry point of the front ends, the tests and the benchmarks.

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

struct ReportFrame;  // solver/report/report_frame.h
struct RunObserver;  // solver/engine/run_observer.h

// Solves the problem of a loaded record by the big-M simplex method on its own
// copy, writing the selected tables to the report file. Returns the solution
// vector ((n+1) x 1: element 0 the objective value, element basis[i] the value
// b_i) or throws SimplexIteration::bad_simplex with the run's status codes.
Matrix solve(SimplexIteration run);

// The same run as solve(), also telling how it ended (for tools that report it).
SolveOutcome solve_with_outcome(SimplexIteration run);

// The same run with text before the first table and after the last one.
SolveOutcome solve_with_outcome(SimplexIteration run, const ReportFrame& frame);

// A run in either arithmetic with either rule. The run's status codes come back
// in the outcome instead of being thrown; Matrix::bad_matrix still passes through.
SolveOutcome run_simplex(SimplexIteration run, RunSettings settings);
// The same, with text before the first table and after the last one.
SolveOutcome run_simplex(SimplexIteration run, RunSettings settings, const ReportFrame& frame);
// The same, watched: the observer sees every table and the progress, and may stop the run.
SolveOutcome run_simplex(SimplexIteration run, RunSettings settings, const ReportFrame& frame,
                         const RunObserver& observer);
