#pragma once

#include <string>

#include "cli/command_line.h"
#include "problem/simplex_iteration.h"

namespace cli {

// Puts the print settings of the command line into a loaded problem, as the
// main window does with its controls before a solve.
void apply_options(SimplexIteration& problem, const Options& options);

// True when the run would write its report over the problem file itself.
bool report_overwrites_problem(const SimplexIteration& problem, const std::string& problem_file);

}  // namespace cli
