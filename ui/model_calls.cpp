#include "ui/model_calls.h"

#include "solver/simplex_engine.h"

ModelCalls ModelCalls::real() {
    return {
        [](const std::string& problem_file) { return SimplexIteration(problem_file); },
        [](SimplexIteration run) { return ::solve(std::move(run)); },
    };
}
