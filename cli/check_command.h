#pragma once

// --check and --check-dir: a student's tables checked against the exact run of a problem.

#include "cli/command_line.h"
#include "solver/session/loaded_problem.h"

namespace cli {

// Exit statuses of a check besides 0 (every table right).
inline constexpr int kCheckWrong = 5;       // a wrong cell, a wrong pivot or a table not wanted
inline constexpr int kCheckUnfinished = 6;  // every table right, but the method goes on past the last

// Checks the file of --check against the loaded problem; prints the result, returns the exit status.
int check_written_tables(const LoadedProblem& loaded, const Options& options);

// Checks every student file of the --check-dir folder, each against its variant, and writes the grade
// sheet; returns the exit status.
int check_folder(const Options& options);

}  // namespace cli
