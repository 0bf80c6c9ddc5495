#pragma once

#include <functional>
#include <string>

#include "numerics/matrix.h"
#include "problem/canonical_form.h"
#include "problem/model_format.h"
#include "problem/model_load_stop.h"
#include "problem/simplex_iteration.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/run_types.h"
#include "solver/report/report_frame.h"

// The calls of the model that the main window makes. The program always uses real(); the tests
// put their own in to provoke failures that a well-formed problem cannot produce.
struct ModelCalls {
    // Builds a record from a problem file (path bytes as the file system takes them).
    std::function<SimplexIteration(const std::string& problem_file)> read;
    // Runs the engine on its own copy of a record.
    std::function<Matrix(SimplexIteration run)> solve;
    // Reads a model (CPLEX LP, MPS, MathProg) into its canonical form, the report named after the model;
    // called on a worker thread, it gives up with ModelReadError once `stop` is requested.
    std::function<CanonicalForm(const std::string& model_file, ModelFormat format, const ModelLoadStop* stop)>
        read_model;
    // Runs the engine on its own copy of a model's record, with the model's text around the tables.
    std::function<Matrix(SimplexIteration run, const ReportFrame& frame)> solve_model;
    // A watched run on its own copy of a record (a problem file's frame is empty), made as the settings say;
    // its status codes come back in the outcome. When it is empty the window runs `solve` or
    // `solve_model`, unwatched.
    std::function<SolveOutcome(SimplexIteration run, const RunSettings& settings, const ReportFrame& frame,
                               const RunObserver& observer)>
        watched_solve;

    static ModelCalls real();
};
