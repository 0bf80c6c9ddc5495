#include <ostream>

#include "problem/simplex_iteration.h"

std::ostream& SimplexIteration::print_table(std::ostream& out) { return out; }
