#include "ui/model_calls.h"

#include <utility>

ModelCalls ModelCalls::real() {
    return {
        [](const LoadRequest& request) { return load_problem(request); },
        [](const LoadedProblem& loaded, SimplexIteration run, const SessionSettings& settings,
           const RunObserver& observer) { return run_session(loaded, std::move(run), settings, observer); },
    };
}
