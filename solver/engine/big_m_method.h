#pragma once

// The rules of the big-M method, written once for every arithmetic: the key
// column with its tie-breaks, the elimination of artificial variables basic at
// level 0, the key row, the iteration limit, the end-of-run check and the run
// loop with the choice of printed tables.
//
// A Tableau (the concept of solver/engine/tableau_concept.h) holds the numbers of
// one run and what only they decide:
//   using Number, Ratio;                        its number types
//   element(i, j), m_part(j), plain_part(j)     table elements and estimate parts (checked), or
//                                               numerators over a positive denominator common to
//                                               each of the three: signs and magnitudes compare alike
//   below_pivot_threshold(a)                    the ratio test skips row i when true of a(i, s)
//   above_pivot_threshold(a)                    the elimination search takes a(r, j) when true
//   ratio(b, a)                                 b / a as the ratio test compares it
//   magnitude_greater(a, b), magnitude_equal(a, b)
//   compute_estimates(), pivot()                the two passes over the table
//   objective_has_m_part()                      the end-of-run check
//   print_table(stream)                         one table of the report
//   fill_snapshot(snapshot)                     the numbers of one table, for the documents
//   finish(outcome)                             the solution vector into the outcome
//   final_table(initial_basis)                  the table as a FinalTable (solver/engine/final_table.h)
// The run's basis, key column and row, marker and iteration count stay in the
// SimplexIteration record, shared by both arithmetics.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "problem/people_number.h"
#include "problem/record_columns.h"
#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"
#include "solver/engine/basis_repeat.h"
#include "solver/engine/engine_common.h"
#include "solver/engine/final_table.h"
#include "solver/engine/note_tolerance.h"
#include "solver/engine/run_clock.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/run_types.h"
#include "solver/engine/tableau_concept.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_sink.h"
#include "solver/report/table_source.h"

namespace big_m {

using engine::basic_column;
using engine::Index;
using engine::is_m_cost;

inline bool is_basic(const SimplexIteration& run, Index j) {
    for (Index i = 1; i <= run.constraint_count(); ++i) {
        if (basic_column(run, i) == j) return true;
    }
    return false;
}

template <Tableau Numbers>
class Method {
public:
    Method(SimplexIteration& run, Numbers& numbers, PivotRule rule) : run_(run), t_(numbers), rule_(rule) {}

    // Whether run() keeps the final table of an optimum in its outcome.
    void keep_final_table(bool keep) { keep_final_table_ = keep; }

    // The key column by the sign rule (aim 1: M part below 0, or 0 and the plain
    // part below 0; aim 2 the other way), else the elimination search. Stores it.
    int choose_pivot_col() {
        const Index n = run_.variable_count();
        Index key = 0;
        std::vector<Index> rivals;  // kept only when explaining
        for (Index j = 1; j <= n; ++j) {
            const auto& em = t_.m_part(j);
            const auto& ep = t_.plain_part(j);
            const bool candidate = run_.aim == 1 ? (em < 0 || (em == 0 && ep < 0)) : (em > 0 || (em == 0 && ep > 0));
            if (!candidate) continue;
            if (key == 0) {
                key = j;
                if (rule_ == PivotRule::bland && !explaining_) break;  // the lowest candidate
                continue;
            }
            if (rule_ == PivotRule::bland) {
                rivals.push_back(j);  // passed over for the lowest
                continue;
            }
            // Larger magnitudes win, the M part first; on a tie the lower column stays.
            const auto& em_key = t_.m_part(key);
            if (Numbers::magnitude_greater(em, em_key) ||
                (Numbers::magnitude_equal(em, em_key) && Numbers::magnitude_greater(ep, t_.plain_part(key)))) {
                key = j;
                rivals.clear();
            } else if (explaining_ && Numbers::magnitude_equal(em, em_key) &&
                       Numbers::magnitude_equal(ep, t_.plain_part(key))) {
                rivals.push_back(j);
            }
        }

        const Index k = own_variable_count(run_);
        bool eliminating = false;
        if (key == 0 && k != 0 && elimination_search_) {
            key = elimination_column(k);
            // From here on the ratio tests of the run consider artificial rows only.
            if (key != 0) run_.basis.at(0) = 1;
            eliminating = key != 0;
        }
        run_.pivot_col = static_cast<std::int32_t>(key);
        if (TableChoices* c = choices_anew()) {
            c->column = key == 0                    ? TableChoices::Column::none
                        : eliminating               ? TableChoices::Column::elimination
                        : rule_ == PivotRule::bland ? TableChoices::Column::first_candidate
                                                    : TableChoices::Column::largest_estimate;
            c->key_column = key;
            if (key != 0) {
                if (t_.m_part(key) != 0) c->key_m_part = t_.m_part_text(key);
                c->key_plain_part = t_.plain_part_text(key);
            }
            c->column_rivals = std::move(rivals);
        }
        return run_.pivot_col;
    }

