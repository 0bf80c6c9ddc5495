// The pivot of a simplex iteration, alone or fused with the estimates of the
// table it leaves, so that a run reads its table once per iteration instead of twice.
//
// Arithmetic model: every expression is evaluated in x87 long double and rounded
// to double only where its result is stored, by the functions of
// solver/engine/element_update.h that every pass shares.

#include "solver/engine/pivot_step.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "solver/engine/clean_pivot.h"
#include "solver/engine/element_update.h"
#include "solver/engine/engine_common.h"
#include "solver/engine/engine_threads.h"
#include "solver/engine/estimate_columns.h"
#include "solver/engine/row_scan.h"

namespace {

using engine::EstimateInputs;
using engine::Index;

// By its bits: an integer compare is the cheapest test in the hot loop of a pivot.
bool is_negative_zero(double x) { return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(-0.0); }

// What every block of columns of one pivot works from: the old key row and the
// old key column, copied, since the blocks overwrite them in the table.
struct PivotInputs {
    engine::PivotKey key;
    // With a finite key row and a non-zero divisor, a term whose key-row or
    // key-column element is zero is a signed zero, which leaves its element as it
    // is unless that is -0 (whose sign the subtraction may turn). Those elements
    // need no division; in a simplex table they are many: the other basic columns
    // put zeros in the key row.
    bool zero_terms_exact;
    std::span<const Index> nonzero_cols;  // ascending: the key row's non-zero columns
    std::span<const Index> zero_cols;     // ascending: the others
    const EstimateInputs* estimates;      // the new basis's, or none
};

// Columns first..end-1 of the pivot, row by row; each row's new values are added
// to the estimates while they are at hand.
class PivotBlock {
public:
    PivotBlock(const PivotInputs& in, Index first, Index end, unsigned part)
        : in_(in),
          part_(part),
          first_(first),
          end_(end),
          nonzero_cols_(sub_range(in.nonzero_cols)),
          zero_cols_(sub_range(in.zero_cols)) {}

    void run() {
        const Index m = in_.key.table.rows - 1;
        sums_exact_ = in_.estimates != nullptr;
        if (in_.estimates != nullptr) {
            std::fill(in_.estimates->em.data() + first_, in_.estimates->em.data() + end_, 0.0);
            std::fill(in_.estimates->ep.data() + first_, in_.estimates->ep.data() + end_, 0.0);
        }
        for (Index i = 1; i <= m; ++i) {
            const std::span<double> a = in_.key.table.row(i);
            if (i == in_.key.r) {
                for (Index j = first_; j < end_; ++j) {
                    a[j] = engine::extended_quotient(in_.key.key_row[j], in_.key.a_rs);
                }
            } else {
                eliminate(a, in_.key.key_column[i]);
            }
            if (in_.key.s >= first_ && in_.key.s < end_) a[in_.key.s] = i == in_.key.r ? 1.0 : 0.0;
            if (sums_exact_) add_to_sums(i, a.subspan(first_, end_ - first_));
        }
        if (in_.estimates == nullptr) return;
        // Sums that the shortcut of add_to_sums() could get wrong are made again by the rule.
        if (sums_exact_) sums_exact_ = !has_negative_zero(in_.estimates->ep.subspan(first_, end_ - first_));
        if (sums_exact_) {
            engine::finish_estimate_columns(*in_.estimates, first_, end_);
        } else {
            engine::estimate_columns(*in_.estimates, first_, end_, in_.estimates->parts[part_]);
        }
    }

private:
    std::span<const Index> sub_range(std::span<const Index> columns) const {
        const auto from = std::ranges::lower_bound(columns, first_);
        const auto to = std::ranges::lower_bound(columns, end_);
        return {from, to};
    }

