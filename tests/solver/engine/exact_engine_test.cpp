#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/cp1251.h"
#include "solver/session/run_with_report.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

using test_support::make_problem;
using test_support::read_file;
using test_support::TempFolder;

constexpr std::uint8_t kMax = 1;
constexpr std::uint8_t kMin = 2;

constexpr RunSettings kExact{Arithmetic::exact, PivotRule::dantzig};

// Beale's example: min -3/4 x1 + 20 x2 - 1/2 x3 + 6 x4, optimum -5/4 at x1 = x3 = 1.
SimplexIteration beale() {
    return make_problem(kMin, {-0.75, 20, -0.5, 6, 0, 0, 0},
                        {{0, 0.25, -8, -1, 9, 1, 0, 0}, {0, 0.5, -12, -0.5, 3, 0, 1, 0}, {1, 0, 0, 1, 0, 0, 0, 1}});
}

TEST(ExactRun, BealeCyclesUnderDantzigAndEndsAtTheOptimumUnderBland) {
    const SolveOutcome dantzig = run_simplex(beale(), kExact);
    EXPECT_TRUE(dantzig.status.empty());
    EXPECT_EQ(dantzig.end, RunEnd::iteration_limit);
    EXPECT_EQ(dantzig.iterations, 16);
    EXPECT_EQ(dantzig.exact_solution.at(0), "0");

    for (const Arithmetic arithmetic : {Arithmetic::exact, Arithmetic::double_precision}) {
        const SolveOutcome bland = run_simplex(beale(), {arithmetic, PivotRule::bland});
        EXPECT_TRUE(bland.status.empty());
        EXPECT_EQ(bland.end, RunEnd::optimal);
        EXPECT_NEAR(bland.solution(0, 0), -1.25, 1e-12);
        EXPECT_NEAR(bland.solution(1, 0), 1.0, 1e-12);
        EXPECT_NEAR(bland.solution(3, 0), 1.0, 1e-12);
        EXPECT_GT(bland.notes.degenerate_pivots, 0);
    }
    EXPECT_EQ(run_simplex(beale(), {Arithmetic::exact, PivotRule::bland}).exact_solution.at(0), "-5/4");
}

// On small integer data both arithmetics make the same pivots to the same values.
TEST(ExactRun, AgreesWithDoublesOnSmallIntegerData) {
    const std::vector<SimplexIteration> problems = {
        make_problem(kMax, {3, 2, 0, 0}, {{4, 1, 1, 1, 0}, {6, 2, 1, 0, 1}}),
        make_problem(kMin, {2, 3, BIG_M, BIG_M}, {{10, 1, 2, 1, 0}, {12, 3, 1, 0, 1}}, 2),
        make_problem(kMax, {2, 3, 0, 0}, {{7, 3, 2, 1, 0}, {5, 1, 3, 0, 1}}),
        make_problem(kMax, {1, 1, 0, 0, -BIG_M}, {{4, 1, 1, 1, 0, 0}, {2, 1, -1, 0, -1, 1}}, 4),
    };
    for (std::size_t c = 0; c < problems.size(); ++c) {
        for (const PivotRule rule : {PivotRule::dantzig, PivotRule::bland}) {
            const SolveOutcome exact = run_simplex(problems[c], {Arithmetic::exact, rule});
            const SolveOutcome doubles = run_simplex(problems[c], {Arithmetic::double_precision, rule});
            EXPECT_EQ(exact.pivots, doubles.pivots) << c;
            EXPECT_EQ(exact.end, doubles.end) << c;
            EXPECT_EQ(exact.notes.alternative_columns, doubles.notes.alternative_columns) << c;
            for (std::uint32_t j = 0; j < doubles.solution.rows; ++j) {
                EXPECT_NEAR(exact.solution(j, 0), doubles.solution(j, 0), 1e-12) << c << ' ' << j;
            }
        }
    }
}

