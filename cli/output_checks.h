#pragma once

#include <optional>
#include <string>

#include "cli/command_line.h"
#include "problem/simplex_iteration.h"

namespace cli {

// Why the run may not write one of its outputs (the report, the picture, the problem file of
// --write-qtb, the dual of --write-dual), in Russian for stderr; nothing when every output may be
// written. `problem` holds the options already; `report_refused` tells the caller the report is
// the one refused.
std::optional<std::string> refused_output(const SimplexIteration& problem, const Options& options, bool from_model,
                                          bool& report_refused);

}  // namespace cli
