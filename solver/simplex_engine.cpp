// Three of the four steps of one simplex iteration on the run's copy of the
// record: key column, key row, pivot (the estimates are in engine_estimates.cpp).
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

#include "solver/engine_common.h"
#include "solver/engine_threads.h"
#include "solver/row_scan.h"

namespace {

using engine::basic_column;
using engine::check_estimates_shape;
using engine::Index;

// By its bits: an integer compare is the cheapest test in the hot loop of a pivot.
bool is_negative_zero(double x) { return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(-0.0); }

// Columns 1..k are the problem's own variables; k is 0 when the file gave none.
Index own_variable_count(const SimplexIteration& run) {
    if (run.base_vars <= 0) return 0;
    return std::min(static_cast<Index>(run.base_vars), run.variable_count());
}

// The first own, non-basic column with a zero estimate that can replace an
// artificial variable still basic (at level 0) in some row; 0 when none can.
Index elimination_column(const SimplexIteration& run, Index k) {
    const Index m = run.constraint_count();
    const auto em = run.estimates.row(0);
    const auto ep = run.estimates.row(1);
    for (Index j = 1; j <= k; ++j) {
        if (em[j] != 0.0 || ep[j] != 0.0) continue;
        bool basic = false;
        for (Index i = 1; i <= m && !basic; ++i) basic = basic_column(run, i) == j;
        if (basic) continue;
        for (Index r = 1; r <= m; ++r) {
            if (basic_column(run, r) > k && run.table(r, j) > PIVOT_EPS) return j;
        }
    }
    return 0;
}

}  // namespace

int SimplexIteration::choose_pivot_col() {
    check_estimates_shape(*this);
    const Index n = variable_count();
    const auto em = std::as_const(estimates).row(0);
    const auto ep = std::as_const(estimates).row(1);

    Index key = 0;
    for (Index j = 1; j <= n; ++j) {
        const bool candidate =
            aim == 1 ? (em[j] < 0.0 || (em[j] == 0.0 && ep[j] < 0.0)) : (em[j] > 0.0 || (em[j] == 0.0 && ep[j] > 0.0));
        if (!candidate) continue;
        // Larger magnitudes win, the M part first; on a tie the lower column stays.
        if (key == 0 || std::fabs(em[j]) > std::fabs(em[key]) ||
            (std::fabs(em[j]) == std::fabs(em[key]) && std::fabs(ep[j]) > std::fabs(ep[key]))) {
            key = j;
        }
    }

    const Index k = own_variable_count(*this);
    if (key == 0 && k != 0) {
        key = elimination_column(*this, k);
        // From here on the ratio tests of the run consider artificial rows only.
        if (key != 0) basis.at(0) = 1;
    }
    pivot_col = static_cast<std::int32_t>(key);
    return pivot_col;
}

int SimplexIteration::choose_pivot_row() {
    const Index m = constraint_count();
    const auto s = static_cast<Index>(pivot_col);
    const Index k = own_variable_count(*this);
    const bool artificial_rows_only = k != 0 && basis.at(0) != 0;

    Index key = 0;
    double best = 0.0;
    for (Index i = 1; i <= m; ++i) {
        const double a = table(i, s);
        // Elements of rounding residue size would blow the table up as pivots.
        if (a <= PIVOT_EPS) continue;
        if (artificial_rows_only && basic_column(*this, i) <= k) continue;
        const auto q = static_cast<double>(static_cast<long double>(table(i, 0)) / a);
        if (key == 0 || q < best) {  // equal ratios keep the lower row
            key = i;
            best = q;
        }
    }
    pivot_row = static_cast<std::int32_t>(key);
    return pivot_row;
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
    // Kept from pivot to pivot against two allocations per iteration.
    thread_local std::vector<Index> nonzero_storage;
    thread_local std::vector<Index> zero_storage;
    nonzero_storage.clear();
    zero_storage.clear();
    if (zero_terms_exact) {
        for (Index j = 0; j < key_row.size(); ++j) (key_row[j] != 0.0 ? nonzero_storage : zero_storage).push_back(j);
    }
    // The parts see the caller's lists through these, not their own thread's.
    const std::span<const Index> nonzero_cols = nonzero_storage;
    const std::span<const Index> zero_cols = zero_storage;

    // Rows are independent of each other: the parts take blocks of rows.
    Matrix& a_table = table;
    const auto eliminate_rows = [&a_table, key_row, nonzero_cols, zero_cols, zero_terms_exact, a_rs, r, s](
                                    Index first, Index end) noexcept {
        for (Index i = first; i < end; ++i) {
            if (i == r) continue;
            const std::span<double> a = a_table.row(i);
            const double a_is = a[s];
            // a(i,j) - a(r,j) * a(i,s) / a(r,s): the product, the quotient and the
            // difference in long double, only the result rounded to double.
            const auto eliminate = [a, key_row, a_is, a_rs](std::size_t j) {
                a[j] = static_cast<double>(a[j] - static_cast<long double>(key_row[j]) * a_is / a_rs);
            };
            if (!zero_terms_exact || !std::isfinite(a_is)) {
                for (std::size_t j = 0; j < a.size(); ++j) eliminate(j);
            } else if (a_is == 0.0) {
                if (!has_negative_zero(a)) continue;
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
    };
    run_in_parts(std::size_t{m} * key_row.size(), [&eliminate_rows, m](unsigned part, unsigned parts) noexcept {
        const auto bound = [m, parts](unsigned p) { return static_cast<Index>(1 + std::uint64_t{m} * p / parts); };
        eliminate_rows(bound(part), bound(part + 1));
    });

    for (double& x : key_row) x = static_cast<double>(static_cast<long double>(x) / a_rs);

    for (Index i = 1; i <= m; ++i) table.row(i)[s] = 0.0;
    key_row[s] = 1.0;
}
