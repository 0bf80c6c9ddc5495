// A watched run: the observer sees every table whatever the report prints, a
// stop request ends the run with a line in its report, and the recorder keeps
// the first and the latest tables within its bound.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "problem/cp1251.h"
#include "solver/engine/exact_tableau.h"
#include "solver/engine/run_observer.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/report_frame.h"
#include "solver/session/run_with_report.h"
#include "solver/session/table_recorder.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

constexpr RunSettings kExactSettings{Arithmetic::exact, PivotRule::dantzig};

// max 3x1 + 5x2; x1 <= 4, 2x2 <= 12, 3x1 + 2x2 <= 18: two pivots to the optimum 36.
SimplexIteration two_pivot_problem() {
    return test_support::make_problem(1, {3, 5, 0, 0, 0},
                                      {{4, 1, 0, 1, 0, 0}, {12, 0, 2, 0, 1, 0}, {18, 3, 2, 0, 0, 1}}, 2);
}

TEST(RunObserver, SeesEveryTableAndTheProgressWhateverTheReportPrints) {
    TableRecorder recorder;
    int progress_calls = 0;
    RunObserver observer{&recorder, [&](std::int32_t, std::int32_t) { ++progress_calls; }, nullptr};
    const SolveOutcome outcome = run_simplex(two_pivot_problem(), RunSettings{}, ReportFrame{}, observer);
    const auto run = recorder.take();
    ASSERT_TRUE(run->ended);
    EXPECT_EQ(outcome.iterations, 2);
    EXPECT_EQ(progress_calls, 2);
    ASSERT_EQ(run->tables.size(), 3U);
    EXPECT_EQ(run->tables.back().close, TableClose::optimum);
    EXPECT_EQ(run->tables.front().key_column, 2U);
    EXPECT_EQ(run->outcome.solution(0, 0), 36.0);
    EXPECT_EQ(run->omitted_count, 0U);
}

TEST(RunObserver, AStoppedRunSaysSoInItsReport) {
    const test_support::TempFolder folder("qtb_run_observer");
    SimplexIteration problem = two_pivot_problem();
    problem.no_table = false;
    problem.file = folder.report_name("report");
    const std::atomic<bool> stop{true};
    TableRecorder recorder;
    const SolveOutcome outcome =
        run_simplex(problem, RunSettings{}, ReportFrame{}, RunObserver{&recorder, nullptr, &stop});
    EXPECT_TRUE(outcome.stopped);
    EXPECT_TRUE(outcome.status.empty());
    EXPECT_EQ(outcome.iterations, 0);
    const std::string report = test_support::read_file(cp1251::to_utf8(*problem.file));
    EXPECT_TRUE(report.ends_with(*cp1251::from_utf8(stopped_run_text(0)) + "\r\n")) << report;
    EXPECT_EQ(recorder.take()->tables.size(), 1U);
}

// A dense 150 x 200 problem: in exact arithmetic it would take minutes to its optimum, with pivots of
// growing length.
SimplexIteration slow_exact_problem() {
    std::vector<double> costs(350, 0.0);
    std::vector<std::vector<double>> rows(150, std::vector<double>(351, 0.0));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i][0] = 1000.0 + static_cast<double>(i % 7);
        for (std::size_t j = 1; j <= 200; ++j) rows[i][j] = static_cast<double>((i * 31 + j * 17) % 23) + 1.0 / 3.0;
        rows[i][201 + i] = 1.0;  // the slack of row i
    }
    for (std::size_t j = 0; j < 200; ++j) costs[j] = static_cast<double>(j % 11) + 0.5;
    return test_support::make_problem(1, costs, rows, 350);
}

