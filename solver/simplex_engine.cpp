// The four steps of one simplex iteration on the run's copy of the record:
// estimates, key column, key row, pivot.
//
// Arithmetic model: every expression is evaluated in x87 long double and rounded
// to double only where its result is stored, in the order the formulas below are
// written. The reports of this program are compared digit for digit, so none of
// these expressions may be regrouped, fused or kept in extended precision across
// a store.

#include "solver/simplex_engine.h"

#include "solver/engine_threads.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace {

using Index = std::uint32_t;

// Column of the basic variable of row i, checked against the table so that no
// access through it can leave the table or the basis.
Index basic_column(const SimplexIteration& run, Index i) {
    if (i >= run.basis.size() || run.basis[i] >= run.table.cols) throw Matrix::bad_matrix(Matrix::kOverrun);
    return run.basis[i];
}

// Both estimate rows, checked once to be as wide as the table.
void check_estimates_shape(const SimplexIteration& run) {
    if (run.estimates.rows < 2 || run.estimates.cols != run.table.cols) throw Matrix::bad_matrix(Matrix::kOverrun);
}

bool is_m_cost(double c) { return std::fabs(c) == BIG_M; }

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

// What the estimates of a block of columns are computed from.
struct EstimateInputs {
    const Matrix& table;
    std::span<const double> basic_costs;  // [i]: cost of the basic variable of row i (1..m)
    std::span<double> em;
    std::span<double> ep;
    long double s;  // the sign of M in the estimates
};

// True when no element is infinite or NaN; without a branch per element, since
// nearly every table has none.
bool all_finite(std::span<const double> a) {
    constexpr std::uint64_t kExponent = 0x7ff0'0000'0000'0000;
    std::uint64_t non_finite = 0;
    for (const double x : a) non_finite += (std::bit_cast<std::uint64_t>(x) & kExponent) == kExponent;
    return non_finite == 0;
}

// The estimates of columns first..end-1.
void estimate_columns(const EstimateInputs& in, Index first, Index end) {
    const Index m = in.table.rows - 1;
    const std::span<double> em = in.em.subspan(first, end - first);
    const std::span<double> ep = in.ep.subspan(first, end - first);
    std::ranges::fill(em, 0.0);
    std::ranges::fill(ep, 0.0);

    // Row by row, so that the table is read in storage order; every column still
    // sums its rows from 1 to m, as the column-wise definition does.
    const long double s = in.s;
    for (Index i = 1; i <= m; ++i) {
        const double c = in.basic_costs[i];
        const std::span<const double> a = in.table.row(i).subspan(first, end - first);
        if (is_m_cost(c)) {
            for (Index j = 0; j < a.size(); ++j) em[j] = static_cast<double>(em[j] + s * a[j]);
        } else if (c == 0.0) {
            // A zero cost adds signed zeros, which leave a sum that started at +0 as
            // it is; only an infinite or NaN element changes it.
            if (all_finite(a)) continue;
            for (Index j = 0; j < a.size(); ++j) {
                if (!std::isfinite(a[j])) ep[j] = static_cast<double>(ep[j] + static_cast<long double>(c) * a[j]);
            }
        } else {
            const long double cost = c;
            for (Index j = 0; j < a.size(); ++j) ep[j] = static_cast<double>(ep[j] + cost * a[j]);
        }
    }

    const std::span<const double> costs = in.table.row(0).subspan(first, end - first);
    for (Index j = first == 0 ? 1 : 0; j < costs.size(); ++j) {
        if (is_m_cost(costs[j])) {
            em[j] = static_cast<double>(em[j] - s);
        } else {
            ep[j] = static_cast<double>(ep[j] - static_cast<long double>(costs[j]));
        }
        if (std::fabs(ep[j]) < ESTIMATE_EPS) ep[j] = 0.0;
    }
    // Rounding residue of decimal data leaves M parts such as 1e-31; they would make
    // feasible problems look inconsistent and empty columns look like key columns.
    for (double& x : em) {
        if (std::fabs(x) < ESTIMATE_EPS) x = 0.0;
    }
}

}  // namespace

void SimplexIteration::compute_estimates() {
    check_estimates_shape(*this);
    const Index m = constraint_count();
    const Index columns = table.cols;
    // The cost of each row's basic variable, its column checked here: the parts
    // below must not throw. Kept from run to run against an allocation per iteration.
    thread_local std::vector<double> basic_costs_storage;
    basic_costs_storage.resize(m + 1);
    for (Index i = 1; i <= m; ++i) basic_costs_storage[i] = table(0, basic_column(*this, i));

    const EstimateInputs inputs{
        .table = table,
        .basic_costs = basic_costs_storage,
        .em = estimates.row(0),
        .ep = estimates.row(1),
        .s = aim == 1 ? -1.0L : 1.0L,
    };
    // Every column sums its rows from 1 to m whatever the split, so the parts take
    // blocks of columns; a block starts on a cache line of its own.
    run_in_parts(std::size_t{m} * columns, [&inputs, columns](unsigned part, unsigned parts) noexcept {
        const auto bound = [columns, parts](unsigned p) -> Index {
            if (p == parts) return columns;
            return static_cast<Index>(std::uint64_t{columns} * p / parts) & ~Index{7};
        };
        estimate_columns(inputs, bound(part), bound(part + 1));
    });
}

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
