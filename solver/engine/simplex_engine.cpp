// The record's own steps of a simplex iteration in double arithmetic: the key
// column and key row follow the rules shared by both arithmetics
// (solver/engine/big_m_method.h); the estimates are in engine_estimates.cpp, the pivot
// in pivot_step.cpp.

#include "solver/engine/simplex_engine.h"

#include "solver/engine/big_m_method.h"
#include "solver/engine/double_tableau.h"
#include "solver/engine/engine_common.h"
#include "solver/engine/pivot_step.h"

// With Dantzig's rule, as the method has always made its choices.
int SimplexIteration::choose_pivot_col() {
    engine::check_estimates_shape(*this);
    DoubleTableau numbers(*this);
    return big_m::Method<DoubleTableau>(*this, numbers, PivotRule::dantzig).choose_pivot_col();
}

int SimplexIteration::choose_pivot_row() {
    DoubleTableau numbers(*this);
    return big_m::Method<DoubleTableau>(*this, numbers, PivotRule::dantzig).choose_pivot_row();
}

void SimplexIteration::pivot() { engine::pivot_table(*this, false); }

void pivot_and_estimate(SimplexIteration& run) { engine::pivot_table(run, true); }