    // The explanations of a table anew, the run's settings in them; null when the run explains nothing.
    TableChoices* choices_anew() {
        if (!explaining_) return nullptr;
        TableChoices& c = run_.look.choices.emplace();
        c.maximise = run_.aim == 1;
        c.bland = rule_ == PivotRule::bland;
        return &c;
    }

    // Whether the run records its choices (TableChoices in the record's look).
    void explain(bool on) { explaining_ = on; }

    // The ratio test over the key column; equal ratios keep the lower row, or
    // with Bland's rule the row whose basic variable is the lowest. Stores it.
    int choose_pivot_row() {
        const Index m = run_.constraint_count();
        const auto s = static_cast<Index>(run_.pivot_col);
        const Index k = own_variable_count(run_);
        const bool artificial_rows_only = k != 0 && run_.basis.at(0) != 0;

        Index key = 0;
        typename Numbers::Ratio best{};
        std::vector<std::string> ratios;  // the texts of the explanations, when kept
        std::vector<Index> least;         // rows of the least ratio so far, when explaining
        if (explaining_) ratios.resize(std::size_t{m} + 1);
        for (Index i = 1; i <= m; ++i) {
            const auto& a = t_.element(i, s);
            if (Numbers::below_pivot_threshold(a)) continue;
            if (artificial_rows_only && basic_column(run_, i) <= k) continue;
            auto q = Numbers::ratio(t_.element(i, 0), a);
            if (explaining_) {
                ratios[i] = t_.ratio_text(q);
                if (key == 0 || q < best) {
                    least.assign(1, i);
                } else if (q == best) {
                    least.push_back(i);
                }
            }
            if (key == 0 || q < best ||
                (rule_ == PivotRule::bland && q == best && basic_column(run_, i) < basic_column(run_, key))) {
                key = i;
                best = std::move(q);
            }
        }
        key_ratio_is_zero_ = key != 0 && best == 0;
        run_.pivot_row = static_cast<std::int32_t>(key);
        if (explaining_ && run_.look.choices) {
            TableChoices& c = *run_.look.choices;
            c.row = key == 0 ? TableChoices::Row::none : TableChoices::Row::least_ratio;
            c.key_row = key;
            c.artificial_rows_only = artificial_rows_only;
            if (key != 0) {
                c.key_row_value = ratios[key];
                c.pivot_element = t_.element_text(key, s);
                std::erase(least, key);
                c.row_rivals = std::move(least);
            }
            c.row_ratios = std::move(ratios);
        }
        return run_.pivot_row;
    }

    // Whether the ratio of the last key row chosen was 0: a degenerate pivot.
    bool key_ratio_is_zero() const { return key_ratio_is_zero_; }

    // What the runs of the other methods on a record share with this one besides the public steps
    // below: a pivot worked out beforehand (false when `interrupted` said so) and the notes of an optimum.
    template <class Interrupted>
    bool prepare_pivot(const Interrupted& interrupted) {
        return stage_pivot(interrupted);
    }
    void notes_of_optimum(RunNotes& notes) const { note_optimum(notes); }

    // One whole run on the record's copy; the codes go into the outcome. The
    // report's tables, unless no tables are wanted, go to `report`; the observer
    // sees every table and may stop the run.
    SolveOutcome run(const ReportFrame& frame, const RunSettings& settings, const RunObserver& observer,
                     ReportSink* report) {
        SolveOutcome outcome = start(settings, frame, observer, report, run_);
        const Sinks sinks = sinks_of(observer, report);
        const RunClock clock(settings.time_limit_seconds);
        const LoopEnd loop = iterate(outcome, settings, observer, sinks, clock);
        finish(outcome, loop, frame, settings, sinks);
        return outcome;
    }

