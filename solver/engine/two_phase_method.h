#pragma once

// The two-phase method on the tables of the big-M method, for every arithmetic. Phase I runs the
// big-M loop (without its elimination search) on the auxiliary problem: minimise w, the sum of the
// artificial variables, the columns of an M cost. Its end: w > 0, no feasible solution; else each
// artificial variable still basic (at level 0) is driven out by a pivot on a non-zero element of an
// own column of its row, or its row, which has none, is redundant and dropped. Phase II runs the loop
// on the problem's own costs from the basis phase I ended with, the artificial columns removed.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"
#include "solver/engine/big_m_method.h"
#include "solver/engine/note_tolerance.h"
#include "solver/engine/run_clock.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/run_types.h"
#include "solver/engine/table_at_basis.h"
#include "solver/report/report_frame.h"
#include "solver/report/table_source.h"

namespace two_phase {

using engine::Index;

// The artificial variables: the columns of an M cost (a model's canonical form gives its own these too).
std::vector<bool> artificial_columns(const SimplexIteration& problem);

// The auxiliary problem of phase I: costs 1 for the artificial columns and 0 for the others, minimised.
SimplexIteration phase_one_record(const SimplexIteration& problem, const std::vector<bool>& artificial);

// What phase II keeps of phase I's table: its rows and columns (numbers of phase I's table, in order).
struct PhaseTwoShape {
    std::vector<Index> rows;     // 1..m without the redundant rows
    std::vector<Index> columns;  // 0..n without the artificial columns
};

// Phase II's record: the problem's costs over the kept columns, phase I's basis renumbered; the table's
// rows are the caller's to fill. The names stay those of the problem's columns.
SimplexIteration phase_two_record(const SimplexIteration& problem, const SimplexIteration& phase_one,
                                  const PhaseTwoShape& shape);

// The solution vector of phase II over the problem's columns, zeros for the removed ones.
Matrix solution_over_problem(const Matrix& phase_two_solution, const PhaseTwoShape& shape, Index problem_columns);

// Phase II's numbers made from phase I's at its end: the tableau of `record` with the kept rows and
// columns of `phase_one` (the arithmetic's own values, so that an exact run stays exact).
template <class Numbers>
using PhaseTwoNumbers =
    std::function<std::unique_ptr<Numbers>(SimplexIteration& record, const Numbers& phase_one, const PhaseTwoShape&)>;

template <big_m::Tableau Numbers>
class Method {
public:
    Method(const SimplexIteration& problem, PhaseTwoNumbers<Numbers> phase_two_numbers)
        : problem_(problem),
          artificial_(artificial_columns(problem)),
          phase_one_(phase_one_record(problem, artificial_)),
          phase_two_numbers_(std::move(phase_two_numbers)) {}

