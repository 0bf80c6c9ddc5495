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

#include "solver/engine/clean_pivot.h"

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <span>
#include <vector>

#include "solver/engine/engine_common.h"
#include "solver/engine/engine_threads.h"
#include "solver/engine/row_scan.h"
#include "solver/engine/row_split.h"

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

// The steps of the pivot and of the new estimates, by runs of rows.
class CleanPivot {
public:
    explicit CleanPivot(const CleanPivotInputs& in) : in_(in) {}

    // The rows of the new table, each added to the sums `em` and `ep` (indexed
    // like the estimate rows) as it is made, unless they are null.
    void pivot_rows(std::span<const Index> rows, double* em, double* ep) {
        for (const Index i : rows) {
            const double c = in_.estimates.basic_costs[i];
            if (em != nullptr && engine::is_m_cost(c)) {
                row<true>(i, em, in_.estimates.s);
            } else if (em == nullptr || c == 0.0) {
                row<false>(i, nullptr, 0.0L);
            } else {
                row<true>(i, ep, c);
            }
        }
    }

    // The rows, already made, added to the sums.
    void add_rows(std::span<const Index> rows, double* em, double* ep) const {
        for (const Index i : rows) {
            const double c = in_.estimates.basic_costs[i];
            if (engine::is_m_cost(c)) {
                add_row(i, em, in_.estimates.s);
            } else if (c != 0.0) {
                add_row(i, ep, c);
            }
        }
    }

    // The estimates from the sums of rows 1..m that the estimate rows hold, with
    // the unit columns' put in first.
    void finish(bool unclean) const {
        unit_estimates();
        const auto columns = static_cast<Index>(in_.estimates.em.size());
        // A row of zero cost left out gives a sum of the rule only for finite elements.
        if (!unclean && !has_negative_zero(in_.estimates.em) && !has_negative_zero(in_.estimates.ep)) {
            engine::finish_estimate_columns(in_.estimates, 0, columns);
        } else {
            engine::estimate_columns(in_.estimates, 0, columns);
        }
    }

private:
    void add_row(Index i, double* sum, long double factor) const {
        const double* const a = in_.table.row(i).data();
        for (const Index j : in_.changing) sum[j] = static_cast<double>(sum[j] + factor * a[j]);
        for (const Index j : in_.kept) sum[j] = static_cast<double>(sum[j] + factor * a[j]);
    }

    // Row i of the new table, added to `sum` with `factor` (the M sign or the row's cost) when kSum.
    template <bool kSum>
    void row(Index i, double* sum, long double factor) {
        double* const a = in_.table.row(i).data();
        const double* const key_row = in_.key_row.data();
        const double a_rs = in_.a_rs;
        if (i == in_.r) {
            for (const Index j : in_.changing) {
                const double x = static_cast<double>(static_cast<long double>(key_row[j]) / a_rs);
                a[j] = x;
                if constexpr (kSum) sum[j] = static_cast<double>(sum[j] + factor * x);
            }
        } else if (const double a_is = in_.key_column[i]; a_is != 0.0) {
            for (const Index j : in_.changing) {
                const double x = static_cast<double>(a[j] - static_cast<long double>(key_row[j]) * a_is / a_rs);
                a[j] = x;
                if constexpr (kSum) sum[j] = static_cast<double>(sum[j] + factor * x);
            }
        } else if constexpr (kSum) {
            for (const Index j : in_.changing) sum[j] = static_cast<double>(sum[j] + factor * a[j]);
        }
        if constexpr (kSum) {
            for (const Index j : in_.kept) sum[j] = static_cast<double>(sum[j] + factor * a[j]);
        }
        a[in_.s] = i == in_.r ? 1.0 : 0.0;
    }

    // A unit column sums +0 terms (finite costs) and its own row's one: the cost,
    // whose sign of zero the +0 that starts the sum takes away.
    void unit_estimates() const {
        const std::span<double> em = in_.estimates.em;
        const std::span<double> ep = in_.estimates.ep;
        for (Index j = 0; j < em.size(); ++j) {
            const Index b = in_.unit_rows[j];
            if (b == 0) continue;
            const double c = in_.estimates.basic_costs[b];
            if (engine::is_m_cost(c)) {
                em[j] = static_cast<double>(in_.estimates.s);
            } else {
                ep[j] = c == 0.0 ? 0.0 : c;
            }
        }
    }