    // Where the tables of a run go: the report (none when no tables are wanted) and the observer's sink.
    struct Sinks {
        ReportSink* report = nullptr;
        ReportSink* watcher = nullptr;
    };
    Sinks sinks_of(const RunObserver& observer, ReportSink* report) const {
        return {run_.no_table ? nullptr : report, observer.tables};
    }

    // A new outcome, the report begun with `problem` as the run's starting table.
    SolveOutcome start(const RunSettings& settings, const ReportFrame& frame, const RunObserver& observer,
                       ReportSink* report, const SimplexIteration& problem) {
        SolveOutcome outcome;
        outcome.settings = settings;  // the report's end tells how the run was made
        outcome.magnitude = people_number::largest_magnitude(problem.table);
        const Sinks sinks = sinks_of(observer, report);
        if (sinks.report) sinks.report->begin(ReportStart{problem, frame.preamble});
        if (sinks.watcher) sinks.watcher->begin(ReportStart{problem, frame.preamble});
        // The unit columns of the first table hold the inverse of the final basis at the end.
        if (keep_final_table_) initial_basis_ = run_.basis;
        return outcome;
    }

    // How the loop of iterations ended, besides its key column and row.
    struct LoopEnd {
        bool limit_reached = false;  // or a model's basis repeated: the choices at hand are stale either way
        bool unbounded = false;
        bool cycling = false;
    };

    // The iterations up to the table without a key column, an unbounded key column, the iteration
    // limit, a repeated basis of a model, or a stop; the pivots, the notes and the stop into `outcome`.
    LoopEnd iterate(SolveOutcome& outcome, const RunSettings& settings, const RunObserver& observer, const Sinks& sinks,
                    const RunClock& clock) {
        TableOfRun<Numbers> table(run_, t_);
        const std::int32_t limit = iteration_limit();
        LoopEnd loop{.limit_reached = true};
        BasisRepeatWatch repeats(run_.basis);
        while (run_.iterations < limit) {
            const std::uint32_t marker = run_.basis.at(0);  // the elimination search may set it
            t_.compute_estimates();
            if (choose_pivot_col() == 0) {
                loop.limit_reached = false;
                break;
            }
            if (choose_pivot_row() == 0) {
                outcome.status.add(kUnbounded);
                loop.limit_reached = false;
                loop.unbounded = true;
                break;
            }
            bool out_of_time = clock.past_limit();
            bool stopping = observer.stop_requested() || out_of_time;
            if (!stopping && !stage_pivot([&] { return observer.stop_requested() || clock.past_limit(); })) {
                // Stopped while the next table was worked out: the table at hand is as it was.
                stopping = true;
                out_of_time = !observer.stop_requested();
            }
            if (stopping) {
                // The table at hand ends the run, as the last table of an iteration limit would.
                outcome.stopped = true;
                outcome.time_limit_reached = out_of_time;
                loop.limit_reached = false;
                break;
            }
            if (sinks.report && prints_iteration_table()) sinks.report->table(table);
            if (sinks.watcher) sinks.watcher->table(table);
            outcome.pivots.push_back({static_cast<Index>(run_.pivot_col), static_cast<Index>(run_.pivot_row)});
            if (key_ratio_is_zero()) ++outcome.notes.degenerate_pivots;
            const Index leaving = basic_column(run_, static_cast<Index>(run_.pivot_row));
            t_.pivot();
            if (observer.progress) observer.progress(run_.iterations, limit);
            if (!outcome.notes.cycle && watch_repeat(repeats, marker, leaving, outcome.notes) && settings.from_model) {
                loop.cycling = true;
                break;
            }
        }
        if (loop.limit_reached) {
            // The estimates and choices at hand describe the table before the last
            // pivot; the final table, the check and the objective need those of its result.
            t_.compute_estimates();
            if (choose_pivot_col() != 0) choose_pivot_row();
        }
        return loop;
    }