// max 2x1 + 3x2: 3x1 + 2x2 <= 7, x1 + 3x2 <= 5; worked by hand in fractions:
// x2 enters at row 2, then x1 at row 1; x1 = 11/7, x2 = 8/7, F = 46/7. With width 3
// the columns of -2/7 and 46/7 widen to 4; the others keep 3.
TEST(ExactReport, FinalTableInReducedFractions) {
    const TempFolder dir("qtb_exact");
    SimplexIteration p = make_problem(kMax, {2, 3, 0, 0}, {{7, 3, 2, 1, 0}, {5, 1, 3, 0, 1}});
    p.width = 3;
    p.compute_col_widths();
    p.no_table = false;
    p.only_optimal_table = true;
    p.file = dir.report_name("r.txt");
    const SolveOutcome outcome = run_simplex(p, kExact);
    EXPECT_EQ(outcome.exact_solution, (std::vector<std::string>{"46/7", "11/7", "8/7", "0", "0"}));
    EXPECT_EQ(cp1251::to_utf8(read_file(dir.path() / "r.txt")),
              "                     +-----+-----+------+------+\r\n"
              " Итерация: 2   (оптимум) |   2 |   3 |    0 |    0 |\r\n"
              "+-----+-------+------+-----+-----+------+------+\r\n"
              "| C баз |  Имя  | X баз | x1   | x2   | x3   | x4   |\r\n"
              "+-----+-------+------+-----+-----+------+------+\r\n"
              "|   2 |  x1   | 11/7 |   1 |   0 |  3/7 | -2/7 |\r\n"
              "+-----+-------+------+-----+-----+------+------+\r\n"
              "|   3 |  x2   |  8/7 |   0 |   1 | -1/7 |  3/7 |\r\n"
              "+-----+-------+------+-----+-----+------+------+\r\n"
              "|    строка   |      |     |     |      |      |\r\n"
              "| о ц е н о к | 46/7 |   0 |   0 |  3/7 |  5/7 |\r\n"
              "+-------------+------+-----+-----+------+------+\r\n"
              "получено оптимальное решение !\r\n\r\n");
}

// max y, x + y <= 0.3, y <= 0.2, x >= 0.1: the shifted row is 0.19999999999999998 in doubles
// but 1/5 exactly, so the optimum is degenerate in both arithmetics, not only in doubles.
TEST(ExactRun, TakesAModelsShiftedRowsFromItsNumbers) {
    constexpr double kInf = LpModel::kInfinity;
    const LpModel model{true,
                        0,
                        "",
                        {{"x", 0.1, kInf, 0}, {"y", 0, kInf, 1}},
                        {{"c1", -kInf, 0.3, {{0, 1}, {1, 1}}}, {"c2", -kInf, 0.2, {{1, 1}}}},
                        {}};
    SimplexIteration record = build_canonical_form(model).record;
    const TempFolder dir("qtb_exact_model");
    record.file = dir.report_name("r.txt");
    record.no_table = true;
    RunSettings settings = kExact;
    settings.from_model = true;
    const SolveOutcome exact = run_simplex(record, settings);
    settings.arithmetic = Arithmetic::double_precision;
    const SolveOutcome doubles = run_simplex(record, settings);
    EXPECT_EQ(exact.exact_solution.at(0), "1/5");
    EXPECT_TRUE(exact.notes.degenerate);
    EXPECT_EQ(exact.notes.degenerate, doubles.notes.degenerate);
}

}  // namespace

namespace {

// min 2 x1 + 3 x2: x1 + 2 x2 + r1 = 10, 3 x1 + x2 + r2 = 12 (examples/mix.qtb); one pivot leaves r1 or r2 basic.
SimplexIteration mix() { return make_problem(kMin, {2, 3, BIG_M, BIG_M}, {{10, 1, 2, 1, 0}, {12, 3, 1, 0, 1}}, 2); }

TEST(RepeatedBasis, IsNamedInBothArithmeticsAndStopsOnlyAModelsRun) {
    for (const Arithmetic arithmetic : {Arithmetic::double_precision, Arithmetic::exact}) {
        for (const bool from_model : {false, true}) {
            RunSettings settings{arithmetic, PivotRule::dantzig};
            settings.from_model = from_model;
            const SolveOutcome outcome = run_simplex(beale(), settings);
            ASSERT_TRUE(outcome.notes.cycle) << from_model;
            EXPECT_EQ(outcome.notes.cycle->first, 0);
            EXPECT_EQ(outcome.notes.cycle->repeat, 6);
            EXPECT_EQ(outcome.end, from_model ? RunEnd::cycling : RunEnd::iteration_limit);
            EXPECT_EQ(outcome.iterations, from_model ? 6 : 16);
            EXPECT_TRUE(outcome.status.empty());
        }
        // Bland's rule and a run whose every pivot moves the objective see no repeat.
        EXPECT_FALSE(run_simplex(beale(), {arithmetic, PivotRule::bland}).notes.cycle);
        EXPECT_FALSE(run_simplex(mix(), {arithmetic, PivotRule::dantzig}).notes.cycle);
    }
}

TEST(RepeatedBasis, LimitBeforeTheArtificialsLeftIsCode13OnlyForAProblemFile) {
    for (const bool from_model : {false, true}) {
        SimplexIteration problem = mix();
        problem.stop = 1;
        RunSettings settings;
        settings.from_model = from_model;
        const SolveOutcome outcome = run_simplex(problem, settings);
        EXPECT_EQ(outcome.end, RunEnd::iteration_limit);
        EXPECT_EQ(outcome.status.count, from_model ? 0 : 1);
        EXPECT_EQ(outcome.limit_before_feasible, !from_model);
    }
}

}  // namespace
