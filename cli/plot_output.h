#pragma once

#include <functional>
#include <optional>
#include <string>

#include "solver/plane_picture.h"

namespace cli {

// What --plot needs besides the run: the problem in its two variables (nothing
// when it has not exactly two) and the point of a solution vector of the record.
struct PlotSource {
    std::optional<PlaneProblem> plane;
    std::function<PlanePoint(const Matrix& solution)> point;
};

// Writes the picture of the run to `path` (UTF-8 SVG). A problem that is not in
// two variables gets a message on stderr and no file; a file that cannot be
// written gets a message and false.
bool write_plot(const std::string& path, const SimplexIteration& problem, const SolveOutcome& outcome,
                const PlotSource& source);

}  // namespace cli