    // The end of the run after its loop: the end-of-run check, the final table, the solution vector
    // (`to_problem` maps it to the columns of the problem as given), the notes and the report's end.
    void finish(SolveOutcome& outcome, const LoopEnd& loop, const ReportFrame& frame, const RunSettings& settings,
                const Sinks& sinks, const std::function<void(SolveOutcome&)>& to_problem = {}) {
        TableOfRun<Numbers> table(run_, t_);
        outcome.end = loop.unbounded        ? RunEnd::unbounded
                      : outcome.stopped     ? RunEnd::stopped
                      : run_.pivot_col == 0 ? RunEnd::optimal
                      : loop.cycling        ? RunEnd::cycling
                                            : RunEnd::iteration_limit;
        const bool m_part_left = !outcome.stopped && t_.objective_has_m_part();
        // A model's run cut short keeps its end: its artificial variables may yet have left the basis.
        const bool cut_short = !outcome.stopped && (outcome.end == RunEnd::iteration_limit || loop.cycling);
        const bool infeasible = m_part_left && !(settings.from_model && cut_short);
        if (infeasible) {
            outcome.status.add(kInconsistent);
            outcome.limit_before_feasible = cut_short;
        }
        explain_end(outcome, loop, infeasible || run_.look.infeasible);
        if (sinks.report && prints_final_table()) sinks.report->table(table);
        if (sinks.watcher) sinks.watcher->table(table);
        t_.finish(outcome);
        outcome.iterations = run_.iterations;
        if (outcome.end == RunEnd::optimal && !infeasible && !outcome.stopped) {
            note_optimum(outcome.notes);
            if (keep_final_table_) {
                outcome.final_table = std::make_shared<const FinalTableSnapshot>(
                    FinalTableSnapshot{t_.final_table(initial_basis_), outcome.magnitude});
            }
        }
        if (to_problem) to_problem(outcome);
        end_report(outcome, frame, sinks);
    }

    // The report's end: the answer of an optimum, or what stopped the run, and the closing sections.
    static void end_report(const SolveOutcome& outcome, const ReportFrame& frame, const Sinks& sinks) {
        if (!sinks.report && !sinks.watcher) return;
        ReportEnd end{outcome, {}, {}, frame.text_notes && !outcome.stopped};
        if (outcome.status.empty() && !outcome.stopped && frame.epilogue) {
            // A model's report ends with its answer only at an optimum, else with what stopped the run.
            end.answer = outcome.end == RunEnd::optimal ? frame.epilogue(outcome) : run_end_lines_cp1251(outcome);
        }
        if (frame.closing_sections && !outcome.stopped) end.sections = frame.closing_sections(outcome);
        if (sinks.report) sinks.report->end(end);
        if (sinks.watcher) sinks.watcher->end(end);
    }

    // Whether a table of this number goes to the report: one inside the loop (after both choices,
    // before the pivot), and the final one.
    bool prints_iteration_table() const {
        if (run_.only_data_table) return run_.iterations == 0;
        return !run_.only_optimal_table && in_print_interval(run_.iterations);
    }
    bool prints_final_table() const {
        return run_.only_optimal_table || (!run_.only_data_table && in_print_interval(run_.iterations));
    }

    // Phase I of the two-phase method has no elimination search: its end drives the artificial
    // variables out by its own rule.
    void search_for_elimination(bool search) { elimination_search_ = search; }

    std::int32_t iteration_limit() const {
        if (run_.stop > 0) return run_.stop;
        return static_cast<std::int32_t>(
            std::min<std::int64_t>(4 * (std::int64_t{run_.constraint_count()} + 1), INT32_MAX));
    }

    // The end of the run into the explanations of its final table: the choices at hand stay.
    void explain_end(const SolveOutcome& outcome, const LoopEnd& loop, bool inconsistent) {
        if (!explaining_) return;
        if (!run_.look.choices) choices_anew();
        TableChoices& c = *run_.look.choices;
        using End = TableChoices::End;
        c.end = loop.unbounded        ? End::unbounded
                : outcome.stopped     ? End::stopped
                : run_.pivot_col == 0 ? (inconsistent ? End::inconsistent : End::optimum)
                : loop.cycling        ? End::cycling
                                      : End::iteration_limit;
        c.iteration_limit = iteration_limit();
        if (c.end != End::inconsistent) return;
        // Phase I's artificial variables cost 1; the big-M method's cost M.
        for (Index i = 1; i <= run_.constraint_count(); ++i) {
            const double cost = run_.table(0, basic_column(run_, i));
            const bool artificial = is_m_cost(cost) || (run_.look.phase == 1 && cost != 0.0);
            if (artificial && t_.element(i, 0) > 0) c.positive_artificial_rows.push_back(i);
        }
    }

private:
    // An arithmetic whose pivot takes long works it out beforehand, asking `interrupted` as it goes; false
    // when it was interrupted and the table at hand stands as it was. Any other pivots at once.
    template <class Interrupted>
    bool stage_pivot(const Interrupted& interrupted) {
        if constexpr (requires { t_.stage_pivot(interrupted); }) {
            return t_.stage_pivot(interrupted);
        } else {
            return true;
        }
    }

