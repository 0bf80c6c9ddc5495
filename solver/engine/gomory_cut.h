#pragma once

// The arithmetic of Gomory's fractional cut, apart from the tables that show it: which columns are
// integers at every integer solution, which row a cut is taken from, the cut's row, and the cut told
// in the problem's own columns.

#include <gmpxx.h>

#include <cstdint>
#include <string>
#include <vector>

#include "problem/simplex_iteration.h"

namespace gomory {

using Index = std::uint32_t;
using Row = std::vector<mpq_class>;  // columns 0..n, column 0 the right-hand side

// q - floor(q), in [0, 1).
mpq_class fractional_part(const mpq_class& q);

// The problem's number at (i, j) exactly: a model's right-hand side as read, else the decimal of the double.
mpq_class exact_entry(const SimplexIteration& problem, Index i, Index j);

// The columns (0..n) that are integers at every integer solution: the integer columns, and each slack
// (the only entry of its column, 1 or -1) of a row whose right-hand side and other entries are integers
// on integer columns. Columns of cost M are left out: they are 0 at every solution.
std::vector<bool> integral_columns(const SimplexIteration& problem);

// The first column that is neither integral nor of cost M; 0 when every value is bound to be an integer.
Index first_continuous_column(const SimplexIteration& problem);

// The row of the next cut: of the rows whose basic variable is integral, the one whose value has the
// largest fractional part, the lowest of equals; 0 when every such value is an integer.
// rows[i - 1] is row i; basis[i] its basic column (entry 0 unused).
Index cut_row(const std::vector<Row>& rows, const std::vector<Index>& basis, const std::vector<bool>& integral);

// The cut of a row: minus the fractional part of every entry; with a slack s >= 0 of its own,
// sum(cut_j x_j) + s = cut_0 is the row added to the table.
Row cut_of_row(const Row& row);

// constant + sum coefficients[j] x_j over the problem's own columns (entry 0 unused).
struct Expression {
    mpq_class constant;
    std::vector<mpq_class> coefficients;
};

// Each column of the problem (0..n) in its own columns: an own column is itself, a slack of a row the
// rest of that row solved for it, a column of cost M is 0. Own columns: the integer columns and every
// column but those of cost 0 with one entry 1 or -1.
std::vector<Expression> own_column_expressions(const SimplexIteration& problem);

// The cut's slack s = sum(-cut_j x_j) - (-cut_0) in the own columns, the columns of the table being
// `columns` (cut.size() of them, column 0 unused): the cut says this is >= 0.
Expression cut_slack(const Row& cut, const std::vector<Expression>& columns);

// "e >= 0" as an inequality with its constant on the right, its sign turned when most of its
// coefficients are negative: "x2 <= 3". Coefficients reduced fractions; names UTF-8, entry 0 unused.
std::string inequality_text(const Expression& e, const std::vector<std::string>& names);

// sum(row_j name_j) for the nonzero row_j, j >= 1, "<op> rhs": the cut as its row tells it.
std::string row_text(const Row& row, const std::vector<std::string>& names, const std::string& op);

}  // namespace gomory
