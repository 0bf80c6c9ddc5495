// The dual simplex method: its start table, its refusal, its pivots and ratio rows, its ends, and the
// same optimum as the big-M method on the examples it applies to.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "problem/status_texts.h"
#include "solver/engine/dual_simplex_run.h"
#include "solver/engine/dual_start_table.h"
#include "solver/engine/run_observer.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_sink.h"
#include "solver/session/loaded_problem.h"
#include "support/problem_builder.h"

namespace {

using test_support::make_problem;

constexpr std::uint8_t kMax = 1;
constexpr std::uint8_t kMin = 2;

RunSettings dual(Arithmetic arithmetic, PivotRule rule = PivotRule::dantzig) {
    RunSettings settings{arithmetic, rule};
    settings.method = SolveMethod::dual_simplex;
    return settings;
}

// The textbook's diet problem (examples/diet.qtb): min 2 x1 + 3 x2, x1 + x2 >= 4, x1 + 3 x2 >= 6, as the
// big-M method takes it: x1 x2 s1 s2 r1 r2.
SimplexIteration diet() {
    return make_problem(kMin, {2, 3, 0, 0, BIG_M, BIG_M}, {{4, 1, 1, -1, 0, 1, 0}, {6, 1, 3, 0, -1, 0, 1}}, 4);
}

// Every table the observer sees, as a snapshot.
class TableRecorder final : public ReportSink {
public:
    void begin(const ReportStart&) override {}
    void table(TableSource& source) override { tables.push_back(source.snapshot()); }
    void end(const ReportEnd&) override {}

    std::vector<TableSnapshot> tables;
};

SolveOutcome watched_run(const SimplexIteration& problem, const RunSettings& settings, TableRecorder& recorder) {
    RunObserver observer;
    observer.tables = &recorder;
    return run_simplex(problem, settings, ReportFrame{}, observer);
}

// "<=", ">=" and "=" rows: x1 + x2 + s1 = 4, x1 + 3 x2 - s2 + r1 = 6, x1 - x2 + r2 = 1.
TEST(DualStartTable, TurnsEveryRowIntoALessOrEqualRowWithASlack) {
    const SimplexIteration problem = make_problem(
        kMin, {2, 3, 0, 0, BIG_M, BIG_M}, {{4, 1, 1, 1, 0, 0, 0}, {6, 1, 3, 0, -1, 1, 0}, {1, 1, -1, 0, 0, 0, 1}}, 4);
    const DualStartTable start = dual_start_table(problem);
    const SimplexIteration& t = start.record;
    const std::vector<std::vector<double>> rows = {
        {4, 1, 1, 1, 0, 0, 0}, {-6, -1, -3, 0, 1, 0, 0}, {1, 1, -1, 0, 0, 1, 0}, {-1, -1, 1, 0, 0, 0, 1}};
    ASSERT_EQ(t.constraint_count(), 4u);
    ASSERT_EQ(t.variable_count(), 6u);
    for (std::uint32_t i = 1; i <= 4; ++i) {
        for (std::uint32_t j = 0; j <= 6; ++j) EXPECT_EQ(t.table(i, j), rows[i - 1][j]) << i << ' ' << j;
    }
    for (std::uint32_t j = 1; j <= 6; ++j) EXPECT_EQ(t.table(0, j), j <= 2 ? problem.table(0, j) : 0.0) << j;
    EXPECT_FALSE(std::signbit(t.table(2, 3)));  // 0 times -1 is no -0
    EXPECT_EQ(t.basis, (std::vector<std::uint32_t>{0, 3, 4, 5, 6}));
    EXPECT_EQ(start.original_columns, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 0, 0}));
    ASSERT_TRUE(t.var_names);
    EXPECT_EQ(*t.var_names, (std::vector<std::string>{"", "x1", "x2", "x3", "x4", "s3", "s3'"}));
    EXPECT_TRUE(t.look.single_estimate_row);

    Matrix solution(7, 1);
    for (std::uint32_t j = 0; j <= 6; ++j) solution(j, 0) = 10.0 + j;
    const Matrix original = original_solution(start, solution, problem.variable_count() + 1);
    ASSERT_EQ(original.rows, 7u);
    const std::vector<double> expected = {10, 11, 12, 13, 14, 0, 0};
    for (std::uint32_t j = 0; j <= 6; ++j) EXPECT_EQ(original(j, 0), expected[j]) << j;
}

