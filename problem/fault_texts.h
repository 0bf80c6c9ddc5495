#pragma once

// The texts people see for the faults of a reading or a run, the same in the
// command-line tool and the windows (UTF-8).

#include <string>

#include "problem/simplex_iteration.h"

// The status text of code number `index` of the list, after "строка N: " when the
// code belongs to a line of the problem file.
std::string located_status_text(const SimplexIteration::bad_simplex& failure, int index);

// "строка N: " and the hint's text.
std::string hint_text(const SimplexIteration::bad_simplex::Hint& hint);
