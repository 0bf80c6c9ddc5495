#pragma once

#include <optional>
#include <string>

#include "solver/analysis/plane_source.h"

namespace cli {

// Writes the picture of the run to `path` (UTF-8 SVG). A problem that is not in
// two variables (no source) gets a message on stderr and no file; a file that
// cannot be written gets a message and false.
bool write_plot(const std::string& path, const SimplexIteration& problem, const SolveOutcome& outcome,
                const std::optional<PlaneSource>& source);

}  // namespace cli