    const CleanPivotInputs& in_;
};

// Waits until `count` reaches `value`, spinning first: the parts it waits for end
// within tens of microseconds on a machine that runs them. Returns whether it had to wait.
bool wait_for_count(const std::atomic<unsigned>& count, unsigned value) noexcept {
    if (count.load(std::memory_order_acquire) >= value) return false;
    constexpr int kSpins = 4096;
    for (int spin = 0; spin < kSpins; ++spin) {
        if (count.load(std::memory_order_acquire) >= value) return true;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
    for (unsigned now = count.load(std::memory_order_acquire); now < value;
         now = count.load(std::memory_order_acquire)) {
        count.wait(now, std::memory_order_acquire);
    }
    return true;
}

}  // namespace

void engine::copy_key_lines(const Matrix& table, Index r, Index s, std::vector<double>& key_row,
                            std::vector<double>& key_column) {
    const std::span<const double> row_r = table.row(r);
    key_row.assign(row_r.begin(), row_r.end());
    key_column.resize(table.rows);
    for (Index i = 1; i < table.rows; ++i) key_column[i] = table(i, s);
}

void engine::pivot_clean_table(Matrix& table, Index r, Index s, const EstimateInputs& estimates, TableFacts& facts) {
    const Index m = table.rows - 1;
    // Kept from pivot to pivot against allocations per iteration; the parts see the
    // caller's vectors through the spans of the inputs, not their own thread's.
    thread_local std::vector<double> key_row;
    thread_local std::vector<double> key_column;
    thread_local std::vector<Index> changing;
    thread_local std::vector<Index> kept;
    copy_key_lines(table, r, s, key_row, key_column);

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
    // The parts take rows, so that the cache lines of a row stay with one thread:
    // split by columns, the threads fetch each other's lines of every row, which
    // takes about as long as the work they share. The rows of a part change little
    // from pivot to pivot. The caller's splits: the parts, on other threads, see
    // them through these references.
    thread_local RowSplit split_between_parts;
    thread_local RowSplit split_for_one;
    RowSplit& several = split_between_parts;
    RowSplit& one = split_for_one;
    const std::size_t elements = std::size_t{m} * table.cols;
    const unsigned parts = parallel_parts(elements);
    // Run alone (a busy machine), the one part makes every row in order.
    one.split(estimates.basic_costs, 1);
    if (parts > 1) several.split(estimates.basic_costs, parts);
    std::atomic<bool> unclean{false};
    std::atomic<unsigned> parts_summed{0};
    // What the second part saw of the first, when they ran at the same time.
    enum class Overlap : int { none, waited, found_done };
    std::atomic<Overlap> overlap{Overlap::none};
    const Index columns = table.cols;
    run_in_parts(elements, [&inputs, &unclean, &parts_summed, &overlap, &several, &one, columns](
                               unsigned part, unsigned parts) noexcept {
        const RowSplit& rows = parts == 1 ? one : several;
        // A part that starts after the first has ended tells nothing of their balance.
        const bool beside_first = part == 1 && parts_summed.load(std::memory_order_relaxed) == 0;
        CleanPivot pivot(inputs);
        double* const em = inputs.estimates.em.data();
        double* const ep = inputs.estimates.ep.data();
        std::feclearexcept(kUncleanResults);
        if (part == 0) {
            std::fill(em, em + columns, 0.0);
            std::fill(ep, ep + columns, 0.0);
            pivot.pivot_rows(rows.rows(part), em, ep);
        } else {
            pivot.pivot_rows(rows.rows(part), nullptr, nullptr);
            const bool waited = wait_for_count(parts_summed, part);
            if (beside_first) overlap.store(waited ? Overlap::waited : Overlap::found_done, std::memory_order_relaxed);
            pivot.add_rows(rows.summed_rows(part), em, ep);
        }
        if (std::fetestexcept(kUncleanResults) != 0) unclean.store(true, std::memory_order_relaxed);
        parts_summed.store(part + 1, std::memory_order_release);
        parts_summed.notify_all();
    });
    if (const Overlap seen = overlap.load(std::memory_order_relaxed); seen != Overlap::none) {
        several.second_part_waited(seen == Overlap::waited);
    }
    CleanPivot(inputs).finish(unclean.load(std::memory_order_relaxed));
    if (unclean.load(std::memory_order_relaxed)) facts.forget();
}
