#pragma once

#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "problem/simplex_iteration.h"

namespace cli {

// Puts the print settings of the command line into a loaded problem, as the
// main window does with its controls before a solve.
void apply_options(SimplexIteration& problem, const Options& options);

// The report file's name with its extension (after the last dot of the file's
// own name) replaced by `extension`, or with it added.
std::string with_extension(const std::string& name, std::string_view extension);

}  // namespace cli
