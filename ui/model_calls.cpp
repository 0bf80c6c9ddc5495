#include "ui/model_calls.h"

#include "problem/model_loading.h"
#include "solver/engine/run_observer.h"
#include "solver/session/run_with_report.h"

ModelCalls ModelCalls::real() {
    return {
        [](const std::string& problem_file) { return SimplexIteration(problem_file); },
        [](SimplexIteration run) { return ::solve(std::move(run)); },
        [](const std::string& model_file, ModelFormat format, const ModelLoadStop* stop) {
            return load_model(model_file, format, std::nullopt, stop);
        },
        [](SimplexIteration run, const ReportFrame& frame) {
            return solve_with_outcome(std::move(run), frame).solution;
        },
        [](SimplexIteration run, const RunSettings& settings, const ReportFrame& frame, const RunObserver& observer) {
            return run_simplex(std::move(run), settings, frame, observer);
        },
    };
}
