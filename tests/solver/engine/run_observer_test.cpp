// A watched run: the observer sees every table whatever the report prints, a
// stop request ends the run with a line in its report, and the recorder keeps
// the first and the latest tables within its bound.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "problem/cp1251.h"
#include "solver/engine/run_observer.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/report_frame.h"
#include "solver/session/run_with_report.h"
#include "solver/session/table_recorder.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

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

// A time limit ends a run as a stop does, in either arithmetic, and its report says which: a
// dense 150 x 200 problem in exact arithmetic would take minutes to its optimum.
TEST(RunObserver, ATimeLimitStopsTheRunAndSaysSo) {
    const test_support::TempFolder folder("qtb_time_limit");
    std::vector<double> costs(350, 0.0);
    std::vector<std::vector<double>> rows(150, std::vector<double>(351, 0.0));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i][0] = 1000.0 + static_cast<double>(i % 7);
        for (std::size_t j = 1; j <= 200; ++j) rows[i][j] = static_cast<double>((i * 31 + j * 17) % 23) + 1.0 / 3.0;
        rows[i][201 + i] = 1.0;  // the slack of row i
    }
    for (std::size_t j = 0; j < 200; ++j) costs[j] = static_cast<double>(j % 11) + 0.5;
    SimplexIteration problem = test_support::make_problem(1, costs, rows, 350);
    problem.no_table = false;
    problem.only_optimal_table = true;
    problem.file = folder.report_name("report");
    for (const Arithmetic arithmetic : {Arithmetic::exact, Arithmetic::double_precision}) {
        RunSettings settings{arithmetic};
        settings.time_limit_seconds = 1e-9;
        const SolveOutcome outcome = run_simplex(problem, settings);
        EXPECT_TRUE(outcome.stopped && outcome.time_limit_reached);
        EXPECT_TRUE(outcome.status.empty());
        EXPECT_EQ(outcome.iterations, 0);
        const std::string end = time_limit_text(1e-9, 0);
        EXPECT_EQ(run_end_lines(outcome), std::vector<std::string>{end});
        const std::string report = test_support::read_file(cp1251::to_utf8(*problem.file));
        EXPECT_TRUE(report.ends_with(*cp1251::from_utf8(end) + "\r\n")) << end;
    }
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
