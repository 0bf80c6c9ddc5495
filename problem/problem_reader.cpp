#include "problem/simplex_iteration.h"

#include <stdexcept>

SimplexIteration::SimplexIteration(const std::string&) { throw std::logic_error("reader not written yet"); }