    // After a pivot: whether the new basis repeats one seen since the objective last moved; the
    // first repeat goes into the notes. A change of the ratio test's rules starts the watch anew.
    bool watch_repeat(BasisRepeatWatch& repeats, std::uint32_t marker_before, Index leaving, RunNotes& notes) {
        const auto first = repeats.pivot(leaving, static_cast<Index>(run_.pivot_col), run_.iterations,
                                         key_ratio_is_zero() && run_.basis.at(0) == marker_before);
        if (!first) return false;
        notes.cycle = RunNotes::BasisRepeat{*first, run_.iterations};
        return true;
    }

    // The first own, non-basic column with a zero estimate that can replace an
    // artificial variable still basic (at level 0) in some row; 0 when none can.
    Index elimination_column(Index k) {
        const Index m = run_.constraint_count();
        for (Index j = 1; j <= k; ++j) {
            if (t_.m_part(j) != 0 || t_.plain_part(j) != 0) continue;
            if (is_basic(run_, j)) continue;
            for (Index r = 1; r <= m; ++r) {
                if (basic_column(run_, r) > k && Numbers::above_pivot_threshold(t_.element(r, j))) return j;
            }
        }
        return 0;
    }

    bool in_print_interval(std::int32_t t) const {
        return t >= run_.print_from && (run_.print_to == 0 || t <= run_.print_to);
    }

    // Artificial columns are those of an M cost: an estimate of zero makes them no
    // alternative. Nor does the twin of a basic half of a free variable: both halves
    // grow together along it, and the model's solution stays where it is.
    void note_optimum(RunNotes& notes) const {
        for (Index j = 1; j <= run_.variable_count(); ++j) {
            if (is_m_cost(run_.table(0, j)) || is_basic(run_, j) || !zero_estimate(j)) continue;
            if (j < run_.twin_columns.size() && run_.twin_columns[j] != 0 && is_basic(run_, run_.twin_columns[j])) {
                continue;
            }
            notes.alternative_columns.push_back(j);
        }
        for (Index i = 1; i <= run_.constraint_count(); ++i) {
            if (zero_basic_value(i)) notes.degenerate = true;
        }
    }

    // The notes decide a double's 0 against its scale (solver/engine/note_tolerance.h).
    static constexpr bool kDoubles = std::is_same_v<typename Numbers::Number, double>;

    bool zero_estimate(Index j) const {
        if (t_.m_part(j) != 0) return false;
        if constexpr (kDoubles) {
            double scale = std::fabs(run_.table(0, j));
            for (Index i = 1; i <= run_.constraint_count(); ++i) {
                const double c = run_.table(0, basic_column(run_, i));
                if (!is_m_cost(c)) scale += std::fabs(c * t_.element(i, j));
            }
            return negligible_against(t_.plain_part(j), scale);
        } else {
            return t_.plain_part(j) == 0;
        }
    }

    bool zero_basic_value(Index i) const {
        if constexpr (kDoubles) {
            double scale = 0.0;
            for (Index k = 1; k <= run_.constraint_count(); ++k) scale = std::max(scale, std::fabs(t_.element(k, 0)));
            return negligible_against(t_.element(i, 0), scale);
        } else {
            return t_.element(i, 0) == 0;
        }
    }

    SimplexIteration& run_;
    Numbers& t_;
    PivotRule rule_;
    bool key_ratio_is_zero_ = false;
    bool keep_final_table_ = false;
    bool elimination_search_ = true;
    bool explaining_ = false;
    std::vector<Index> initial_basis_;  // kept for the final table
};

}  // namespace big_m
