#pragma once

// The dual of a model, in the model's own terms, by the textbook rules.
//
// The primal's constraints are its rows and, for the bounds that are not a sign, rows of their own:
//   - a row l <= a x <= u with l < u both finite is two constraints, a x >= l and a x <= u, each with
//     its dual variable ("y_<row>_lo", "y_<row>_up"); a free row constrains nothing and has none;
//   - a variable fixed at l (l == u) is free with the constraint x = l ("y_<x>_fix");
//   - a variable with lower bound 0 is x >= 0, and one with upper bound 0 (and another lower) x <= 0;
//     any other variable is free; every finite bound that is not its sign is the constraint x >= l or
//     x <= u ("y_<x>_lo", "y_<x>_up"), as textbooks treat bounded variables.
// For a maximum a "<=" constraint gets y >= 0, ">=" y <= 0 and "=" a free y; a variable x >= 0 gets a
// dual row ">=", x <= 0 "<=" and a free one "="; for a minimum the signs and relations turn round. The
// dual's sense is the other one, its costs are the constraints' right-hand sides and the primal's
// objective constant stays its constant. A dual variable of a row without a name is "y<i>" (i from 1),
// a dual row of a variable without one "x<j>"; names are made unique by trailing "_".

#include <cstdint>
#include <string>
#include <vector>

#include "problem/lp_model.h"

// Where a dual variable comes from in the primal.
struct DualOrigin {
    enum class Kind {
        row,           // a row with one relation (<=, >= or =)
        row_lower,     // the lower side a x >= l of a range row
        row_upper,     // its upper side a x <= u
        column_lower,  // the bound x >= l of a variable
        column_upper,  // the bound x <= u
        column_fixed,  // x = l of a fixed variable
    };
    Kind kind = Kind::row;
    std::uint32_t index = 0;  // the primal row or column, 0-based
    char relation = '<';      // of the primal constraint: '<' (<=), '>' (>=) or '='
    double rhs = 0.0;         // its right-hand side, the dual variable's cost
};

struct DualProblem {
    LpModel model;                    // columns: the dual variables; rows: one per primal variable
    std::vector<DualOrigin> origins;  // one per column of `model`
};

// Throws std::out_of_range when a row names a column the model does not have.
DualProblem dual_problem(const LpModel& primal);
inline LpModel dual_model(const LpModel& primal) { return dual_problem(primal).model; }

// The primal row or variable a dual variable comes from, by name (UTF-8): the row's number from 1, or
// "x<j>", when it has none.
std::string dual_origin_name(const DualOrigin& origin, const LpModel& primal);

// The dual for people, UTF-8 without line ends: the header «Двойственная задача:», its objective, its
// rows and its variables with their signs and where each comes from. `primal` is the model it is the
// dual of.
std::vector<std::string> dual_problem_lines(const DualProblem& dual, const LpModel& primal);
