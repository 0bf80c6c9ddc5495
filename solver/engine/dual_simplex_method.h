#pragma once

// The rules of the dual simplex method, written once for every arithmetic on the Tableau of the big-M
// method (solver/engine/tableau_concept.h), whose iteration limit, printed tables, staged pivots and
// notes of an optimum it shares (big_m::Method). The table is the start table of
// solver/engine/dual_start_table.h: no M costs, a dual feasible basis, right-hand sides of any sign.
//
// Each iteration the key row comes first: the most negative right-hand side (Bland's rule: the row of
// the lowest basic variable among the negative ones); none is an optimum. The key column is the least
// |estimate / element| over the key row's negative elements, ties to the lowest column; none means the
// constraints have no solution. The ratios go into the table's look, for the report's ratio row.

#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "numerics/exact_number.h"
#include "problem/people_number.h"
#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"
#include "solver/engine/basis_repeat.h"
#include "solver/engine/big_m_method.h"
#include "solver/engine/engine_common.h"
#include "solver/engine/note_tolerance.h"
#include "solver/engine/run_clock.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/run_types.h"
#include "solver/engine/tableau_concept.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_sink.h"
#include "solver/report/table_snapshot.h"
#include "solver/report/table_source.h"

namespace dual_simplex {

using engine::basic_column;
using engine::Index;

template <big_m::Tableau Numbers>
class Method {
public:
    Method(SimplexIteration& run, Numbers& numbers, PivotRule rule)
        : run_(run),
          t_(numbers),
          rule_(rule),
          shared_(run, numbers, rule),
          magnitude_(people_number::largest_magnitude(run.table)) {}

    // After compute_estimates(): the columns whose estimate keeps the basis from being dual feasible,
    // below 0 in a maximisation, above 0 in a minimisation.
    std::vector<Index> wrong_sign_columns() const {
        std::vector<Index> wrong;
        for (Index j = 1; j <= run_.variable_count(); ++j) {
            const auto& e = t_.plain_part(j);
            if (run_.aim == 1 ? e < 0 : e > 0) wrong.push_back(j);
        }
        return wrong;
    }

    // Column j's estimate as people read it: a reduced fraction, or a double's ten digits.
    std::string estimate_text(Index j) const {
        if constexpr (kDoubles) {
            return people_number::text(t_.plain_part(j), magnitude_);
        } else {
            return fraction_text(t_.plain_part_value(j));
        }
    }

    // The key row, stored; 0 when no right-hand side is negative.
    int choose_pivot_row() {
        const Index m = run_.constraint_count();
        Index key = 0;
        std::vector<Index> rivals;  // kept only when explaining
        for (Index i = 1; i <= m; ++i) {
            if (!negative_value(t_.element(i, 0))) continue;
            if (key == 0) {
                key = i;
                continue;
            }
            const bool better = rule_ == PivotRule::bland ? basic_column(run_, i) < basic_column(run_, key)
                                                          : t_.element(i, 0) < t_.element(key, 0);
            if (explaining_) {
                // Bland's rule passes every other negative row over; Dantzig's only an equal one.
                if (rule_ == PivotRule::bland) {
                    rivals.push_back(better ? key : i);
                } else if (better) {
                    rivals.clear();
                } else if (t_.element(i, 0) == t_.element(key, 0)) {
                    rivals.push_back(i);
                }
            }
            if (better) key = i;
        }
        run_.pivot_row = static_cast<std::int32_t>(key);
        if (explaining_ && run_.look.choices) {
            TableChoices& c = *run_.look.choices;
            c.key_row = key;
            if (key != 0) {
                c.row = rule_ == PivotRule::bland ? TableChoices::Row::lowest_basic : TableChoices::Row::most_negative;
                c.key_row_value = t_.element_text(key, 0);
                c.row_rivals = std::move(rivals);
            }
        }
        return run_.pivot_row;
    }

