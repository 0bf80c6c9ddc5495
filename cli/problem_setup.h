#pragma once

#include "cli/command_line.h"
#include "problem/simplex_iteration.h"

namespace cli {

// Puts the print settings of the command line into a loaded problem, as the
// main window does with its controls before a solve.
void apply_options(SimplexIteration& problem, const Options& options);

}  // namespace cli