// A time limit ends a run as a stop does, in either arithmetic, and its report says which.
TEST(RunObserver, ATimeLimitStopsTheRunAndSaysSo) {
    const test_support::TempFolder folder("qtb_time_limit");
    SimplexIteration problem = slow_exact_problem();
    problem.no_table = false;
    problem.only_optimal_table = true;
    problem.file = folder.report_name("report");
    for (const Arithmetic arithmetic : {Arithmetic::exact, Arithmetic::double_precision}) {
        RunSettings settings{arithmetic};
        settings.time_limit_seconds = 1e-9;
        const SolveOutcome outcome = run_simplex(problem, settings);
        EXPECT_TRUE(outcome.stopped && outcome.time_limit_reached);
        EXPECT_EQ(outcome.end, RunEnd::stopped);
        EXPECT_TRUE(outcome.status.empty());
        EXPECT_EQ(outcome.iterations, 0);
        const std::string end = time_limit_text(1e-9, 0);
        EXPECT_EQ(run_end_lines(outcome), std::vector<std::string>{end});
        const std::string report = test_support::read_file(cp1251::to_utf8(*problem.file));
        EXPECT_TRUE(report.ends_with(*cp1251::from_utf8(end) + "\r\n")) << end;
    }
}

// An exact pivot interrupted halfway leaves the table as it was, and the pivot made afterwards is the one
// made at once.
TEST(ExactPivot, AnInterruptedPivotLeavesTheTableAsItWas) {
    SimplexIteration interrupted_run = two_pivot_problem();
    SimplexIteration direct_run = two_pivot_problem();
    ExactTableau interrupted(interrupted_run);
    ExactTableau direct(direct_run);
    const auto values = [](const ExactTableau& t, const SimplexIteration& run) {
        std::vector<mpq_class> all;
        for (std::uint32_t i = 1; i <= run.constraint_count(); ++i) {
            for (std::uint32_t j = 0; j <= run.variable_count(); ++j) all.push_back(t.element_value(i, j));
        }
        for (std::uint32_t j = 0; j <= run.variable_count(); ++j) {
            all.push_back(t.m_part_value(j));
            all.push_back(t.plain_part_value(j));
        }
        return all;
    };
    for (SimplexIteration* run : {&interrupted_run, &direct_run}) {
        run->pivot_col = 2;
        run->pivot_row = 2;
    }
    interrupted.compute_estimates();
    direct.compute_estimates();
    const std::vector<mpq_class> before = values(interrupted, interrupted_run);
    int asked = 0;
    EXPECT_FALSE(interrupted.stage_pivot([&asked] { return ++asked == 2; }));  // after the first row
    EXPECT_EQ(values(interrupted, interrupted_run), before);
    EXPECT_EQ(interrupted_run.iterations, 0);
    EXPECT_EQ(interrupted_run.basis, direct_run.basis);

    interrupted.pivot();
    direct.pivot();
    EXPECT_EQ(values(interrupted, interrupted_run), values(direct, direct_run));
    EXPECT_NE(values(direct, direct_run), before);
    EXPECT_EQ(interrupted_run.basis, direct_run.basis);
    EXPECT_EQ(interrupted_run.iterations, 1);
}

// A stop from another thread, most likely in the middle of an exact pivot, ends the run as stopped at the
// table before that pivot: the tables recorded are those of a run limited to as many pivots.
TEST(RunObserver, AnExactRunStoppedFromAnotherThreadKeepsItsTablesIntact) {
    std::atomic<bool> stop{false};
    std::thread stopper;
    TableRecorder recorder;
    const RunObserver observer{&recorder,
                               [&](std::int32_t pivots, std::int32_t) {
                                   if (pivots != 3) return;
                                   stopper = std::thread([&stop] {
                                       std::this_thread::sleep_for(std::chrono::milliseconds(30));
                                       stop.store(true);
                                   });
                               },
                               &stop};
    const SolveOutcome outcome = run_simplex(slow_exact_problem(), kExactSettings, ReportFrame{}, observer);
    stopper.join();
    ASSERT_TRUE(outcome.stopped);
    EXPECT_FALSE(outcome.time_limit_reached);
    EXPECT_EQ(outcome.end, RunEnd::stopped);
    EXPECT_GE(outcome.iterations, 3);
    EXPECT_EQ(run_end_lines(outcome), std::vector<std::string>{stopped_run_text(outcome.iterations)});
    const auto stopped = recorder.take();

    SimplexIteration limited = slow_exact_problem();
    limited.stop = outcome.iterations;
    TableRecorder limited_recorder;
    static_cast<void>(
        run_simplex(limited, kExactSettings, ReportFrame{}, RunObserver{&limited_recorder, nullptr, nullptr}));
    const auto expected = limited_recorder.take();
    ASSERT_EQ(stopped->tables.size(), expected->tables.size());
    for (std::size_t k = 0; k < expected->tables.size(); ++k) {
        const TableSnapshot& got = stopped->tables[k];
        const TableSnapshot& want = expected->tables[k];
        EXPECT_EQ(got.iteration, want.iteration);
        EXPECT_EQ(got.basis, want.basis);
        ASSERT_EQ(got.elements.size(), want.elements.size());
        EXPECT_EQ(got.elements.texts, want.elements.texts) << k;
    }
}

