// The pivot of a table known to be finite and free of -0 (engine::TableFacts).
//
// Arithmetic model: as in pivot_step.cpp, every expression is evaluated in x87
// long double and rounded to double only where its result is stored, with the
// same expressions term for term.
//
// In such a table a column whose key-row element is +0 keeps every element:
// x - (+0 * a) / p is x for every finite x, +0 included, and +0 / p is +0 for p > 0.
// So only the other columns (n - m + 1 of n + 1 in a simplex table) are computed.
// Their estimates add every row but those of zero cost: those terms are signed
// zeros, which change no sum unless it ends as -0, and such sums are made again by
// the rule. A unit column's estimate is the cost of its row, with no sum at all.

#include "solver/clean_pivot.h"

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <span>
#include <vector>

#include "solver/engine_common.h"
#include "solver/engine_threads.h"
#include "solver/row_scan.h"

namespace {

using engine::EstimateInputs;
using engine::Index;

// A double result that takes the facts away, infinite, NaN or -0, comes only out
// of an overflow, an invalid operation or an underflow of finite numbers, and the
// store that rounds it raises the flag. The engine reads no exception flags otherwise.
constexpr int kUncleanResults = FE_OVERFLOW | FE_INVALID | FE_UNDERFLOW;

struct CleanPivotInputs {
    Matrix& table;
    Index r;
    Index s;
    double a_rs;
    std::span<const double> key_row;     // row r before the pivot
    std::span<const double> key_column;  // [i]: a(i,s) before the pivot
    std::span<const Index> changing;     // ascending: the columns but s whose key-row element is not 0
    std::span<const Index> kept;         // ascending: the other columns but s that are no unit columns
    std::span<const Index> unit_rows;    // those of the new table
    const EstimateInputs& estimates;
};

// Columns first..end-1 of the pivot and of the new estimates, row by row.
class CleanPivotBlock {
public:
    CleanPivotBlock(const CleanPivotInputs& in, Index first, Index end)
        : in_(in), first_(first), end_(end), changing_(sub_range(in.changing)), kept_(sub_range(in.kept)) {}

    // False when an element of the block may have come out infinite, NaN or -0.
    bool run() {
        // The sums grow in storage of this thread's own, indexed like the estimate
        // rows: the cache line at a bound of the block is not written by two threads row after row.
        thread_local std::vector<double> m_sums;
        thread_local std::vector<double> plain_sums;
        m_sums.assign(end_, 0.0);
        plain_sums.assign(end_, 0.0);
        em_ = m_sums.data();
        ep_ = plain_sums.data();
        std::feclearexcept(kUncleanResults);
        const Index m = in_.table.rows - 1;
        for (Index i = 1; i <= m; ++i) {
            const double c = in_.estimates.basic_costs[i];
            if (engine::is_m_cost(c)) {
                row<true>(i, em_, in_.estimates.s);
            } else if (c == 0.0) {
                row<false>(i, nullptr, 0.0L);
            } else {
                row<true>(i, ep_, c);
            }
        }
        unclean_ = std::fetestexcept(kUncleanResults) != 0;
        unit_estimates();
        const std::span<double> em = in_.estimates.em.subspan(first_, end_ - first_);
        const std::span<double> ep = in_.estimates.ep.subspan(first_, end_ - first_);
        std::copy(em_ + first_, em_ + end_, em.begin());
        std::copy(ep_ + first_, ep_ + end_, ep.begin());
        // A row of zero cost left out gives a sum of the rule only for finite elements.
        if (!unclean_ && !has_negative_zero(em) && !has_negative_zero(ep)) {
            engine::finish_estimate_columns(in_.estimates, first_, end_);
        } else {
            engine::estimate_columns(in_.estimates, first_, end_);
        }
        return !unclean_;
    }

private:
    std::span<const Index> sub_range(std::span<const Index> columns) const {
        return {std::ranges::lower_bound(columns, first_), std::ranges::lower_bound(columns, end_)};
    }