    SolveOutcome run(const ReportFrame& frame, const RunSettings& settings, const RunObserver& observer,
                     ReportSink* report) {
        if (std::find(artificial_.begin(), artificial_.end(), true) == artificial_.end()) {
            return run_phase_two_only(frame, settings, observer, report);
        }
        Numbers numbers(phase_one_);
        big_m::Method<Numbers> phase_one(phase_one_, numbers, settings.rule);
        phase_one.search_for_elimination(false);
        phase_one.explain(settings.explain);
        // The report begins with the problem as given; its first table is phase I's.
        SolveOutcome outcome = phase_one.start(settings, frame, observer, report, problem_);
        const auto sinks = phase_one.sinks_of(observer, report);
        const RunClock clock(settings.time_limit_seconds);
        auto loop = phase_one.iterate(outcome, settings, observer, sinks, clock);

        const bool feasible = !loop.unbounded && phase_one_.pivot_col == 0 && w_is_zero(numbers);
        if (!feasible || outcome.stopped) {
            // w > 0 at the end of phase I, or phase I cut short: its last table ends the run.
            if (!outcome.stopped && !loop.limit_reached && !loop.cycling && !loop.unbounded) {
                phase_one_.look.infeasible = true;
                outcome.status.add(kInconsistent);
            }
            record_phase(outcome, 1, 0);
            phase_one.finish(outcome, loop, frame, settings, sinks, [&](SolveOutcome& o) { end_in_phase_one(o); });
            return outcome;
        }
        PhaseTwoShape shape = drive_out_artificials(phase_one, numbers, outcome, observer, sinks);
        record_phase(outcome, 1, 0);
        phase_one_.look.phase_end = true;
        phase_one_.look.redundant_rows = redundant_rows(shape);
        if (TableChoices* c = phase_one.choices_anew()) c->end = TableChoices::End::phase_end;
        // The last table of phase I is a table between others: "only the optimal table" leaves it out.
        if (sinks.report && !phase_one_.only_optimal_table && phase_one.prints_final_table()) {
            TableOfRun<Numbers> table(phase_one_, numbers);
            sinks.report->table(table);
        }
        if (sinks.watcher) {
            TableOfRun<Numbers> table(phase_one_, numbers);
            sinks.watcher->table(table);
        }

        SimplexIteration phase_two_problem = phase_two_record(problem_, phase_one_, shape);
        phase_two_problem.stop = phase_one.iteration_limit();  // one limit for both phases
        std::unique_ptr<Numbers> phase_two_numbers = phase_two_numbers_(phase_two_problem, numbers, shape);
        big_m::Method<Numbers> phase_two(phase_two_problem, *phase_two_numbers, settings.rule);
        phase_two.explain(settings.explain);
        const std::size_t pivots_before = outcome.pivots.size();
        loop = phase_two.iterate(outcome, settings, observer, sinks, clock);
        // The outcome speaks of the problem's rows and columns, as its solution does.
        for (std::size_t p = pivots_before; p < outcome.pivots.size(); ++p) {
            outcome.pivots[p] = {shape.columns.at(outcome.pivots[p].column), shape.rows.at(outcome.pivots[p].row - 1)};
        }
        record_phase(outcome, 2, pivots_before);
        const Index problem_columns = problem_.variable_count();
        phase_two.finish(outcome, loop, frame, settings, sinks, [&](SolveOutcome& o) {
            Matrix over_problem = solution_over_problem(o.solution, shape, problem_columns);
            swap(o.solution, over_problem);  // of another size: assignment would refuse it
            if (!o.exact_solution.empty())
                o.exact_solution = exact_over_problem(o.exact_solution, shape, problem_columns);
            for (auto& column : o.notes.alternative_columns) column = shape.columns.at(column);
            if (settings.keep_final_table && o.end == RunEnd::optimal && o.status.empty() && !o.stopped) {
                std::vector<Index> basis;
                for (Index i = 1; i <= phase_two_problem.constraint_count(); ++i) {
                    basis.push_back(shape.columns.at(engine::basic_column(phase_two_problem, i)));
                }
                o.final_table = std::make_shared<const FinalTableSnapshot>(
                    FinalTableSnapshot{engine::table_at_basis<Numbers>(problem_, basis), o.magnitude});
            }
        });
        return outcome;
    }

private:
    // w at the end of phase I. A double w within the rounding residue of the table's right-hand sides is 0:
    // artificial variables left at -3e-17 belong to a feasible problem, not to an inconsistent one.
    bool w_is_zero(const Numbers& numbers) const {
        if constexpr (std::is_same_v<typename Numbers::Number, double>) {
            double scale = 0.0;
            for (Index i = 1; i <= phase_one_.constraint_count(); ++i) {
                scale = std::max(scale, std::fabs(numbers.element(i, 0)));
            }
            return negligible_against(numbers.plain_part(0), scale);
        } else {
            return numbers.plain_part(0) == 0;
        }
    }

    // A problem without artificial variables: nothing for phase I to do, its own table is phase II's.
    SolveOutcome run_phase_two_only(const ReportFrame& frame, const RunSettings& settings, const RunObserver& observer,
                                    ReportSink* report) const {
        SimplexIteration record = problem_;
        record.look.phase = 2;
        record.look.single_estimate_row = true;
        Numbers numbers(record);
        big_m::Method<Numbers> phase_two(record, numbers, settings.rule);
        phase_two.explain(settings.explain);
        phase_two.keep_final_table(settings.keep_final_table);  // its first table is the problem's
        SolveOutcome outcome = phase_two.start(settings, frame, observer, report, problem_);
        const auto sinks = phase_two.sinks_of(observer, report);
        const RunClock clock(settings.time_limit_seconds);
        const auto loop = phase_two.iterate(outcome, settings, observer, sinks, clock);
        record_phase(outcome, 2, 0);
        phase_two.finish(outcome, loop, frame, settings, sinks);
        return outcome;
    }

