// The four steps of one simplex iteration on the run's copy of the record:
// estimates, key column, key row, pivot.
//
// Arithmetic model: every expression is evaluated in x87 long double and rounded
// to double only where its result is stored, in the order the formulas below are
// written. The reports of this program are compared digit for digit, so none of
// these expressions may be regrouped, fused or kept in extended precision across
// a store.

#include "solver/simplex_engine.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "solver/big_m_method.h"
#include "solver/double_tableau.h"

namespace {

using Index = std::uint32_t;

using big_m::basic_column;

// Both estimate rows, checked once to be as wide as the table.
void check_estimates_shape(const SimplexIteration& run) {
    if (run.estimates.rows < 2 || run.estimates.cols != run.table.cols) throw Matrix::bad_matrix(Matrix::kOverrun);
}

bool is_m_cost(double c) { return std::fabs(c) == BIG_M; }

// By its bits: an integer compare is the cheapest test in the hot loop of a pivot.
bool is_negative_zero(double x) { return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(-0.0); }

}  // namespace

void SimplexIteration::compute_estimates() {
    check_estimates_shape(*this);
    const Index m = constraint_count();
    const Index columns = table.cols;
    const std::span<double> em = estimates.row(0);
    const std::span<double> ep = estimates.row(1);
    std::ranges::fill(em, 0.0);
    std::ranges::fill(ep, 0.0);

    // Row by row, so that the table is read in storage order; every column still
    // sums its rows from 1 to m, as the column-wise definition does.
    const long double s = aim == 1 ? -1.0L : 1.0L;
    const std::span<const double> costs = std::as_const(table).row(0);
    for (Index i = 1; i <= m; ++i) {
        const double c = costs[basic_column(*this, i)];
        const std::span<const double> a = std::as_const(table).row(i);
        if (is_m_cost(c)) {
            for (Index j = 0; j < columns; ++j) em[j] = static_cast<double>(em[j] + s * a[j]);
        } else if (c == 0.0) {
            // A zero cost adds signed zeros, which leave a sum that started at +0 as
            // it is; only an infinite or NaN element changes it.
            for (Index j = 0; j < columns; ++j) {
                if (!std::isfinite(a[j])) ep[j] = static_cast<double>(ep[j] + static_cast<long double>(c) * a[j]);
            }
        } else {
            const long double cost = c;
            for (Index j = 0; j < columns; ++j) ep[j] = static_cast<double>(ep[j] + cost * a[j]);
        }
    }

    for (Index j = 1; j < columns; ++j) {
        if (is_m_cost(costs[j])) {
            em[j] = static_cast<double>(em[j] - s);
        } else {
            ep[j] = static_cast<double>(ep[j] - static_cast<long double>(costs[j]));
        }
        if (std::fabs(ep[j]) < ESTIMATE_EPS) ep[j] = 0.0;
    }
    // Rounding residue of decimal data leaves M parts such as 1e-31; they would make
    // feasible problems look inconsistent and empty columns look like key columns.
    for (Index j = 0; j < columns; ++j) {
        if (std::fabs(em[j]) < ESTIMATE_EPS) em[j] = 0.0;
    }
}

// The choices follow the rules shared by both arithmetics (solver/big_m_method.h),
// with Dantzig's rule as the method has always made them.
int SimplexIteration::choose_pivot_col() {
    check_estimates_shape(*this);
    DoubleTableau numbers(*this);
    return big_m::Method<DoubleTableau>(*this, numbers, PivotRule::dantzig).choose_pivot_col();
}

int SimplexIteration::choose_pivot_row() {
    DoubleTableau numbers(*this);
    return big_m::Method<DoubleTableau>(*this, numbers, PivotRule::dantzig).choose_pivot_row();
}

void SimplexIteration::pivot() {
    const Index m = constraint_count();
    const auto r = static_cast<Index>(pivot_row);
    const auto s = static_cast<Index>(pivot_col);
    const double a_rs = table(r, s);  // checks both indices
    basic_column(*this, r);
    basis[r] = s;
    ++iterations;

    // Other rows first, while row r and column s still hold their old values.
    // Element s of each row is computed too, harmlessly: the column is set below.
    const std::span<double> key_row = table.row(r);

    // The division per element is the cost of a pivot. With a finite key row and a
    // non-zero divisor, a term whose key-row or key-column element is zero is a
    // signed zero, which leaves its element as it is unless that is -0 (whose sign
    // the subtraction may turn). Those elements need no division; in a simplex
    // table they are many: the other basic columns put zeros in the key row.
    const bool zero_terms_exact =
        a_rs != 0.0 && std::ranges::all_of(key_row, [](double x) { return std::isfinite(x); });
    std::vector<Index> nonzero_cols;
    std::vector<Index> zero_cols;
    if (zero_terms_exact) {
        nonzero_cols.reserve(key_row.size());
        zero_cols.reserve(key_row.size());
        for (Index j = 0; j < key_row.size(); ++j) (key_row[j] != 0.0 ? nonzero_cols : zero_cols).push_back(j);
    }

    for (Index i = 1; i <= m; ++i) {
        if (i == r) continue;
        const std::span<double> a = table.row(i);
        const double a_is = a[s];
        // a(i,j) - a(r,j) * a(i,s) / a(r,s): the product, the quotient and the
        // difference in long double, only the result rounded to double.
        const auto eliminate = [a, key_row, a_is, a_rs](std::size_t j) {
            a[j] = static_cast<double>(a[j] - static_cast<long double>(key_row[j]) * a_is / a_rs);
        };
        if (!zero_terms_exact || !std::isfinite(a_is)) {
            for (std::size_t j = 0; j < a.size(); ++j) eliminate(j);
        } else if (a_is == 0.0) {
            for (std::size_t j = 0; j < a.size(); ++j) {
                if (is_negative_zero(a[j])) eliminate(j);
            }
        } else {
            for (const Index j : nonzero_cols) eliminate(j);
            for (const Index j : zero_cols) {
                if (is_negative_zero(a[j])) eliminate(j);
            }
        }
    }

    for (double& x : key_row) x = static_cast<double>(static_cast<long double>(x) / a_rs);

    for (Index i = 1; i <= m; ++i) table.row(i)[s] = 0.0;
    key_row[s] = 1.0;
}