    // The key column of the key row, stored, with the ratio row in the look; 0 when the row has no
    // negative element.
    int choose_pivot_col() {
        const Index n = run_.variable_count();
        const auto r = static_cast<Index>(run_.pivot_row);
        std::vector<std::string>& cells = run_.look.ratio_cells;
        cells.assign(std::size_t{n} + 1, std::string());
        Index key = 0;
        typename Numbers::Ratio best{};
        std::vector<Index> rivals;  // columns of the least ratio besides the key, when explaining
        for (Index j = 1; j <= n; ++j) {
            const auto& a = t_.element(r, j);
            if (!Numbers::above_pivot_threshold(-a)) continue;
            typename Numbers::Ratio q = Numbers::ratio(t_.plain_part(j), a);
            if (q < 0) q = -q;
            cells[j] = ratio_text(r, j, q);
            if (explaining_ && key != 0) {
                if (q < best) {
                    rivals.clear();
                } else if (q == best) {
                    rivals.push_back(j);
                }
            }
            if (key == 0 || q < best) {
                key = j;
                best = std::move(q);
            }
        }
        if (explaining_ && run_.look.choices) {
            TableChoices& c = *run_.look.choices;
            c.key_column = key;
            if (key != 0) {
                c.column = TableChoices::Column::least_ratio;
                c.key_plain_part = t_.plain_part_text(key);
                c.key_column_ratio = cells[key];
                c.column_rivals = std::move(rivals);
                c.pivot_element = t_.element_text(r, key);
            }
        }
        if (key == 0) cells.clear();  // no ratio row
        key_ratio_is_zero_ = key != 0 && best == 0;
        run_.pivot_col = static_cast<std::int32_t>(key);
        return run_.pivot_col;
    }

    // Whether the ratio of the last key column chosen was 0: a pivot that leaves the objective as it is.
    bool key_ratio_is_zero() const { return key_ratio_is_zero_; }

    // One whole run on the start table, its tables to `report` and the observer as the big-M method's
    // go; the codes go into the outcome, whose numbers are those of the start table's columns.
    SolveOutcome run(const ReportFrame& frame, const RunSettings& settings, const RunObserver& observer,
                     ReportSink* report) {
        SolveOutcome outcome;
        outcome.settings = settings;
        outcome.magnitude = magnitude_;
        explaining_ = settings.explain;
        shared_.explain(settings.explain);
        ReportSink* const sink = run_.no_table ? nullptr : report;
        if (sink) sink->begin(ReportStart{run_, frame.preamble});
        ReportSink* const watcher = observer.tables;
        if (watcher) watcher->begin(ReportStart{run_, frame.preamble});
        TableOfRun<Numbers> table(run_, t_);

        const std::int32_t limit = shared_.iteration_limit();
        bool limit_reached = true;
        bool infeasible = false;
        bool cycling = false;
        BasisRepeatWatch repeats(run_.basis);
        const RunClock clock(settings.time_limit_seconds);
        while (run_.iterations < limit) {
            t_.compute_estimates();
            choose_key();
            if (run_.pivot_row == 0 || run_.pivot_col == 0) {
                infeasible = run_.pivot_row != 0;
                limit_reached = false;
                break;
            }
            bool out_of_time = clock.past_limit();
            bool stopping = observer.stop_requested() || out_of_time;
            if (!stopping && !shared_.prepare_pivot([&] { return observer.stop_requested() || clock.past_limit(); })) {
                stopping = true;
                out_of_time = !observer.stop_requested();
            }
            if (stopping) {
                outcome.stopped = true;
                outcome.time_limit_reached = out_of_time;
                limit_reached = false;
                break;
            }
            if (sink && shared_.prints_iteration_table()) sink->table(table);
            if (watcher) watcher->table(table);
            outcome.pivots.push_back({static_cast<Index>(run_.pivot_col), static_cast<Index>(run_.pivot_row)});
            if (key_ratio_is_zero()) ++outcome.notes.degenerate_pivots;
            const Index leaving = basic_column(run_, static_cast<Index>(run_.pivot_row));
            t_.pivot();
            if constexpr (kDoubles) unsign_key_row_zeros();
            if (observer.progress) observer.progress(run_.iterations, limit);
            if (!outcome.notes.cycle && watch_repeat(repeats, leaving, outcome.notes) && settings.from_model) {
                cycling = true;
                break;
            }
        }
        if (limit_reached) {
            // The choices at hand are those of the table before the last pivot (or a repeated basis's).
            t_.compute_estimates();
            choose_key();
            infeasible = run_.pivot_row != 0 && run_.pivot_col == 0;
        }

        // No solution ends as an inconsistent big-M run does: no key column, and the status code.
        outcome.end = outcome.stopped                     ? RunEnd::stopped
                      : run_.pivot_row == 0 || infeasible ? RunEnd::optimal
                      : cycling                           ? RunEnd::cycling
                                                          : RunEnd::iteration_limit;
        if (infeasible) {
            outcome.status.add(kInconsistent);
            run_.look.infeasible = true;
        }
        explain_end(outcome, infeasible, cycling);
        if (sink && shared_.prints_final_table()) sink->table(table);
        if (watcher) watcher->table(table);
        t_.finish(outcome);
        outcome.iterations = run_.iterations;
        if (outcome.end == RunEnd::optimal && !infeasible && !outcome.stopped) shared_.notes_of_optimum(outcome.notes);
        big_m::Method<Numbers>::end_report(outcome, frame, {sink, watcher});
        return outcome;
    }

private:
    static constexpr bool kDoubles = std::is_same_v<typename Numbers::Number, double>;

