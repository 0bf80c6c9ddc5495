#pragma once

#include <functional>

#include "solver/engine/run_observer.h"
#include "solver/session/load_request.h"
#include "solver/session/loaded_problem.h"
#include "solver/session/session_run.h"

// The calls of the session that the main window makes. The program always uses real(); the tests
// put their own in to provoke failures that a well-formed problem cannot produce.
struct ModelCalls {
    // Loads a problem file or a model (solver/session/loaded_problem.h); a model is read on a worker
    // thread and gives up with ModelReadError once the request's stop is requested.
    std::function<LoadedProblem(const LoadRequest& request)> load;
    // Runs a copy of the loaded record, watched, on a worker thread (solver/session/session_run.h);
    // its status codes come back in the outcome.
    std::function<SessionRun(const LoadedProblem& loaded, SimplexIteration run, const SessionSettings& settings,
                             const RunObserver& observer)>
        run;

    static ModelCalls real();
};
