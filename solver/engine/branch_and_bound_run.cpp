#include "solver/engine/branch_and_bound_run.h"

#include "solver/engine/integer_run.h"

SolveOutcome run_branch_and_bound(const SimplexIteration& /*problem*/, const RunSettings& /*settings*/,
                                  const ReportFrame& /*frame*/, const RunObserver& /*observer*/,
                                  ReportSink* /*report*/) {
    throw IntegerMethodRefused("метод ветвей и границ пока не реализован");
}