// Takes every table into one snapshot, reused across runs, and checks it against a fresh one.
class ReusedSnapshotSink final : public ReportSink {
public:
    void begin(const ReportStart&) override {}
    void table(TableSource& source) override {
        source.snapshot_into(reused_);
        const TableSnapshot fresh = source.snapshot();
        ++tables;
        for (const auto numbers :
             {&TableSnapshot::costs, &TableSnapshot::elements, &TableSnapshot::m_parts, &TableSnapshot::plain_parts}) {
            EXPECT_EQ((reused_.*numbers).values, (fresh.*numbers).values) << fresh.iteration;
            EXPECT_EQ((reused_.*numbers).texts, (fresh.*numbers).texts) << fresh.iteration;
        }
    }
    void end(const ReportEnd&) override {}
    int tables = 0;

private:
    TableSnapshot reused_;
};

// max 2x1 + x2; x1 + x2 >= 1 (an artificial x4 at cost -M), x1 <= 3: two rows against two_pivot_problem's three.
SimplexIteration m_cost_problem() {
    return test_support::make_problem(1, {2, 1, 0, -BIG_M, 0}, {{1, 1, 1, -1, 1, 0}, {3, 1, 0, 0, 0, 1}}, 2);
}

TEST(TableSource, SnapshotIntoABufferOfAnotherSizeOrArithmeticMatchesAFreshOne) {
    ReusedSnapshotSink sink;
    const struct {
        SimplexIteration problem;
        RunSettings settings;
    } runs[] = {{m_cost_problem(), kExactSettings},
                {two_pivot_problem(), RunSettings{}},
                {m_cost_problem(), RunSettings{}},
                {two_pivot_problem(), kExactSettings}};
    for (const auto& run : runs) {
        static_cast<void>(run_simplex(run.problem, run.settings, ReportFrame{}, RunObserver{&sink, nullptr, nullptr}));
    }
    EXPECT_GE(sink.tables, 8);
}

TEST(TableRecorder, KeepsTheFirstAndTheLatestTablesPastItsBound) {
    TableRecorder probe;
    static_cast<void>(
        run_simplex(two_pivot_problem(), RunSettings{}, ReportFrame{}, RunObserver{&probe, nullptr, nullptr}));
    const std::size_t one_table = snapshot_bytes(probe.take()->tables.front());

    // Room for one table in each half: the first and the last stay, the middle one is left out.
    TableRecorder recorder(2 * one_table + one_table / 2);
    static_cast<void>(
        run_simplex(two_pivot_problem(), RunSettings{}, ReportFrame{}, RunObserver{&recorder, nullptr, nullptr}));
    const auto run = recorder.take();
    ASSERT_EQ(run->tables.size(), 2U);
    EXPECT_EQ(run->tables[0].iteration, 0);
    EXPECT_EQ(run->tables[1].iteration, 2);
    EXPECT_EQ(run->omitted_after, 1U);
    EXPECT_EQ(run->omitted_count, 1U);
    EXPECT_EQ(run->omitted_first_iteration, 1);
    EXPECT_EQ(run->omitted_last_iteration, 1);
}

}  // namespace
