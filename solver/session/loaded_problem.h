#pragma once

// A problem loaded once for a session: the record to run and, for a model, the
// canonical form its report frame, answer, sensitivity and picture come from.

#include <memory>
#include <optional>

#include "problem/canonical_form.h"
#include "problem/simplex_iteration.h"
#include "problem/transport_problem.h"
#include "solver/analysis/plane_source.h"
#include "solver/analysis/sensitivity_query.h"
#include "solver/session/load_request.h"

struct LoadedProblem {
    // A problem file's record as read (its reading hints are the load's warnings), or a model's canonical record.
    SimplexIteration record;
    // A model's canonical form without its record (that is `record`); null for a problem file.
    std::shared_ptr<const CanonicalForm> model;
    // A transport problem file's problem (its `record` stays empty): it runs by the method of potentials.
    std::shared_ptr<const transport::TransportProblem> transport;

    bool from_model() const { return model != nullptr; }
    bool is_transport() const { return transport != nullptr; }
    // A model whose report cannot be named after it: a front end names it or refuses the model.
    bool needs_report_name() const { return from_model() && !record.file; }
};

// Reads the request once. Throws SimplexIteration::bad_simplex for a problem file with errors,
// transport::TransportFileError for a transport problem file (.qtt) with errors; for a model what
// problem/model_loading.h throws (ModelReadError, CanonicalFormError, bad_simplex code 13).
LoadedProblem load_problem(const LoadRequest& request);

// What the sensitivity analysis asks of a run of `run` (the loaded record as the front end set it up).
SensitivityQuery sensitivity_query(const LoadedProblem& loaded, const SimplexIteration& run);

// The picture of a problem in two variables (a model's in its own variables), none otherwise; from the
// load itself, never from reading the file again.
std::optional<PlaneSource> plane_source(const LoadedProblem& loaded, const SimplexIteration& run);
