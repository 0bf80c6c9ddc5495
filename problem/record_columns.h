#pragma once

// What the columns of a record are to people: which of them are the problem's
// own variables, and the name each is shown by.

#include <cstdint>
#include <string>
#include <vector>

#include "problem/simplex_iteration.h"

// Columns 1..k are the problem's own variables; k is 0 when the file gave none.
std::uint32_t own_variable_count(const SimplexIteration& record);

// Column j's name in UTF-8: the file's name, else x1, x2, ...
std::string utf8_variable_name(const SimplexIteration& record, std::uint32_t j);
// Every column's, entry 0 unused.
std::vector<std::string> utf8_variable_names(const SimplexIteration& record);
