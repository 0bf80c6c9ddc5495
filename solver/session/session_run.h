#pragma once

// A loaded problem run once with the front end's settings: the report file with the
// load's frame around its tables, and what the front ends show besides the report.

#include <memory>
#include <optional>

#include "problem/simplex_iteration.h"
#include "solver/analysis/plane_picture.h"
#include "solver/analysis/plane_source.h"
#include "solver/analysis/sensitivity.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/run_types.h"
#include "solver/report/report_frame.h"
#include "solver/session/loaded_problem.h"

struct SessionSettings {
    // Arithmetic, rule, report form and encoding, time limit; from_model is the load's, and
    // keep_final_table is set when the sensitivity is asked for.
    RunSettings run;
    // The analysis of an optimum: at the end of a document, and in SessionRun::sensitivity.
    bool sensitivity = false;
    // A text report ends with the run's notes too.
    bool text_notes = false;
    // SessionRun::picture is drawn (the record is kept for it).
    bool picture = false;
};

struct SessionRun {
    SolveOutcome outcome;
    // The record as run, for its names and print settings; its table only when the picture needed it.
    SimplexIteration record;
    // At an optimum with its final table, when asked for.
    std::optional<SensitivityReport> sensitivity;
    // The problem in two variables, whatever the run's end; none for other problems.
    std::shared_ptr<const PlaneSource> plane;
    // The run's picture, when asked for and there is a plane.
    std::optional<PlanePicture> picture;
};

// The text a run's report holds around its tables: a model's construction and answer, and the
// sensitivity sections when asked for. Its functions may be called on any thread.
ReportFrame session_frame(const LoadedProblem& loaded, const SimplexIteration& run, const SessionSettings& settings);

// Runs `run` (the loaded record as the front end set it up) on the caller's thread, which may be a
// worker: the observer sees the tables and may stop it. The run's status codes come back in the outcome.
SessionRun run_session(const LoadedProblem& loaded, SimplexIteration run, const SessionSettings& settings,
                       const RunObserver& observer = {});
