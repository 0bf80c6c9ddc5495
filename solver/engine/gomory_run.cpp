// Not written yet: the method refuses every problem, so that no run reaches run_gomory().

#include "solver/engine/gomory_run.h"

#include "solver/engine/integer_run.h"

std::optional<std::string> gomory_refusal(const SimplexIteration& /*problem*/, const RunSettings& /*settings*/) {
    return "метод Гомори (--integer gomory) пока не реализован; решите задачу методом ветвей и границ "
           "(--integer branch)";
}

SolveOutcome run_gomory(const SimplexIteration& problem, const RunSettings& settings, const ReportFrame& /*frame*/,
                        const RunObserver& /*observer*/, ReportSink* /*report*/) {
    throw IntegerMethodRefused(gomory_refusal(problem, settings).value_or(""));
}
