#pragma once

// A model written as a CPLEX LP file that GLPK (and so the program) reads back to the same numbers:
// each number in its shortest form that reads back to the same double, names made valid for the
// format. Written for models of our own making (the dual of a model), not to copy a user's file.

#include <stdexcept>
#include <string>
#include <vector>

#include "problem/lp_model.h"

// A model the format cannot hold as the writer writes it (UTF-8, Russian).
class LpFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's text, LF line ends, the comment lines (UTF-8, without "\" and line ends) first. A name
// the format cannot take is spelt as GLPK's writer spells it ([ ] as ( ), a blank as _, - as ~) and
// any other character not allowed as _; a name that comes out twice or as a keyword gets trailing _;
// such renamings are listed in comments. An objective constant is the cost of a variable fixed at 1.
// Throws LpFileError for a row with two relations or none, a number that is not finite where the
// format needs one, or a model without variables.
std::string lp_file_text(const LpModel& model, const std::vector<std::string>& comments);
