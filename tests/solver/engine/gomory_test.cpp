// Gomory's fractional cuts: the arithmetic of a cut, a textbook problem with its published cuts, and
// the ends of a run (refusal, no integer solution, the cut limit).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/status_texts.h"
#include "solver/engine/gomory_cut.h"
#include "solver/engine/gomory_run.h"
#include "solver/engine/integer_run.h"
#include "solver/engine/run_observer.h"
#include "solver/report/report_frame.h"
#include "support/problem_builder.h"

namespace {

using test_support::make_problem;

constexpr std::uint8_t kMax = 1;

RunSettings gomory_settings(std::int32_t cut_limit = kDefaultCutLimit) {
    RunSettings settings;  // double arithmetic asked for: the cuts compute exactly all the same
    settings.integer = IntegerMethod::gomory;
    settings.cut_limit = cut_limit;
    return settings;
}

// max 7 x1 + 10 x2, -x1 + 3 x2 <= 6, 7 x1 + x2 <= 35, x1, x2 >= 0 integer (Taha, Operations Research,
// the cutting-plane example). The relaxation ends at x1 = 9/2, x2 = 7/2, z = 133/2 with the rows
//   x2 + 7/22 s1 + 1/22 s2 = 7/2,   x1 - 1/22 s1 + 3/22 s2 = 9/2.
// Both values have the fractional part 1/2: the upper row (x2's) gives the cut
//   7/22 s1 + 1/22 s2 >= 1/2, and with s1 = 6 + x1 - 3 x2, s2 = 35 - 7 x1 - x2:
//   (42 + 7 x1 - 21 x2 + 35 - 7 x1 - x2) / 22 = 7/2 - x2 >= 1/2, that is x2 <= 3.
// One dual step (s1 enters: ratio 63/22 : 7/22 = 9 against 31) gives x1 = 32/7, x2 = 3, s1 = 11/7 with
// x1's row x1 + 1/7 s2 - 1/7 s3 = 32/7 (s3 the first cut's slack). x1 and s1 tie at 4/7: x1's row is
// the upper one; its cut 1/7 s2 + 6/7 s3 >= 4/7 is, with s3 = 3 - x2,
//   (35 - 7 x1 - x2 + 18 - 6 x2) / 7 >= 4/7, that is x1 + x2 <= 7: the book's second cut.
// Then x1 = 4, x2 = 3, z = 58.
SimplexIteration textbook() {
    SimplexIteration p = make_problem(kMax, {7, 10, 0, 0}, {{6, -1, 3, 1, 0}, {35, 7, 1, 0, 1}}, 2);
    p.var_names = std::vector<std::string>{"", "x1", "x2", "s1", "s2"};
    p.integer_columns = {1, 2};
    return p;
}

SolveOutcome run(const SimplexIteration& p, const RunSettings& settings) {
    return run_integer(p, settings, ReportFrame{}, RunObserver{}, nullptr);
}

TEST(GomoryCut, FractionalPartsAreOfTheFloor) {
    const struct {
        mpq_class value;
        mpq_class fraction;
    } cases[] = {{mpq_class(7, 2), mpq_class(1, 2)},
                 {mpq_class(-7, 2), mpq_class(1, 2)},
                 {mpq_class(-1, 22), mpq_class(21, 22)},
                 {mpq_class(3), mpq_class(0)},
                 {mpq_class(0), mpq_class(0)}};
    for (const auto& c : cases) EXPECT_EQ(gomory::fractional_part(c.value), c.fraction) << c.value.get_str();
}

TEST(GomoryCut, RowOfLargestFractionLowestOfEquals) {
    const std::vector<bool> integral = {false, true, true, false};
    const struct {
        std::vector<gomory::Row> rows;
        std::vector<gomory::Index> basis;
        gomory::Index row;
    } cases[] = {
        {{{mpq_class(7, 2)}, {mpq_class(9, 2)}}, {0, 2, 1}, 1},   // a tie: the upper row
        {{{mpq_class(1, 3)}, {mpq_class(5, 4)}}, {0, 2, 1}, 1},   // 1/3 > 1/4
        {{{mpq_class(1, 3)}, {mpq_class(-1, 4)}}, {0, 2, 1}, 2},  // -1/4 has the part 3/4
        {{{mpq_class(1, 2)}, {mpq_class(2)}}, {0, 3, 1}, 0},      // a continuous basic column takes no cut
        {{{mpq_class(4)}, {mpq_class(3)}}, {0, 1, 2}, 0},         // integer already
    };
    for (const auto& c : cases) EXPECT_EQ(gomory::cut_row(c.rows, c.basis, integral), c.row);
}

TEST(GomoryRun, TextbookCutsInExactFractions) {
    const SolveOutcome outcome = run(textbook(), gomory_settings());
    ASSERT_TRUE(outcome.status.empty());
    ASSERT_EQ(outcome.end, RunEnd::optimal);
    EXPECT_EQ(outcome.exact_solution, (std::vector<std::string>{"58", "4", "3", "1", "4"}));
    ASSERT_EQ(outcome.cuts.size(), 2u);
    const GomoryCut& first = outcome.cuts[0];
    EXPECT_EQ(first.source_row, 1u);
    EXPECT_EQ(first.source_variable, "x2");
    EXPECT_EQ(first.columns, (std::vector<std::string>{"x1", "x2", "s1", "s2", "s3"}));
    EXPECT_EQ(first.coefficients, (std::vector<std::string>{"0", "0", "-7/22", "-1/22", "1"}));
    EXPECT_EQ(first.rhs, "-1/2");
    EXPECT_EQ(first.inequality, "x2 <= 3");
    EXPECT_EQ(outcome.cuts[1].rhs, "-4/7");
    EXPECT_EQ(outcome.cuts[1].inequality, "x1 + x2 <= 7");
    EXPECT_EQ(outcome.settings.arithmetic, Arithmetic::exact);
}

TEST(GomoryRun, EndsOtherThanAnOptimum) {
    // 2 x1 = 1 has no integer solution: the cut 0 >= 1/2 leaves a row without a negative element.
    SimplexIteration odd = make_problem(kMax, {1, -BIG_M}, {{1, 2, 1}}, 1);
    odd.integer_columns = {1};
    const SolveOutcome none = run(odd, gomory_settings());
    EXPECT_FALSE(none.status.empty());
    EXPECT_EQ(none.cuts.size(), 1u);

    const SolveOutcome limited = run(textbook(), gomory_settings(1));
    EXPECT_TRUE(limited.cut_limit_reached);
    EXPECT_NE(limited.end, RunEnd::optimal);
    EXPECT_EQ(limited.cuts.size(), 1u);
}

TEST(GomoryRun, MixedProblemIsRefusedNamingBranchAndBound) {
    SimplexIteration mixed = textbook();
    mixed.integer_columns = {1};
    const auto refusal = gomory_refusal(mixed, gomory_settings());
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("x2"), std::string::npos);
    EXPECT_NE(refusal->find("--integer branch"), std::string::npos);
    EXPECT_THROW(run(mixed, gomory_settings()), IntegerMethodRefused);
    // Slacks of rows with integer numbers over integer columns are integers too: no refusal.
    EXPECT_FALSE(gomory_refusal(textbook(), gomory_settings()));
}

}  // namespace
