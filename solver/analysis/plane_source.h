#pragma once

// Whether a problem has a picture in two variables, and the picture of a run:
// the one rule for qtb-solve's --plot and for the program's window.

#include <functional>
#include <optional>

#include "numerics/matrix.h"
#include "solver/analysis/plane_picture.h"

// The problem in its two variables and the point of a solution vector of its record.
struct PlaneSource {
    PlaneProblem plane;
    std::function<PlanePoint(const Matrix& solution)> point;
};

// A problem file's picture: its columns 1 and 2 are the point (see plane_problem_of_record).
std::optional<PlaneSource> plane_source_of_record(const SimplexIteration& problem);

// The picture of a run of `problem`: its basic solutions in order and, at an optimum, the optimum. A run of
// the dual simplex method made its pivots on its own start table: they are replayed there.
PlanePicture run_plane_picture(const SimplexIteration& problem, const SolveOutcome& outcome, const PlaneSource& source);
