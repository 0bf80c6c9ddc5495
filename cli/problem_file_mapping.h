#pragma once

#include <string>

#include "problem/simplex_iteration.h"

namespace cli {

// Reads a problem file as SimplexIteration(path) does, with the same record or the same codes.
// A regular file is mapped into memory and read where it lies: copying a large file into fresh
// memory costs more than reading it. Any other file goes to SimplexIteration(path). A file that
// another program cuts short while it is mapped ends the tool with SIGBUS; the desktop program,
// which must not end so, reads files by SimplexIteration(path).
SimplexIteration read_problem_file(const std::string& path);

}  // namespace cli
