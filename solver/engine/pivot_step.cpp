// The pivot of a simplex iteration, alone or fused with the estimates of the
// table it leaves, so that a run reads its table once per iteration instead of twice.
//
// Arithmetic model: every expression is evaluated in x87 long double and rounded
// to double only where its result is stored. The reports of this program are
// compared digit for digit, so none of these expressions may be regrouped, fused
// or kept in extended precision across a store.

#include "solver/engine/pivot_step.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "solver/engine/clean_pivot.h"
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
    Matrix& table;
    Index r;
    Index s;
    double a_rs;
    std::span<const double> key_row;     // row r before the pivot
    std::span<const double> key_column;  // [i]: a(i,s) before the pivot
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
    PivotBlock(const PivotInputs& in, Index first, Index end)
        : in_(in),
          first_(first),
          end_(end),
          nonzero_cols_(sub_range(in.nonzero_cols)),
          zero_cols_(sub_range(in.zero_cols)) {}

    void run() {
        const Index m = in_.table.rows - 1;
        sums_exact_ = in_.estimates != nullptr;
        if (in_.estimates != nullptr) {
            std::fill(in_.estimates->em.data() + first_, in_.estimates->em.data() + end_, 0.0);
            std::fill(in_.estimates->ep.data() + first_, in_.estimates->ep.data() + end_, 0.0);
        }
        for (Index i = 1; i <= m; ++i) {
            const std::span<double> a = in_.table.row(i);
            if (i == in_.r) {
                for (Index j = first_; j < end_; ++j) {
                    a[j] = static_cast<double>(static_cast<long double>(in_.key_row[j]) / in_.a_rs);
                }
            } else {
                eliminate(a, in_.key_column[i]);
            }
            if (in_.s >= first_ && in_.s < end_) a[in_.s] = i == in_.r ? 1.0 : 0.0;
            if (sums_exact_) add_to_sums(i, a.subspan(first_, end_ - first_));
        }
        if (in_.estimates == nullptr) return;
        // Sums that the shortcut of add_to_sums() could get wrong are made again by the rule.
        if (sums_exact_) sums_exact_ = !has_negative_zero(in_.estimates->ep.subspan(first_, end_ - first_));
        if (sums_exact_) {
            engine::finish_estimate_columns(*in_.estimates, first_, end_);
        } else {
            engine::estimate_columns(*in_.estimates, first_, end_);
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
        const std::span<const double> key_row = in_.key_row;
        const double a_rs = in_.a_rs;
        const auto at = [a, key_row, a_is, a_rs](Index j) {
            a[j] = static_cast<double>(a[j] - static_cast<long double>(key_row[j]) * a_is / a_rs);
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
            for (std::size_t k = 0; k < a.size(); ++k) em[k] = static_cast<double>(em[k] + s * a[k]);
        } else if (c == 0.0) {
            sums_exact_ = all_finite(a);
        } else {
            const long double cost = c;
            for (std::size_t k = 0; k < a.size(); ++k) ep[k] = static_cast<double>(ep[k] + cost * a[k]);
        }
    }

    const PivotInputs& in_;
    Index first_;
    Index end_;
    std::span<const Index> nonzero_cols_;
    std::span<const Index> zero_cols_;
    bool sums_exact_ = false;
};

}  // namespace

void engine::pivot_table(SimplexIteration& run, bool then_estimates, TableFacts* facts) {
    Matrix& table = run.table;
    const Index m = run.constraint_count();
    const auto r = static_cast<Index>(run.pivot_row);
    const auto s = static_cast<Index>(run.pivot_col);
    const double a_rs = table(r, s);  // checks both indices
    basic_column(run, r);
    run.basis[r] = s;
    ++run.iterations;
    std::optional<EstimateInputs> estimates;
    if (then_estimates) estimates.emplace(estimate_inputs(run));
    if (facts != nullptr) {
        facts->refresh(table);
        if (facts->clean() && estimates && a_rs > 0.0 &&
            std::ranges::all_of(estimates->basic_costs.subspan(1), [](double c) { return std::isfinite(c); })) {
            pivot_clean_table(table, r, s, *estimates, *facts);
            return;
        }
        facts->forget();
    }

    // Kept from pivot to pivot against allocations per iteration; the blocks see the
    // caller's vectors through the spans of PivotInputs, not their own thread's.
    thread_local std::vector<double> key_row;
    thread_local std::vector<double> key_column;
    thread_local std::vector<Index> nonzero_cols;
    thread_local std::vector<Index> zero_cols;
    copy_key_lines(table, r, s, key_row, key_column);
    const bool zero_terms_exact = a_rs != 0.0 && all_finite(key_row);
    nonzero_cols.clear();
    zero_cols.clear();
    if (zero_terms_exact) {
        for (Index j = 0; j < key_row.size(); ++j) (key_row[j] != 0.0 ? nonzero_cols : zero_cols).push_back(j);
    }

    const PivotInputs inputs{
        .table = table,
        .r = r,
        .s = s,
        .a_rs = a_rs,
        .key_row = key_row,
        .key_column = key_column,
        .zero_terms_exact = zero_terms_exact,
        .nonzero_cols = nonzero_cols,
        .zero_cols = zero_cols,
        .estimates = estimates ? &*estimates : nullptr,
    };
    // Elements are independent of each other, and every column of the estimates sums
    // its rows from 1 to m whatever the split: the parts take blocks of columns.
    const Index columns = table.cols;
    run_in_parts(std::size_t{m} * columns, [&inputs, columns](unsigned part, unsigned parts) noexcept {
        PivotBlock(inputs, column_block_bound(columns, part, parts), column_block_bound(columns, part + 1, parts))
            .run();
    });
}
