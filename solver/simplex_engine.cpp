#include "solver/simplex_engine.h"

#include <stdexcept>

void SimplexIteration::compute_estimates() { throw std::logic_error("engine not written yet"); }
int SimplexIteration::choose_pivot_col() { throw std::logic_error("engine not written yet"); }
int SimplexIteration::choose_pivot_row() { throw std::logic_error("engine not written yet"); }
void SimplexIteration::pivot() { throw std::logic_error("engine not written yet"); }
Matrix solve(SimplexIteration) { throw std::logic_error("engine not written yet"); }
