// The first step of a simplex iteration: the two estimate rows.
//
// Arithmetic model: every expression is evaluated in x87 long double and rounded
// to double only where its result is stored. The reports of this program are
// compared digit for digit, so none of these expressions may be regrouped, fused
// or kept in extended precision across a store.
//
// Every column sums its rows from 1 to m. A term with a zero element (and a finite
// cost) is a signed zero, and adding a signed zero to a sum that started at +0
// never changes it, as long as no sum can become -0, which takes a non-zero term
// that rounds to 0 as a double: terms with zero elements are left out when no
// product of a cost and an element comes near that. That spares most of the work,
// since every basic column is zero but in its own row.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "solver/engine/engine_common.h"
#include "solver/engine/engine_threads.h"
#include "solver/engine/estimate_columns.h"
#include "solver/engine/row_scan.h"
#include "solver/engine/simplex_engine.h"

namespace {

using engine::EstimateInputs;
using engine::Index;
using engine::is_m_cost;
using engine::kTiny;

// Columns first..end-1 of the estimates, one sum of rows 1..m per column.
class ColumnBlock {
public:
    ColumnBlock(const EstimateInputs& in, Index first, Index end)
        : in_(in),
          first_(first),
          width_(end - first),
          em_(in.em.subspan(first, width_)),
          ep_(in.ep.subspan(first, width_)) {}

    void compute() {
        std::ranges::fill(em_, 0.0);
        std::ranges::fill(ep_, 0.0);
        if (!in_.plain_costs || !zero_cost_rows_finite() || !add_nonzero_terms()) add_every_term();
        subtract_costs();
    }

    // The costs of the columns taken off, small parts made 0: the end of every estimate.
    void subtract_costs() {
        const std::span<const double> costs = row(0);
        for (std::size_t k = first_ == 0 ? 1 : 0; k < width_; ++k) {
            if (is_m_cost(costs[k])) {
                em_[k] = static_cast<double>(em_[k] - in_.s);
            } else {
                ep_[k] = static_cast<double>(ep_[k] - static_cast<long double>(costs[k]));
            }
            if (std::fabs(ep_[k]) < ESTIMATE_EPS) ep_[k] = 0.0;
        }
        // Rounding residue of decimal data leaves M parts such as 1e-31; they would make
        // feasible problems look inconsistent and empty columns look like key columns.
        for (double& x : em_) {
            if (std::fabs(x) < ESTIMATE_EPS) x = 0.0;
        }
    }

private:
    std::span<const double> row(Index i) const { return in_.table.row(i).subspan(first_, width_); }

    // A zero cost adds signed zeros, unless an element is infinite or NaN.
    bool zero_cost_rows_finite() const {
        for (Index i = 1; i < in_.basic_costs.size(); ++i) {
            if (in_.basic_costs[i] == 0.0 && !all_finite(row(i))) return false;
        }
        return true;
    }

    // Term k of row i, whose basic cost is c.
    void add_term(double c, std::span<const double> a, std::size_t k) {
        if (is_m_cost(c)) {
            em_[k] = static_cast<double>(em_[k] + in_.s * a[k]);
        } else {
            ep_[k] = static_cast<double>(ep_[k] + static_cast<long double>(c) * a[k]);
        }
    }

    // The rule as written: every row, every column.
    void add_every_term() {
        for (Index i = 1; i < in_.basic_costs.size(); ++i) {
            const double c = in_.basic_costs[i];
            const std::span<const double> a = row(i);
            for (std::size_t k = 0; k < width_; ++k) add_term(c, a, k);
        }
    }

    // Columns with no non-zero element in a row of non-zero cost get nothing; a
    // basic column whose only such element lies in its own row gets that one term;
    // the others (the non-basic columns, as a rule) go through every such row.
    // False, with nothing added, when an element is too small for the shortcut.
    bool add_nonzero_terms() {
        thread_local std::vector<std::int64_t> counts;
        thread_local std::vector<Index> dense;
        counts.assign(width_, 0);
        bool tiny = false;
        for (Index i = 1; i < in_.basic_costs.size(); ++i) {
            if (in_.basic_costs[i] != 0.0) tiny = count_nonzero(row(i), counts, kTiny) || tiny;
        }
        if (tiny) return false;
        dense.clear();
        for (Index k = 0; k < width_; ++k) {
            if (counts[k] == 0) continue;
            const Index i = in_.basic_rows[first_ + k];
            if (counts[k] == 1 && i != 0 && in_.basic_costs[i] != 0.0 && row(i)[k] != 0.0) {
                add_term(in_.basic_costs[i], row(i), k);
            } else {
                dense.push_back(k);
            }
        }
        if (dense.empty()) return true;

        const long double s = in_.s;
        for (Index i = 1; i < in_.basic_costs.size(); ++i) {
            const double c = in_.basic_costs[i];
            const std::span<const double> a = row(i);
            if (is_m_cost(c)) {
                for (const Index k : dense) em_[k] = static_cast<double>(em_[k] + s * a[k]);
            } else if (c != 0.0) {
                const long double cost = c;
                for (const Index k : dense) ep_[k] = static_cast<double>(ep_[k] + cost * a[k]);
            }
        }
        return true;
    }

    const EstimateInputs& in_;
    Index first_;
    Index width_;
    std::span<double> em_;
    std::span<double> ep_;
};

}  // namespace

engine::EstimateInputs engine::estimate_inputs(SimplexIteration& run) {
    check_estimates_shape(run);
    const Index m = run.constraint_count();
    // Kept from run to run against allocations per iteration.
    thread_local std::vector<double> basic_costs;
    thread_local std::vector<Index> basic_rows;
    basic_costs.assign(m + 1, 0.0);
    basic_rows.assign(run.table.cols, 0);
    bool plain_costs = true;
    for (Index i = 1; i <= m; ++i) {
        const Index j = basic_column(run, i);
        const double c = run.table(0, j);
        basic_costs[i] = c;
        basic_rows[j] = i;
        plain_costs = plain_costs && (is_m_cost(c) || c == 0.0 || (std::isfinite(c) && std::fabs(c) >= kTiny));
    }
    return {
        .table = run.table,
        .basic_costs = basic_costs,
        .basic_rows = basic_rows,
        .plain_costs = plain_costs,
        .em = run.estimates.row(0),
        .ep = run.estimates.row(1),
        .s = run.aim == 1 ? -1.0L : 1.0L,
    };
}

void engine::estimate_columns(const EstimateInputs& in, Index first, Index end) noexcept {
    ColumnBlock(in, first, end).compute();
}

void engine::finish_estimate_columns(const EstimateInputs& in, Index first, Index end) noexcept {
    ColumnBlock(in, first, end).subtract_costs();
}

void SimplexIteration::compute_estimates() {
    // The parts see the caller's storage through these spans, not their own thread's.
    const EstimateInputs inputs = engine::estimate_inputs(*this);
    const Index columns = table.cols;
    // Every column sums its rows from 1 to m whatever the split, so the parts take blocks of columns.
    run_in_parts(std::size_t{constraint_count()} * columns, [&inputs, columns](unsigned part, unsigned parts) noexcept {
        engine::estimate_columns(inputs, engine::column_block_bound(columns, part, parts),
                                 engine::column_block_bound(columns, part + 1, parts));
    });
}