    // Both choices of a table: the key row, and the key column when there is a key row.
    void choose_key() {
        if (TableChoices* c = shared_.choices_anew()) c->dual = true;
        run_.pivot_col = 0;
        run_.look.ratio_cells.clear();
        key_ratio_is_zero_ = false;
        if (choose_pivot_row() != 0) choose_pivot_col();
    }

    // The end of the run into the explanations of its final table.
    void explain_end(const SolveOutcome& outcome, bool infeasible, bool cycling) {
        if (!explaining_ || !run_.look.choices) return;
        TableChoices& c = *run_.look.choices;
        using End = TableChoices::End;
        c.end = outcome.stopped       ? End::stopped
                : infeasible          ? End::no_negative_element
                : run_.pivot_row == 0 ? End::optimum
                : cycling             ? End::cycling
                                      : End::iteration_limit;
        c.iteration_limit = shared_.iteration_limit();
    }

    // The key row divided by a negative element turns its zeros into -0, which the report would show as
    // "-0.0000"; no other element of a pivot becomes -0 while the table holds none.
    void unsign_key_row_zeros() {
        for (double& x : run_.table.row(static_cast<Index>(run_.pivot_row))) {
            if (x == 0.0) x = 0.0;
        }
    }

    // A double right-hand side within the rounding residue of the table's numbers is no negative one: it
    // would make a pivot of nothing, or a feasible problem look infeasible.
    bool negative_value(const typename Numbers::Number& b) const {
        if constexpr (kDoubles) {
            return b < 0.0 && !negligible_against(b, magnitude_);
        } else {
            return b < 0;
        }
    }

    // The ratio row's text of column j: fixed notation with the record's precision, or the reduced fraction.
    std::string ratio_text(Index r, Index j, const typename Numbers::Ratio& q) const {
        if constexpr (kDoubles) {
            return snapshot_number_text(SnapshotNumber{q, {}}, run_.precision);
        } else {
            // The numerators' ratio is over the costs' denominator: the text is of the values.
            const mpq_class value = t_.plain_part_value(j) / t_.element_value(r, j);
            return fraction_text(abs(value));
        }
    }

    // After a pivot: whether the new basis repeats one seen since the objective last moved (a pivot of
    // ratio 0 leaves it as it is); the first repeat goes into the notes.
    bool watch_repeat(BasisRepeatWatch& repeats, Index leaving, RunNotes& notes) {
        const auto first =
            repeats.pivot(leaving, static_cast<Index>(run_.pivot_col), run_.iterations, key_ratio_is_zero());
        if (!first) return false;
        notes.cycle = RunNotes::BasisRepeat{*first, run_.iterations};
        return true;
    }

    SimplexIteration& run_;
    Numbers& t_;
    PivotRule rule_;
    big_m::Method<Numbers> shared_;
    double magnitude_;  // of the start table's numbers
    bool key_ratio_is_zero_ = false;
    bool explaining_ = false;
};

}  // namespace dual_simplex