// The book's pivots: x2 enters at row 2 (ratios 2 and 1), then x1 at row 1 (ratios 3/2 and 3); F = 9 at
// x1 = 3, x2 = 1. Each table with a key row shows its ratios, in the arithmetic's form.
TEST(DualSimplex, SolvesTheTextbookProblemWithItsPivotsAndRatioRows) {
    struct Case {
        Arithmetic arithmetic;
        std::vector<std::string> first_ratios, second_ratios;
    };
    const std::vector<Case> cases = {
        {Arithmetic::exact, {"", "2", "1", "", ""}, {"", "3/2", "", "", "3"}},
        {Arithmetic::double_precision, {"", "2.0000", "1.0000", "", ""}, {"", "1.5000", "", "", "3.0000"}},
    };
    for (const Case& c : cases) {
        TableRecorder recorder;
        const SolveOutcome outcome = watched_run(diet(), dual(c.arithmetic), recorder);
        EXPECT_TRUE(outcome.status.empty());
        EXPECT_EQ(outcome.end, RunEnd::optimal);
        EXPECT_EQ(outcome.pivots, (std::vector<Pivot>{{2, 2}, {1, 1}}));
        ASSERT_EQ(outcome.solution.rows, 7u);  // the problem's columns, r1 and r2 among them
        const std::vector<double> values = {9, 3, 1, 0, 0, 0, 0};
        for (std::uint32_t j = 0; j < 7; ++j) EXPECT_NEAR(outcome.solution(j, 0), values[j], 1e-12) << j;
        if (c.arithmetic == Arithmetic::exact) {
            EXPECT_EQ(outcome.exact_solution, (std::vector<std::string>{"9", "3", "1", "0", "0", "0", "0"}));
        }
        ASSERT_EQ(recorder.tables.size(), 3u);
        EXPECT_EQ(recorder.tables[0].look.ratio_cells, c.first_ratios);
        EXPECT_EQ(recorder.tables[1].look.ratio_cells, c.second_ratios);
        EXPECT_TRUE(recorder.tables[2].look.ratio_cells.empty());
        EXPECT_EQ(recorder.tables[2].close, TableClose::optimum);
        EXPECT_TRUE(recorder.tables[2].look.single_estimate_row);
    }
}

// examples/mix.qtb: min 2 x1 + 3 x2, x1 + 2 x2 = 10, 3 x1 + x2 = 12; rows s1 s1' s2 s2' with right-hand sides
// 10 -10 12 -12. The most negative is row 4; Bland's rule takes row 2, of the lower basic column s1'.
TEST(DualSimplex, EachRuleChoosesItsKeyRowAndBothReachTheOptimum) {
    const SimplexIteration mix = make_problem(kMin, {2, 3, BIG_M, BIG_M}, {{10, 1, 2, 1, 0}, {12, 3, 1, 0, 1}}, 2);
    for (const Arithmetic arithmetic : {Arithmetic::exact, Arithmetic::double_precision}) {
        const SolveOutcome dantzig = run_simplex(mix, dual(arithmetic));
        const SolveOutcome bland = run_simplex(mix, dual(arithmetic, PivotRule::bland));
        EXPECT_EQ(dantzig.pivots, (std::vector<Pivot>{{1, 4}, {2, 2}}));
        ASSERT_FALSE(bland.pivots.empty());
        EXPECT_EQ(bland.pivots.front(), (Pivot{2, 2}));
        for (const SolveOutcome* outcome : {&dantzig, &bland}) {
            EXPECT_EQ(outcome->end, RunEnd::optimal);
            EXPECT_NEAR(outcome->solution(0, 0), 16.4, 1e-12);
            EXPECT_NEAR(outcome->solution(1, 0), 2.8, 1e-12);
            EXPECT_NEAR(outcome->solution(2, 0), 3.6, 1e-12);
        }
    }
}