    // Row i of the new table, added to `sum` with `factor` (the M sign or the row's cost) when kSum.
    template <bool kSum>
    void row(Index i, double* sum, long double factor) {
        double* const a = in_.table.row(i).data();
        const double* const key_row = in_.key_row.data();
        const double a_rs = in_.a_rs;
        if (i == in_.r) {
            for (const Index j : changing_) {
                const double x = static_cast<double>(static_cast<long double>(key_row[j]) / a_rs);
                a[j] = x;
                if constexpr (kSum) sum[j] = static_cast<double>(sum[j] + factor * x);
            }
        } else if (const double a_is = in_.key_column[i]; a_is != 0.0) {
            for (const Index j : changing_) {
                const double x = static_cast<double>(a[j] - static_cast<long double>(key_row[j]) * a_is / a_rs);
                a[j] = x;
                if constexpr (kSum) sum[j] = static_cast<double>(sum[j] + factor * x);
            }
        } else if constexpr (kSum) {
            for (const Index j : changing_) sum[j] = static_cast<double>(sum[j] + factor * a[j]);
        }
        if constexpr (kSum) {
            for (const Index j : kept_) sum[j] = static_cast<double>(sum[j] + factor * a[j]);
        }
        if (in_.s >= first_ && in_.s < end_) a[in_.s] = i == in_.r ? 1.0 : 0.0;
    }

    // A unit column sums +0 terms (finite costs) and its own row's one: the cost,
    // whose sign of zero the +0 that starts the sum takes away.
    void unit_estimates() {
        for (Index j = first_; j < end_; ++j) {
            const Index b = in_.unit_rows[j];
            if (b == 0) continue;
            const double c = in_.estimates.basic_costs[b];
            if (engine::is_m_cost(c)) {
                em_[j] = static_cast<double>(in_.estimates.s);
            } else {
                ep_[j] = c == 0.0 ? 0.0 : c;
            }
        }
    }

    const CleanPivotInputs& in_;
    Index first_;
    Index end_;
    std::span<const Index> changing_;
    std::span<const Index> kept_;
    double* em_ = nullptr;  // the sums of the M parts
    double* ep_ = nullptr;  // the sums of the plain parts
    bool unclean_ = false;
};

// Bound `part` of `parts` blocks of columns that share the changing columns, the
// work of a pivot, evenly; a block starts on a cache line of its own.
Index balanced_bound(std::span<const Index> changing, Index columns, unsigned part, unsigned parts) {
    if (part == parts || changing.empty()) return engine::column_block_bound(columns, part, parts);
    return changing[changing.size() * part / parts] & ~Index{7};
}

}  // namespace

void engine::pivot_clean_table(Matrix& table, Index r, Index s, const EstimateInputs& estimates, TableFacts& facts) {
    const Index m = table.rows - 1;
    // Kept from pivot to pivot against allocations per iteration; the blocks see the
    // caller's vectors through the spans of the inputs, not their own thread's.
    thread_local std::vector<double> key_row;
    thread_local std::vector<double> key_column;
    thread_local std::vector<Index> changing;
    thread_local std::vector<Index> kept;
    const std::span<const double> row_r = std::as_const(table).row(r);
    key_row.assign(row_r.begin(), row_r.end());
    key_column.resize(m + 1);
    for (Index i = 1; i <= m; ++i) key_column[i] = table(i, s);

    std::vector<Index>& unit_rows = facts.unit_rows();
    changing.clear();
    kept.clear();
    for (Index j = 0; j < table.cols; ++j) {
        if (j == s) continue;
        if (key_row[j] != 0.0) {
            changing.push_back(j);
            unit_rows[j] = 0;
        } else if (unit_rows[j] == 0) {
            kept.push_back(j);
        }
    }
    unit_rows[s] = r;

    const CleanPivotInputs inputs{
        .table = table,
        .r = r,
        .s = s,
        .a_rs = key_row[s],
        .key_row = key_row,
        .key_column = key_column,
        .changing = changing,
        .kept = kept,
        .unit_rows = unit_rows,
        .estimates = estimates,
    };
    std::atomic<bool> unclean{false};
    const Index columns = table.cols;
    run_in_parts(std::size_t{m} * columns, [&inputs, &unclean, columns](unsigned part, unsigned parts) noexcept {
        const Index first = part == 0 ? 0 : balanced_bound(inputs.changing, columns, part, parts);
        const Index end = balanced_bound(inputs.changing, columns, part + 1, parts);
        if (!CleanPivotBlock(inputs, first, end).run()) unclean.store(true, std::memory_order_relaxed);
    });
    if (unclean.load(std::memory_order_relaxed)) facts.forget();
}