    // a(i,j) - a(r,j) * a(i,s) / a(r,s): the product, the quotient and the
    // difference in long double, only the result rounded to double.
    void eliminate(std::span<double> a, double a_is) const {
        const std::span<const double> key_row = in_.key.key_row;
        const double a_rs = in_.key.a_rs;
        const auto at = [a, key_row, a_is, a_rs](Index j) {
            a[j] = engine::eliminated_element(a[j], key_row[j], a_is, a_rs);
        };
        if (!in_.zero_terms_exact || !std::isfinite(a_is)) {
            for (Index j = first_; j < end_; ++j) at(j);
        } else if (a_is == 0.0) {
            if (!has_negative_zero(a.subspan(first_, end_ - first_))) return;
            for (Index j = first_; j < end_; ++j) {
                if (is_negative_zero(a[j])) at(j);
            }
        } else {
            for (const Index j : nonzero_cols_) at(j);
            // Rows seldom hold a -0: a quick look over the block spares most of them the walk.
            if (!has_negative_zero(a.subspan(first_, end_ - first_))) return;
            for (const Index j : zero_cols_) {
                if (is_negative_zero(a[j])) at(j);
            }
        }
    }

    // Row i of the new table into the sums. Rows of zero cost are left out: their
    // terms are signed zeros, which change no sum but one that is -0 (an
    // underflow) just then; and then the sum stays zero until a non-zero term
    // comes, which puts both ways on the same value, so only a sum that ends as -0
    // may differ from the rule. An infinite or NaN element in a row of zero cost
    // gives the sums up too.
    void add_to_sums(Index i, std::span<const double> a) {
        const EstimateInputs& in = *in_.estimates;
        const double c = in.basic_costs[i];
        double* const em = in.em.data() + first_;
        double* const ep = in.ep.data() + first_;
        if (engine::is_m_cost(c)) {
            const long double s = in.s;
            for (std::size_t k = 0; k < a.size(); ++k) em[k] = engine::add_estimate_term(em[k], s, a[k]);
        } else if (c == 0.0) {
            sums_exact_ = all_finite(a);
        } else {
            const long double cost = c;
            for (std::size_t k = 0; k < a.size(); ++k) ep[k] = engine::add_estimate_term(ep[k], cost, a[k]);
        }
    }

    const PivotInputs& in_;
    unsigned part_;
    Index first_;
    Index end_;
    std::span<const Index> nonzero_cols_;
    std::span<const Index> zero_cols_;
    bool sums_exact_ = false;
};

}  // namespace

void engine::pivot_table(SimplexIteration& run, bool then_estimates, KernelScratch& scratch, TableFacts* facts) {
    Matrix& table = run.table;
    const Index m = run.constraint_count();
    const auto r = static_cast<Index>(run.pivot_row);
    const auto s = static_cast<Index>(run.pivot_col);
    const double a_rs = table(r, s);  // checks both indices
    basic_column(run, r);
    run.basis[r] = s;
    ++run.iterations;
    std::optional<EstimateInputs> estimates;
    if (then_estimates) estimates.emplace(estimate_inputs(run, scratch));
    if (facts != nullptr) {
        facts->refresh(table);
        if (facts->clean() && estimates && a_rs > 0.0 &&
            std::ranges::all_of(estimates->basic_costs.subspan(1), [](double c) { return std::isfinite(c); })) {
            pivot_clean_table(table, r, s, *estimates, *facts, scratch);
            return;
        }
        facts->forget();
    }

    // The owner's storage; the blocks on other threads see it through the spans of PivotInputs.
    const PivotKey key = copy_key_lines(table, r, s, scratch);
    const std::span<const double> key_row = key.key_row;
    std::vector<Index>& nonzero_cols = scratch.nonzero_cols;
    std::vector<Index>& zero_cols = scratch.zero_cols;
    const bool zero_terms_exact = a_rs != 0.0 && all_finite(key_row);
    nonzero_cols.clear();
    zero_cols.clear();
    if (zero_terms_exact) {
        for (Index j = 0; j < key_row.size(); ++j) (key_row[j] != 0.0 ? nonzero_cols : zero_cols).push_back(j);
    }

    const PivotInputs inputs{
        .key = key,
        .zero_terms_exact = zero_terms_exact,
        .nonzero_cols = nonzero_cols,
        .zero_cols = zero_cols,
        .estimates = estimates ? &*estimates : nullptr,
    };
    // Elements are independent of each other, and every column of the estimates sums
    // its rows from 1 to m whatever the split: the parts take blocks of columns.
    const Index columns = table.cols;
    run_in_parts(std::size_t{m} * columns, [&inputs, columns](unsigned part, unsigned parts) noexcept {
        PivotBlock(inputs, column_block_bound(columns, part, parts), column_block_bound(columns, part + 1, parts), part)
            .run();
    });
}