    // Each row whose basic variable is artificial after a phase I with w = 0 (so at level 0): a pivot
    // on the first non-zero element of an own column that is not basic, shown as a table of phase I;
    // a row without one is redundant. The shape phase II keeps.
    PhaseTwoShape drive_out_artificials(big_m::Method<Numbers>& phase_one, Numbers& numbers, SolveOutcome& outcome,
                                        const RunObserver& observer,
                                        const typename big_m::Method<Numbers>::Sinks& sinks) {
        const Index m = phase_one_.constraint_count();
        const Index n = phase_one_.variable_count();
        PhaseTwoShape shape;
        for (Index i = 1; i <= m; ++i) {
            if (!artificial_.at(engine::basic_column(phase_one_, i))) {
                shape.rows.push_back(i);
                continue;
            }
            Index entering = 0;
            for (Index j = 1; j <= n && entering == 0; ++j) {
                if (!artificial_[j] && numbers.element(i, j) != 0 && !big_m::is_basic(phase_one_, j)) entering = j;
            }
            if (entering == 0) continue;  // redundant: no own variable can take its place
            shape.rows.push_back(i);
            phase_one_.pivot_col = static_cast<std::int32_t>(entering);
            phase_one_.pivot_row = static_cast<std::int32_t>(i);
            if (TableChoices* c = phase_one.choices_anew()) {
                c->column = TableChoices::Column::drive_out;
                c->key_column = entering;
                c->row = TableChoices::Row::drive_out;
                c->key_row = i;
                c->pivot_element = numbers.element_text(i, entering);
            }
            TableOfRun<Numbers> table(phase_one_, numbers);
            if (sinks.report && phase_one.prints_iteration_table()) sinks.report->table(table);
            if (sinks.watcher) sinks.watcher->table(table);
            outcome.pivots.push_back({entering, i});
            ++outcome.notes.degenerate_pivots;  // its row's value is 0
            numbers.pivot();
            numbers.compute_estimates();
            if (observer.progress) observer.progress(phase_one_.iterations, phase_one.iteration_limit());
        }
        phase_one_.pivot_col = 0;
        phase_one_.pivot_row = 0;
        for (Index j = 0; j <= n; ++j) {
            if (!artificial_.at(j)) shape.columns.push_back(j);
        }
        return shape;
    }

    std::vector<std::uint32_t> redundant_rows(const PhaseTwoShape& shape) const {
        std::vector<std::uint32_t> rows;
        std::size_t kept = 0;
        for (Index i = 1; i <= phase_one_.constraint_count(); ++i) {
            if (kept < shape.rows.size() && shape.rows[kept] == i) {
                ++kept;
            } else {
                rows.push_back(i);
            }
        }
        return rows;
    }

    // The pivots made since `from` as the phase's summary.
    static void record_phase(SolveOutcome& outcome, std::int32_t phase, std::size_t from) {
        PhaseSummary summary;
        summary.phase = phase;
        summary.pivots.assign(outcome.pivots.begin() + static_cast<std::ptrdiff_t>(from), outcome.pivots.end());
        summary.iterations = static_cast<std::int32_t>(summary.pivots.size());
        outcome.phases.push_back(std::move(summary));
    }

    // A run that ends in phase I reports the problem's objective, not w: its value at the basis at hand.
    void end_in_phase_one(SolveOutcome& outcome) const {
        if (outcome.solution.rows == 0) return;
        long double objective = 0;
        for (Index j = 1; j <= problem_.variable_count(); ++j) {
            if (!artificial_[j]) objective += static_cast<long double>(problem_.table(0, j)) * outcome.solution(j, 0);
        }
        outcome.solution(0, 0) = static_cast<double>(objective);
        outcome.notes.alternative_columns.clear();
        outcome.notes.degenerate = false;
    }

    static std::vector<std::string> exact_over_problem(const std::vector<std::string>& values,
                                                       const PhaseTwoShape& shape, Index problem_columns) {
        std::vector<std::string> over_problem(std::size_t{problem_columns} + 1, "0");
        for (std::size_t k = 0; k < shape.columns.size() && k < values.size(); ++k) {
            over_problem.at(shape.columns[k]) = values[k];
        }
        return over_problem;
    }

    const SimplexIteration& problem_;
    std::vector<bool> artificial_;
    SimplexIteration phase_one_;
    PhaseTwoNumbers<Numbers> phase_two_numbers_;
};

}  // namespace two_phase
