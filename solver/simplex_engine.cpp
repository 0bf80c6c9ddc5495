// The choices of a simplex iteration on the run's copy of the record: key column
// and key row (the estimates are in engine_estimates.cpp, the pivot in pivot_step.cpp).
//
// Arithmetic model: every expression is evaluated in x87 long double and rounded
// to double only where its result is stored, in the order the formulas below are
// written. The reports of this program are compared digit for digit, so none of
// these expressions may be regrouped, fused or kept in extended precision across
// a store.

#include "solver/simplex_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "solver/engine_common.h"
#include "solver/pivot_step.h"

namespace {

using engine::basic_column;
using engine::check_estimates_shape;
using engine::Index;

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

void SimplexIteration::pivot() { engine::pivot_table(*this, false); }

void pivot_and_estimate(SimplexIteration& run) { engine::pivot_table(run, true); }