TEST(DualSimplex, RefusesASlackBasisThatIsNotDualFeasible) {
    const SimplexIteration maximize = make_problem(kMax, {3, 2, 0, 0}, {{4, 1, 1, 1, 0}, {6, 2, 1, 0, 1}});
    for (const Arithmetic arithmetic : {Arithmetic::exact, Arithmetic::double_precision}) {
        const auto refusal = dual_simplex_refusal(maximize, arithmetic);
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->find("(оценки x1 = -3 < 0, x2 = -2 < 0)"), std::string::npos) << *refusal;
        EXPECT_NE(refusal->find("--method two-phase"), std::string::npos);
        EXPECT_THROW(run_simplex(maximize, dual(arithmetic)), DualSimplexRefused);
        EXPECT_FALSE(dual_simplex_refusal(diet(), arithmetic));
    }
    // A minimisation wants estimates <= 0: min -3/4 x1 + x2 with 2 x1 + 3 x2 <= 1 has one the wrong way.
    const auto one = dual_simplex_refusal(make_problem(kMin, {-0.75, 1, 0}, {{1, 2, 3, 1}}), Arithmetic::exact);
    ASSERT_TRUE(one);
    EXPECT_NE(one->find("(оценка x1 = 3/4 > 0)"), std::string::npos) << *one;
}

// min x1 + x2: x1 + x2 >= 2, x1 + x2 <= 1. After x1 enters, row 2 reads s1 + s2 = -1: no negative element.
TEST(DualSimplex, FindsNoSolutionWhenTheKeyRowHasNoNegativeElement) {
    const SimplexIteration problem =
        make_problem(kMin, {1, 1, 0, 0, BIG_M}, {{2, 1, 1, -1, 0, 1}, {1, 1, 1, 0, 1, 0}}, 4);
    for (const Arithmetic arithmetic : {Arithmetic::exact, Arithmetic::double_precision}) {
        for (const PivotRule rule : {PivotRule::dantzig, PivotRule::bland}) {
            TableRecorder recorder;
            const SolveOutcome outcome = watched_run(problem, dual(arithmetic, rule), recorder);
            ASSERT_EQ(outcome.status.count, 1);
            EXPECT_EQ(outcome.status.codes[0], kInconsistent);
            EXPECT_EQ(outcome.pivots, (std::vector<Pivot>{{1, 1}}));
            ASSERT_EQ(recorder.tables.size(), 2u);
            EXPECT_EQ(recorder.tables[1].close, TableClose::infeasible);
            EXPECT_EQ(recorder.tables[1].key_row, 2u);
            EXPECT_TRUE(recorder.tables[1].look.ratio_cells.empty());
        }
    }
}

// The examples whose slack basis is dual feasible, and the big-M method's optimum on each of them.
TEST(DualSimplex, ReachesTheBigMOptimumOnTheExamplesItAppliesTo) {
    const std::filesystem::path examples = std::filesystem::path(QTB_SOURCE_DIR) / "examples";
    std::vector<std::string> applies;
    for (const auto& folder : {examples, examples / "models"}) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            LoadRequest request;
            request.path = file.string();
            const LoadedProblem loaded = load_problem(request);
            SimplexIteration record = loaded.record;
            record.no_table = true;
            const std::string name = std::filesystem::relative(file, examples).string();
            if (dual_simplex_refusal(record, Arithmetic::double_precision)) {
                EXPECT_TRUE(dual_simplex_refusal(record, Arithmetic::exact)) << name;
                continue;
            }
            applies.push_back(name);
            for (const Arithmetic arithmetic : {Arithmetic::exact, Arithmetic::double_precision}) {
                RunSettings big_m{arithmetic, PivotRule::dantzig};
                big_m.from_model = loaded.from_model();
                RunSettings dual_run = dual(arithmetic);
                dual_run.from_model = loaded.from_model();
                const SolveOutcome expected = run_simplex(record, big_m);
                const SolveOutcome outcome = run_simplex(record, dual_run);
                EXPECT_TRUE(outcome.status.empty()) << name;
                EXPECT_EQ(outcome.end, RunEnd::optimal) << name;
                EXPECT_EQ(outcome.solution.rows, expected.solution.rows) << name;
                EXPECT_NEAR(outcome.solution(0, 0), expected.solution(0, 0), 1e-9) << name;
                if (arithmetic == Arithmetic::exact) {
                    EXPECT_EQ(outcome.exact_solution, expected.exact_solution) << name;
                }
            }
        }
    }
    EXPECT_EQ(applies, (std::vector<std::string>{"diet.qtb", "mix.qtb", "models/diet.lp", "models/diet.mps",
                                                 "models/transport.lp", "models/transport.mod"}));
}

}  // namespace
