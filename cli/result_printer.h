#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/dual_model.h"
#include "problem/model_error_place.h"
#include "problem/simplex_iteration.h"
#include "solver/analysis/dual_solution.h"
#include "solver/engine/run_types.h"
#include "solver/report/sensitivity_report.h"

namespace cli {

// Tells how a problem fared: for people (Russian, UTF-8, control characters of names written out
// as \x1B) or as one JSON object.
class ResultPrinter {
public:
    virtual ~ResultPrinter() = default;
    // The problem file has errors.
    virtual void read_failed(const SimplexIteration::bad_simplex& failure) = 0;
    // The problem was refused before its run began.
    virtual void solve_failed(const SimplexIteration::bad_simplex& failure) = 0;
    // The run ended with the status codes of outcome.status.
    virtual void run_failed(const SimplexIteration& problem, const SolveOutcome& outcome) = 0;
    // `sensitivity`: the session's analysis, there when asked for at an optimum.
    virtual void solved(const SimplexIteration& problem, const SolveOutcome& outcome,
                        const std::optional<SensitivityReport>& sensitivity) = 0;
    // What a model printed (display, printf; UTF-8, not empty), told before its result.
    virtual void model_output(std::string_view text) = 0;
    // A model that could not be read or converted; the message is UTF-8, the place's line 0 when
    // the message names none.
    virtual void model_read_failed(std::string_view message, const ModelErrorPlace& place) = 0;
    // What the reading of a problem file that loaded noticed, told with the result that follows.
    virtual void reading_warnings(const std::vector<SimplexIteration::bad_simplex::Hint>& warnings) = 0;
    // A run refused before it began, for a reason without a status code (UTF-8).
    virtual void run_refused(std::string_view message) = 0;
    // A run refused because its method (its word on the command line: "dual", "gomory") does not
    // apply to the problem (UTF-8).
    virtual void method_refused(std::string_view message, std::string_view method) = 0;
    // A model solved through its canonical form (`run` the record as solved).
    virtual void model_solved(const CanonicalForm& model, const SimplexIteration& run, const SolveOutcome& outcome,
                              const std::optional<SensitivityReport>& sensitivity) = 0;
    // The dual of the model `primal` (--dual), told before the run.
    virtual void dual_problem(const LpModel& primal, const DualProblem& dual) = 0;
    // The dual solution of the run about to be told (--dual), none without an optimum; told with the result.
    virtual void dual_solution(const std::optional<DualSolution>& solution) = 0;
};

// With `sensitivity`, a solved problem also gets the session's sensitivity analysis (a run
// without one is told why not).
std::unique_ptr<ResultPrinter> make_text_printer(std::ostream& out, bool sensitivity = false);
std::unique_ptr<ResultPrinter> make_json_printer(std::ostream& out, bool sensitivity = false);

// The one JSON object of a run that ended before or outside the printers: a usage error (stage
// "usage") or another failure (stage "failure"); the message is UTF-8.
void print_json_failure(std::ostream& out, std::string_view stage, std::string_view message);
// The one JSON object of a run that wrote a problem file (--write-qtb) instead of solving.
void print_json_written(std::ostream& out, std::string_view file);

// The name of variable j as the report shows it, in UTF-8.
std::string variable_name(const SimplexIteration& problem, std::uint32_t j);

// The shortest decimal form that reads back to the same double ("inf", "nan" for the others).
std::string shortest_number(double x);

}  // namespace cli
