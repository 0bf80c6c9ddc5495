#pragma once

#include <functional>
#include <string>

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"

// The two calls of the model that the main window makes. The program always uses real(); the tests
// put their own in to provoke failures that a well-formed problem cannot produce.
struct ModelCalls {
    // Builds a record from a problem file (path bytes as the file system takes them).
    std::function<SimplexIteration(const std::string& problem_file)> read;
    // Runs the engine on its own copy of a record.
    std::function<Matrix(SimplexIteration run)> solve;

    static ModelCalls real();
};
