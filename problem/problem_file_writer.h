#pragma once

#include <string>

#include "problem/simplex_iteration.h"

// The text of a problem file (Windows-1251, CR LF) that the reader reads back
// to the same table, names and options. The record holds a loaded problem:
// names without blanks, a report file, a name of at most 78 bytes.
std::string problem_file_bytes(const SimplexIteration& record);
