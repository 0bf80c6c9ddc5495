// The two-phase method table by table on textbook problems, in exact fractions: phase I's row of w,
// the end of phase I (an artificial variable driven out, a redundant row dropped, w > 0), phase II.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "solver/engine/run_observer.h"
#include "solver/report/report_frame.h"
#include "solver/session/run_with_report.h"
#include "solver/session/table_recorder.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

RunSettings two_phase(Arithmetic arithmetic) {
    RunSettings settings{arithmetic, PivotRule::dantzig};
    settings.method = SolveMethod::two_phase;
    return settings;
}

// The fractions of a table's row of estimates.
std::vector<std::string> estimates(const TableSnapshot& t) {
    std::vector<std::string> texts;
    for (std::size_t j = 0; j < t.plain_parts.size(); ++j) texts.emplace_back(t.plain_parts[j].fraction);
    return texts;
}

std::shared_ptr<RecordedRun> recorded(const SimplexIteration& problem, Arithmetic arithmetic = Arithmetic::exact) {
    TableRecorder recorder;
    const RunObserver observer{&recorder, {}, nullptr};
    run_simplex(problem, two_phase(arithmetic), ReportFrame{}, observer);
    return recorder.take();
}

constexpr double M = BIG_M;

// min 2x1 + 3x2: x1 + x2 >= 4, x1 + 3x2 >= 6; columns x1 x2 s1 s2 r1 r2. Optimum 9 at (3, 1).
SimplexIteration diet() {
    return test_support::make_problem(2, {2, 3, 0, 0, M, M}, {{4, 1, 1, -1, 0, 1, 0}, {6, 1, 3, 0, -1, 0, 1}}, 4);
}

TEST(TwoPhase, TheTablesOfATextbookProblem) {
    const auto run = recorded(diet());
    ASSERT_EQ(run->tables.size(), 4U);
    const TableSnapshot& first = run->tables[0];
    EXPECT_EQ(first.look.phase, 1);
    EXPECT_TRUE(first.look.single_estimate_row);
    EXPECT_EQ(first.costs[5].fraction, "1");  // w = r1 + r2
    EXPECT_EQ(estimates(first), (std::vector<std::string>{"10", "2", "4", "-1", "-1", "0", "0"}));
    EXPECT_EQ(first.key_column, 2U);
    EXPECT_EQ(first.key_row, 2U);

    const TableSnapshot& end_of_phase_one = run->tables[2];
    EXPECT_EQ(end_of_phase_one.close, TableClose::phase_end);
    EXPECT_EQ(estimates(end_of_phase_one), (std::vector<std::string>{"0", "0", "0", "0", "0", "-1", "-1"}));

    const TableSnapshot& last = run->tables[3];
    EXPECT_EQ(last.look.phase, 2);
    EXPECT_EQ(last.n, 4U);  // r1 and r2 removed
    EXPECT_EQ(last.close, TableClose::optimum);
    EXPECT_EQ(estimates(last), (std::vector<std::string>{"9", "0", "0", "-3/2", "-1/2"}));

    const SolveOutcome& outcome = run->outcome;
    EXPECT_EQ(outcome.exact_solution, (std::vector<std::string>{"9", "3", "1", "0", "0", "0", "0"}));
    ASSERT_EQ(outcome.phases.size(), 2U);
    EXPECT_EQ(outcome.phases[0].pivots, (std::vector<Pivot>{{2, 2}, {1, 1}}));
    EXPECT_TRUE(outcome.phases[1].pivots.empty());
}

TEST(TwoPhase, TheEndOfPhaseOne) {
    struct Case {
        const char* name;
        SimplexIteration problem;
        TableClose phase_one_end;
        std::vector<std::uint32_t> redundant_rows;
        std::vector<Pivot> phase_one_pivots;
        std::vector<std::string> solution;  // empty: none
    };
    const std::vector<Case> cases{
        // min x1 + x3: x1 + x2 = 1, x1 + x2 - x3 = 1: a2 stays basic at 0 and x3 (element -1) drives it out.
        {"driven out",
         test_support::make_problem(2, {1, 0, 1, M, M}, {{1, 1, 1, 0, 1, 0}, {1, 1, 1, -1, 0, 1}}, 3),
         TableClose::phase_end,
         {},
         {{1, 1}, {3, 2}},
         {"0", "0", "1", "0", "0", "0"}},
        // min x1 + x2: x1 + x2 = 2, 2x1 + 2x2 = 4: the second row is redundant and dropped.
        {"redundant",
         test_support::make_problem(2, {1, 1, M, M}, {{2, 1, 1, 1, 0}, {4, 2, 2, 0, 1}}, 2),
         TableClose::phase_end,
         {2},
         {{1, 1}},
         {"2", "2", "0", "0", "0"}},
        // x1 + x2 = 1, x1 + x2 = 3: w = 2 > 0 at the end of phase I.
        {"infeasible",
         test_support::make_problem(1, {1, 1, -M, -M}, {{1, 1, 1, 1, 0}, {3, 1, 1, 0, 1}}, 2),
         TableClose::infeasible,
         {},
         {{1, 1}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = recorded(c.problem);
        std::size_t last_of_phase_one = 0;
        while (last_of_phase_one + 1 < run->tables.size() && run->tables[last_of_phase_one + 1].look.phase == 1) {
            ++last_of_phase_one;
        }
        const TableSnapshot& end = run->tables.at(last_of_phase_one);
        EXPECT_EQ(end.close, c.phase_one_end);
        EXPECT_EQ(end.look.redundant_rows, c.redundant_rows);
        ASSERT_FALSE(run->outcome.phases.empty());
        EXPECT_EQ(run->outcome.phases[0].pivots, c.phase_one_pivots);
        if (c.solution.empty()) {
            EXPECT_FALSE(run->outcome.status.empty());
        } else {
            EXPECT_TRUE(run->outcome.status.empty());
            EXPECT_EQ(run->outcome.exact_solution, c.solution);
        }
    }
}

// The last table of phase I lies between the first and the final table: the modes that print only
// those leave it out.
TEST(TwoPhase, TheModesOfPrintingTables) {
    const test_support::TempFolder folder("qtb_two_phase");
    const struct {
        bool only_data, only_optimal;
        std::size_t tables;
    } cases[] = {{false, false, 4}, {true, false, 1}, {false, true, 1}, {true, true, 2}};
    for (const auto& c : cases) {
        SimplexIteration problem = diet();
        problem.no_table = false;
        problem.file = (folder.path() / "report.txt").string();
        problem.only_data_table = c.only_data;
        problem.only_optimal_table = c.only_optimal;
        run_simplex(problem, two_phase(Arithmetic::double_precision));
        const std::string report = test_support::read_file(folder.path() / "report.txt");
        std::size_t tables = 0;
        constexpr std::string_view kHeading = "C баз"_cp1251;  // one in each table
        for (std::size_t at = report.find(kHeading); at != std::string::npos; at = report.find(kHeading, at + 1)) {
            ++tables;
        }
        EXPECT_EQ(tables, c.tables) << c.only_data << c.only_optimal;
    }
}

}  // namespace
