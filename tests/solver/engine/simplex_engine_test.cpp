#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "problem/status_texts.h"
#include "solver/engine/pivot_step.h"
#include "solver/engine/simplex_engine.h"
#include "solver/session/run_with_report.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

using namespace test_support;

namespace fs = std::filesystem;

constexpr std::uint8_t kMax = 1;
constexpr std::uint8_t kMin = 2;

std::vector<double> column(const Matrix& v) {
    std::vector<double> out;
    for (std::uint32_t j = 0; j < v.rows; ++j) out.push_back(v(j, 0));
    return out;
}

std::size_t count_of(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

constexpr std::string_view kOptimalClosing = "получено оптимальное решение !"_cp1251;
constexpr std::string_view kPivotClosing = "  ключевая строка: "_cp1251;

// Tables in a report: each has one line of plain estimate parts.
std::size_t table_count(std::string_view report) { return count_of(report, "о ц е н о к"_cp1251); }

// ---------------------------------------------------------------- estimates

TEST(Estimates, WorkedExampleBeforeAndAfterItsPivot) {
    // max 2x1 + 3x2 - M x3 with the row (4; 2, 2, 1).
    SimplexIteration p = make_problem(kMax, {2, 3, -BIG_M}, {{4, 2, 2, 1}});
    p.compute_estimates();
    const std::vector<double> m_parts{-4, -2, -2, 0};
    const std::vector<double> plain{0, -2, -3, 0};
    for (std::uint32_t j = 0; j < 4; ++j) {
        EXPECT_EQ(p.estimates(0, j), m_parts[j]) << j;
        EXPECT_EQ(p.estimates(1, j), plain[j]) << j;
    }
    EXPECT_EQ(p.choose_pivot_col(), 2);  // |EM| ties with column 1; |EP| 3 > 2
    EXPECT_EQ(p.choose_pivot_row(), 1);
    p.pivot();
    EXPECT_EQ(p.iterations, 1);
    EXPECT_EQ(p.basis[1], 2u);
    EXPECT_EQ(p.table(1, 0), 2.0);
    EXPECT_EQ(p.table(1, 1), 1.0);
    EXPECT_EQ(p.table(1, 2), 1.0);
    EXPECT_EQ(p.table(1, 3), 0.5);
    p.compute_estimates();
    const std::vector<double> m_after{0, 0, 0, 1};
    const std::vector<double> plain_after{6, 1, 0, 1.5};
    for (std::uint32_t j = 0; j < 4; ++j) {
        EXPECT_EQ(p.estimates(0, j), m_after[j]) << j;
        EXPECT_EQ(p.estimates(1, j), plain_after[j]) << j;
    }
    EXPECT_EQ(p.choose_pivot_col(), 0);
    EXPECT_EQ(p.pivot_row, 1);  // left as the last step set it
}

TEST(Estimates, AnMCostIsRecognisedByItsExactMagnitudeOnly) {
    // Variable 2 is basic in row 1; its cost decides which part the row feeds.
    for (const double cost : {BIG_M, -BIG_M, 2147483637.0}) {
        SimplexIteration p = make_problem(kMin, {1, cost}, {{5, 2, 1}});
        p.compute_estimates();
        EXPECT_EQ(p.estimates(0, 0), 5.0) << cost;  // s = +1 in a minimisation, whatever the sign given
        EXPECT_EQ(p.estimates(1, 0), 0.0) << cost;
        EXPECT_EQ(p.estimates(0, 1), 2.0) << cost;
        EXPECT_EQ(p.estimates(1, 1), -1.0) << cost;
    }
    SimplexIteration ordinary = make_problem(kMin, {1, BIG_M - 1}, {{5, 2, 1}});
    ordinary.compute_estimates();
    EXPECT_EQ(ordinary.estimates(0, 0), 0.0);
    EXPECT_EQ(ordinary.estimates(1, 0), 5 * (BIG_M - 1));
}

TEST(Estimates, MaximisationCountsEveryMCostAsMinusM) {
    for (const double cost : {BIG_M, -BIG_M}) {
        SimplexIteration p = make_problem(kMax, {1, cost}, {{5, 2, 1}});
        p.compute_estimates();
        EXPECT_EQ(p.estimates(0, 0), -5.0) << cost;
        EXPECT_EQ(p.estimates(0, 1), -2.0) << cost;
        EXPECT_EQ(p.estimates(0, 2), 0.0) << cost;  // -1 from the row, +1 for its own cost
    }
}

TEST(Estimates, SmallPlainPartsOfColumnsBecomeZeroButTheObjectiveStays) {
    // min; x3 (cost 1) is basic at the level 3e-11; EP(1) = 5e-11, EP(2) = 2e-10.
    SimplexIteration p = make_problem(kMin, {-5e-11, -2e-10, 1}, {{3e-11, 0, 0, 1}});
    p.compute_estimates();
    EXPECT_EQ(p.estimates(1, 0), 3e-11);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(p.estimates(1, 1)), 0u);  // exactly +0
    EXPECT_EQ(p.estimates(1, 2), 2e-10);
    EXPECT_EQ(p.choose_pivot_col(), 2);  // 5e-11 would have been a candidate too
}

TEST(Estimates, MPartsOfRoundingResidueBecomeZeroInEveryColumn) {
    // max; the artificial x3 (cost -M) is basic at the level 1e-12.
    SimplexIteration p = make_problem(kMax, {0, 0, -BIG_M}, {{1e-12, 1e-17, 2e-10, 1}});
    p.compute_estimates();
    EXPECT_EQ(p.estimates(0, 0), 0.0);     // would read as an inconsistent system
    EXPECT_EQ(p.estimates(0, 1), 0.0);     // would make column 1 the key column
    EXPECT_EQ(p.estimates(0, 2), -2e-10);  // above the threshold: kept
    EXPECT_EQ(p.choose_pivot_col(), 2);
}

// The estimates as their rule reads, column by column, for comparison with the fast pass.
Matrix reference_estimates(const SimplexIteration& p) {
    Matrix e(2, p.table.cols);
    const long double s = p.aim == 1 ? -1.0L : 1.0L;
    for (std::uint32_t j = 0; j < p.table.cols; ++j) {
        for (std::uint32_t i = 1; i < p.table.rows; ++i) {
            const double c = p.table(0, p.basis[i]);
            if (std::fabs(c) == BIG_M) {
                e(0, j) = static_cast<double>(e(0, j) + s * p.table(i, j));
            } else {
                e(1, j) = static_cast<double>(e(1, j) + static_cast<long double>(c) * p.table(i, j));
            }
        }
        if (j >= 1) {
            const double cj = p.table(0, j);
            if (std::fabs(cj) == BIG_M) {
                e(0, j) = static_cast<double>(e(0, j) - s);
            } else {
                e(1, j) = static_cast<double>(e(1, j) - static_cast<long double>(cj));
            }
            if (std::fabs(e(1, j)) < ESTIMATE_EPS) e(1, j) = 0.0;
        }
        if (std::fabs(e(0, j)) < ESTIMATE_EPS) e(0, j) = 0.0;
    }
    return e;
}

// The pivot as its rule reads, element by element, on the old values.
void reference_pivot(SimplexIteration& p) {
    const auto r = static_cast<std::uint32_t>(p.pivot_row);
    const auto s = static_cast<std::uint32_t>(p.pivot_col);
    const Matrix old = p.table;
    p.basis[r] = s;
    ++p.iterations;
    for (std::uint32_t i = 1; i < p.table.rows; ++i) {
        for (std::uint32_t j = 0; j < p.table.cols; ++j) {
            if (i == r || j == s) continue;
            p.table(i, j) =
                static_cast<double>(old(i, j) - static_cast<long double>(old(r, j)) * old(i, s) / old(r, s));
        }
    }
    for (std::uint32_t j = 0; j < p.table.cols; ++j) {
        if (j != s) p.table(r, j) = static_cast<double>(static_cast<long double>(old(r, j)) / old(r, s));
    }
    for (std::uint32_t i = 1; i < p.table.rows; ++i) p.table(i, s) = 0.0;
    p.table(r, s) = 1.0;
}

bool same_values(const Matrix& a, const Matrix& b) {
    for (std::uint32_t i = 0; i < a.rows; ++i) {
        for (std::uint32_t j = 0; j < a.cols; ++j) {
            const bool both_nan = std::isnan(a(i, j)) && std::isnan(b(i, j));
            if (!both_nan && std::bit_cast<std::uint64_t>(a(i, j)) != std::bit_cast<std::uint64_t>(b(i, j)))
                return false;
        }
    }
    return true;
}

// Tables full of what the shortcuts of the fast passes must get right: signed
// zeros, zero costs and key-column elements, huge, infinite and NaN elements,
// products of a cost and an element too small for a double.
TEST(FastPasses, MatchTheirRulesBitForBitOnAwkwardTables) {
    const double inf = std::numeric_limits<double>::infinity();
    const double tiniest = std::numeric_limits<double>::denorm_min();
    const double pool[] = {0.0,   -0.0,    0.0,   -0.0,    1.0,      -2.5, 0.1,  3.7,
                           1e300, -1e-300, 7e-11, -1e-200, -tiniest, inf,  -inf, std::nan("")};
    std::mt19937 random(12345);
    const auto pick = [&](std::size_t count) { return pool[random() % count]; };
    for (int trial = 0; trial < 400; ++trial) {
        const bool finite_only = trial % 2 == 0;
        const std::size_t choices = finite_only ? 13 : std::size(pool);
        const std::uint32_t m = 5;
        const std::uint32_t n = 8;
        SimplexIteration p;
        p.aim = static_cast<std::uint8_t>(1 + trial % 3 / 2);
        p.table.resize(m + 1, n + 1);
        p.estimates.resize(2, n + 1);
        p.basis = {0, 4, 5, 6, 7, 8};
        const double costs[] = {0.0, -0.0, 2.0, BIG_M, -BIG_M, 0.5, 1e-200};
        for (std::uint32_t j = 1; j <= n; ++j) p.table(0, j) = costs[random() % std::size(costs)];
        for (std::uint32_t i = 1; i <= m; ++i) {
            for (std::uint32_t j = 0; j <= n; ++j) p.table(i, j) = pick(choices);
        }
        p.compute_estimates();
        ASSERT_TRUE(same_values(p.estimates, reference_estimates(p))) << "trial " << trial;

        p.pivot_row = 1 + static_cast<std::int32_t>(random() % m);
        p.pivot_col = 1 + static_cast<std::int32_t>(random() % n);
        p.table(static_cast<std::uint32_t>(p.pivot_row), static_cast<std::uint32_t>(p.pivot_col)) = 2.5;
        SimplexIteration expected = p;
        reference_pivot(expected);
        SimplexIteration fused = p;
        p.pivot();
        ASSERT_TRUE(same_values(p.table, expected.table)) << "trial " << trial;
        pivot_and_estimate(fused);
        ASSERT_TRUE(same_values(fused.table, expected.table)) << "trial " << trial;
        ASSERT_TRUE(same_values(fused.estimates, reference_estimates(expected))) << "trial " << trial;
        EXPECT_EQ(p.basis, expected.basis);
        EXPECT_EQ(p.iterations, 1);
    }
}

// Runs of pivots with the facts of the table kept from one to the next, on tables
// that start clean with unit columns: columns left as they are, zero costs, key
// elements of both signs, and elements that come out infinite or -0 (which take
// the facts away until the table is looked at again).
TEST(FastPasses, PivotsWithTheFactsOfTheirTableFollowTheRule) {
    const double pool[] = {0.0, 0.0, 0.0, 1.0, -2.5, 0.1, 3.7, 1e300, -1e-300, 7e-11, 1e-200, -1e-320};
    const double costs[] = {0.0, -0.0, 2.0, BIG_M, -BIG_M, 0.5, 1e-200};
    std::mt19937 random(2024);
    for (int trial = 0; trial < 300; ++trial) {
        const std::uint32_t m = 4;
        const std::uint32_t n = 9;
        SimplexIteration p;
        p.aim = static_cast<std::uint8_t>(1 + trial % 2);
        p.table.resize(m + 1, n + 1);
        p.estimates.resize(2, n + 1);
        p.basis = {0, 6, 7, 8, 9};
        for (std::uint32_t j = 1; j <= n; ++j) p.table(0, j) = costs[random() % std::size(costs)];
        for (std::uint32_t i = 1; i <= m; ++i) {
            for (std::uint32_t j = 0; j <= 5; ++j) p.table(i, j) = pool[random() % std::size(pool)];
            p.table(i, 5 + i) = 1.0;
        }
        p.compute_estimates();
        engine::TableFacts facts;
        engine::KernelScratch scratch;
        for (int step = 0; step < 40; ++step) {
            p.pivot_row = 1 + static_cast<std::int32_t>(random() % m);
            p.pivot_col = 1 + static_cast<std::int32_t>(random() % n);
            const double key =
                p.table(static_cast<std::uint32_t>(p.pivot_row), static_cast<std::uint32_t>(p.pivot_col));
            if (key == 0.0 || !std::isfinite(key)) continue;
            SimplexIteration expected = p;
            reference_pivot(expected);
            engine::pivot_table(p, true, scratch, &facts);
            ASSERT_TRUE(same_values(p.table, expected.table)) << "trial " << trial << ", step " << step;
            ASSERT_TRUE(same_values(p.estimates, reference_estimates(expected)))
                << "trial " << trial << ", step " << step;
        }
    }
}

// A cost times an element that rounds to -0 starts a sum at -0, which a following
// row of zero cost turns to +0: the shortcuts that leave such rows out must not
// keep the -0. Here the pivot leaves rows 1 and 2 as they are.
TEST(FastPasses, ASumThatUnderflowsToMinusZeroFollowsTheRule) {
    const double tiniest = std::numeric_limits<double>::denorm_min();
    SimplexIteration p =
        make_problem(kMax, {0.5, 0.0, 0.0, 0.0}, {{-tiniest, 1, 0, 0, 0}, {1, 0, 1, 0, 0}, {0, 0, 0, 1, 1}});
    p.basis = {0, 1, 2, 4};
    p.pivot_row = 3;
    p.pivot_col = 3;
    SimplexIteration separate = p;
    separate.pivot();
    separate.compute_estimates();
    pivot_and_estimate(p);
    const Matrix expected = reference_estimates(separate);
    EXPECT_FALSE(std::signbit(expected(1, 0)));
    EXPECT_TRUE(same_values(separate.estimates, expected));
    EXPECT_TRUE(same_values(p.estimates, expected));
}

// ---------------------------------------------------------------- key column and key row

// Sets the estimates of columns 1..n as (M part, plain part) pairs.
void set_estimates(SimplexIteration& p, const std::vector<std::pair<double, double>>& pairs) {
    for (std::uint32_t j = 1; j <= pairs.size(); ++j) {
        p.estimates(0, j) = pairs[j - 1].first;
        p.estimates(1, j) = pairs[j - 1].second;
    }
}

TEST(KeyColumn, SignRuleMagnitudesAndTies) {
    struct Case {
        std::uint8_t aim;
        std::vector<std::pair<double, double>> estimates;
        int key;
    };
    const Case cases[] = {
        {kMax, {{-1, -3}, {-1, 5}}, 2},   // plain parts compared by magnitude, not signed value
        {kMax, {{-1, -3}, {-1, -3}}, 1},  // a full tie keeps the lower column
        {kMax, {{0, -7}, {-1, 0}}, 2},    // the M part first
        {kMax, {{0, 7}, {0, -2}}, 2},     // with no M part the plain part's sign decides
        {kMax, {{2, -9}, {0, 0}}, 0},     // a positive M part is no candidate in a maximisation
        {kMin, {{1, -5}, {1, 3}}, 1},    {kMin, {{0, -4}, {0, 4}}, 2},
        {kMin, {{-3, 0}, {0, -1}}, 0},   {kMax, {{-2, 0}, {-3, 0}, {3, 0}}, 2},
    };
    for (const Case& c : cases) {
        SimplexIteration p = make_problem(c.aim, std::vector<double>(c.estimates.size(), 0.0),
                                          {std::vector<double>(c.estimates.size() + 1, 1.0)});
        set_estimates(p, c.estimates);
        EXPECT_EQ(p.choose_pivot_col(), c.key) << "case with key " << c.key;
        EXPECT_EQ(p.pivot_col, c.key);
    }
}

TEST(KeyRow, LowestRatioTiesKeepTheLowerRowAndTinyElementsNeverPivot) {
    // Column 1 against rows (2; 1), (4; 2), (0; e), (1; -1).
    SimplexIteration p = make_problem(
        kMax, {1, 0, 0, 0, 0}, {{2, 1, 1, 0, 0, 0}, {4, 2, 0, 1, 0, 0}, {0, 1e-12, 0, 0, 1, 0}, {1, -1, 0, 0, 0, 1}});
    p.pivot_col = 1;
    EXPECT_EQ(p.choose_pivot_row(), 1);
    p.table(3, 1) = PIVOT_EPS;
    EXPECT_EQ(p.choose_pivot_row(), 1);
    p.table(3, 1) = 2e-9;
    EXPECT_EQ(p.choose_pivot_row(), 3);
    EXPECT_EQ(p.pivot_row, 3);

    p.pivot_col = 2;  // only row 1 has a positive element
    EXPECT_EQ(p.choose_pivot_row(), 1);
    for (std::uint32_t i = 1; i <= 4; ++i) p.table(i, 2) = i == 1 ? -1.0 : 0.0;
    EXPECT_EQ(p.choose_pivot_row(), 0);
    EXPECT_EQ(p.pivot_row, 0);
}

// ---------------------------------------------------------------- elimination of artificial variables

// min 0: two artificial variables basic at level 0 whose M parts cancel in column 1.
SimplexIteration artificial_at_level_zero() {
    return make_problem(kMin, {0, 0, BIG_M, BIG_M}, {{0, 1, 0, 1, 0}, {0, -1, 0, 0, 1}}, 2);
}

TEST(Elimination, AFinalTableDrivesAnArtificialVariableOutOfItsRow) {
    SimplexIteration p = artificial_at_level_zero();
    p.compute_estimates();
    for (std::uint32_t j = 0; j <= 4; ++j) ASSERT_EQ(p.estimates(0, j), 0.0) << j;
    EXPECT_EQ(p.choose_pivot_col(), 1);
    EXPECT_EQ(p.basis[0], 1u);
    EXPECT_EQ(p.choose_pivot_row(), 1);  // row 2 has -1

    const SolveOutcome outcome = solve_with_outcome(artificial_at_level_zero());
    EXPECT_EQ(outcome.iterations, 1);
    EXPECT_EQ(outcome.end, RunEnd::optimal);
    EXPECT_EQ(column(outcome.solution), (std::vector<double>{0, 0, 0, 0, 0}));
}

TEST(Elimination, NeedsOwnVariablesAndAnElementAboveTheThreshold) {
    SimplexIteration without_own = artificial_at_level_zero();
    without_own.base_vars = 0;
    without_own.compute_estimates();
    EXPECT_EQ(without_own.choose_pivot_col(), 0);
    EXPECT_EQ(without_own.basis[0], 0u);

    SimplexIteration tiny = make_problem(kMin, {0, 0, BIG_M, BIG_M}, {{0, 1e-12, 0, 1, 0}, {0, -1e-12, 0, 0, 1}}, 2);
    tiny.compute_estimates();
    EXPECT_EQ(tiny.choose_pivot_col(), 0);
    EXPECT_EQ(tiny.basis[0], 0u);
}

TEST(Elimination, OnceBegunTheRatioTestTakesArtificialRowsOnly) {
    // Row 1: own slack x2 with ratio 1; row 2: artificial x4 with ratio 5.
    SimplexIteration p = make_problem(kMax, {1, 0, 0, -BIG_M}, {{1, 1, 1, 0, 0}, {5, 1, 0, 0, 1}}, 3);
    p.pivot_col = 1;
    EXPECT_EQ(p.choose_pivot_row(), 1);
    p.basis[0] = 1;
    EXPECT_EQ(p.choose_pivot_row(), 2);
    p.base_vars = 0;  // without own variables the marker restricts nothing
    EXPECT_EQ(p.choose_pivot_row(), 1);
}

// ---------------------------------------------------------------- whole runs

// max 3x1 + 2x2: x1 + x2 <= 4, 2x1 + x2 <= 6 -> x1 = x2 = 2, F = 10 after two pivots (F = 9 after one).
SimplexIteration two_pivot_maximum() { return make_problem(kMax, {3, 2, 0, 0}, {{4, 1, 1, 1, 0}, {6, 2, 1, 0, 1}}); }

// Beale's example: cycles for ever under the largest-estimate rule with lowest-index ties.
SimplexIteration cycling_problem() {
    return make_problem(kMax, {10, -57, -9, -24, 0, 0, 0},
                        {{0, 0.5, -5.5, -2.5, 9, 1, 0, 0}, {0, 0.5, -1.5, -0.5, 1, 0, 1, 0}, {1, 1, 0, 0, 0, 0, 0, 1}});
}

TEST(Solve, ProblemsWithKnownOptima) {
    const SolveOutcome maximum = solve_with_outcome(two_pivot_maximum());
    EXPECT_EQ(column(maximum.solution), (std::vector<double>{10, 2, 2, 0, 0}));
    EXPECT_EQ(maximum.iterations, 2);
    EXPECT_EQ(maximum.end, RunEnd::optimal);

    // min 2x1 + 3x2 with artificial r1, r2: x1 + 2x2 = 10, 3x1 + x2 = 12 -> x1 = 2.8, x2 = 3.6, F = 16.4.
    const Matrix mixed = solve(make_problem(kMin, {2, 3, BIG_M, BIG_M}, {{10, 1, 2, 1, 0}, {12, 3, 1, 0, 1}}, 2));
    ASSERT_EQ(mixed.rows, 5u);
    EXPECT_NEAR(mixed(0, 0), 16.4, 1e-12);
    EXPECT_NEAR(mixed(1, 0), 2.8, 1e-12);
    EXPECT_NEAR(mixed(2, 0), 3.6, 1e-12);
    EXPECT_EQ(mixed(3, 0), 0.0);
    EXPECT_EQ(mixed(4, 0), 0.0);

    // x1 + x2 = 1 and x1 + x2 = 3 cannot hold together.
    EXPECT_EQ(codes_of(make_problem(kMin, {1, 1, BIG_M, BIG_M}, {{1, 1, 1, 1, 0}, {3, 1, 1, 0, 1}}, 2)),
              (std::vector<int>{kInconsistent}));
    // max x1 + x2 with -x1 + x2 + s = 2: x1 grows without bound.
    EXPECT_EQ(codes_of(make_problem(kMax, {1, 1, 0}, {{2, -1, 1, 1}})), (std::vector<int>{kUnbounded}));
}

TEST(Solve, ExtendedPrecisionDigitsArePinned) {
    // Plain double arithmetic gives 21.842964796726115, 1.2461914150013444 and 0.81381246826179188.
    SimplexIteration p =
        make_problem(kMax, {11.99, 8.48, 0, 0}, {{3.66, -2.96, 9.03, 1, 0}, {4.17, 5.56, -3.39, 0, 1}});
    const Matrix v = solve(p);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(v(0, 0)), std::bit_cast<std::uint64_t>(0x1.5d7cc8a799e31p+4));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(v(1, 0)), std::bit_cast<std::uint64_t>(0x1.3f06668bfc9adp+0));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(v(2, 0)), std::bit_cast<std::uint64_t>(0x1.a0ac072085daap-1));
    EXPECT_EQ(v(3, 0), 0.0);
    EXPECT_EQ(v(4, 0), 0.0);
}

TEST(Solve, AlreadyFinalTableMakesNoPivot) {
    const TempFolder dir("qtb_engine");
    SimplexIteration p = make_problem(kMax, {-1, -2, 0}, {{3, 2, 2, 1}});
    p.no_table = false;
    p.file = dir.report_name("all.txt");
    const SolveOutcome outcome = solve_with_outcome(p);
    EXPECT_EQ(outcome.iterations, 0);
    EXPECT_EQ(outcome.end, RunEnd::optimal);
    EXPECT_EQ(column(outcome.solution), (std::vector<double>{0, 0, 0, 3}));
    const std::string report = read_file(dir.path() / "all.txt");
    EXPECT_EQ(table_count(report), 1u);
    EXPECT_EQ(count_of(report, kOptimalClosing), 1u);
    EXPECT_EQ(count_of(report, "исходная таблица"_cp1251), 1u);

    p.only_data_table = true;  // the loop never reaches its print step
    p.file = dir.report_name("data.txt");
    solve(p);
    EXPECT_TRUE(fs::exists(dir.path() / "data.txt"));
    EXPECT_EQ(fs::file_size(dir.path() / "data.txt"), 0u);
}

TEST(Solve, UnboundedAtOnceStillPrintsTheFinalTable) {
    const TempFolder dir("qtb_engine");
    SimplexIteration p = make_problem(kMax, {1, 0}, {{2, -1, 1}});
    p.no_table = false;
    p.only_optimal_table = true;
    p.file = dir.report_name("r.txt");
    EXPECT_EQ(codes_of(p), (std::vector<int>{kUnbounded}));
    const std::string report = read_file(dir.path() / "r.txt");
    EXPECT_EQ(table_count(report), 1u);
    EXPECT_EQ(count_of(report, "исходная таблица"_cp1251), 1u);
    EXPECT_EQ(count_of(report, kPivotClosing), 0u);  // no key row: no pivot follows
}

TEST(Solve, CodesComeInOrderWithAnUnwrittenReportLast) {
    // max x2 - x1 with the artificial x3 basic at level 1: column 2 is unbounded and x3 stays.
    SimplexIteration p = make_problem(kMax, {-1, 1, -BIG_M}, {{1, -1, 0, 1}}, 2);
    EXPECT_EQ(codes_of(p), (std::vector<int>{kUnbounded, kInconsistent}));
    if (fs::exists("/dev/full")) {
        p.no_table = false;
        p.file = "/dev/full";  // opens, but nothing written reaches it
        EXPECT_EQ(codes_of(p), (std::vector<int>{kUnbounded, kInconsistent, kCannotOpenReportFile}));
        SimplexIteration solvable = two_pivot_maximum();
        solvable.no_table = false;
        solvable.file = "/dev/full";
        EXPECT_EQ(codes_of(solvable), (std::vector<int>{kCannotOpenReportFile}));
    }
}

TEST(Solve, AReportThatCannotBeOpenedStopsTheRunAtOnce) {
    const TempFolder dir("qtb_engine");
    SimplexIteration p = two_pivot_maximum();
    p.no_table = false;
    p.file = dir.report_name("no such folder/r.txt");
    EXPECT_EQ(codes_of(p), (std::vector<int>{kCannotOpenReportFile}));
    p.file = dir.report_name("");  // the folder itself
    EXPECT_EQ(codes_of(p), (std::vector<int>{kCannotOpenReportFile}));
    p.file.reset();
    EXPECT_EQ(codes_of(p), (std::vector<int>{kCannotOpenReportFile}));
}

TEST(Solve, NoTableTouchesNoFile) {
    const TempFolder dir("qtb_engine");
    {
        std::ofstream existing(dir.path() / "kept.txt", std::ios::binary);
        existing << "kept";
    }
    SimplexIteration p = two_pivot_maximum();
    p.no_table = true;
    p.only_data_table = true;
    p.file = dir.report_name("kept.txt");
    EXPECT_EQ(solve(p)(0, 0), 10.0);
    EXPECT_EQ(read_file(dir.path() / "kept.txt"), "kept");
    p.file = dir.report_name("new.txt");
    solve(p);
    EXPECT_FALSE(fs::exists(dir.path() / "new.txt"));
    p.file = dir.report_name("no such folder/r.txt");
    EXPECT_EQ(codes_of(p), std::vector<int>{});
    // A failing run throws its codes all the same.
    p = make_problem(kMax, {1, 0}, {{2, -1, 1}});
    EXPECT_EQ(codes_of(p), (std::vector<int>{kUnbounded}));
}

TEST(Solve, TheReportIsCreatedUnderTheUtf8FormOfItsName) {
    const TempFolder dir("qtb_engine");
    SimplexIteration p = two_pivot_maximum();
    p.no_table = false;
    p.file = dir.report_name("отчёт.txt");
    ASSERT_NE(p.file->find("\xEE\xF2\xF7\xB8\xF2"), std::string::npos);  // the record holds Windows-1251
    solve(p);
    EXPECT_TRUE(fs::exists(dir.path() / "отчёт.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Solve, PrintModesSelectTheirTables) {
    // Two pivots: tables 0 and 1 inside the loop, the final table 2 after it.
    struct Mode {
        const char* name;
        bool data;
        bool optimal;
        std::int32_t from;
        std::int32_t to;
        std::size_t tables;
        std::size_t finals;  // tables that close with the optimum
    };
    const Mode modes[] = {
        {"all", false, false, 0, 0, 3, 1},
        {"data", true, false, 0, 0, 1, 0},
        {"optimal", false, true, 0, 0, 1, 1},
        {"data+optimal", true, true, 0, 0, 2, 1},
        {"1..1", false, false, 1, 1, 1, 0},
        {"1..", false, false, 1, 0, 2, 1},
        {"2..2", false, false, 2, 2, 1, 1},
        {"3..5", false, false, 3, 5, 0, 0},
        {"data, any interval", true, false, 4, 9, 1, 0},
    };
    const TempFolder dir("qtb_engine");
    for (const Mode& mode : modes) {
        SimplexIteration p = two_pivot_maximum();
        p.no_table = false;
        p.only_data_table = mode.data;
        p.only_optimal_table = mode.optimal;
        p.print_from = mode.from;
        p.print_to = mode.to;
        p.file = dir.report_name("r.txt");
        solve(p);
        const std::string report = read_file(dir.path() / "r.txt");
        EXPECT_EQ(table_count(report), mode.tables) << mode.name;
        EXPECT_EQ(count_of(report, kOptimalClosing), mode.finals) << mode.name;
    }
}

TEST(Solve, TwoRunsOfOneRecordGiveTheSameReportAndVector) {
    const TempFolder dir("qtb_engine");
    SimplexIteration p = make_problem(kMin, {2, 3, BIG_M, BIG_M}, {{10, 1, 2, 1, 0}, {12, 3, 1, 0, 1}}, 2);
    p.no_table = false;
    p.var_names = std::vector<std::string>{"", "x", "y", "r1", "r2"};
    p.compute_col_widths();
    p.file = dir.report_name("r.txt");
    const Matrix first = solve(p);
    const std::string first_report = read_file(dir.path() / "r.txt");
    const Matrix second = solve(p);
    EXPECT_EQ(read_file(dir.path() / "r.txt"), first_report);
    EXPECT_EQ(column(first), column(second));
    EXPECT_EQ(p.iterations, 0);  // the record itself is untouched
    EXPECT_EQ(p.basis, (std::vector<std::uint32_t>{0, 3, 4}));
    EXPECT_EQ(table_count(first_report), 3u);
}

TEST(Solve, IterationLimit) {
    // Beale's example cycles: the default limit 4 x (m + 1) = 16 stops it, without a code.
    for (const std::int32_t stop : {0, -3}) {
        SimplexIteration p = cycling_problem();
        p.stop = stop;
        const SolveOutcome outcome = solve_with_outcome(p);
        EXPECT_EQ(outcome.iterations, 16) << stop;
        EXPECT_EQ(outcome.end, RunEnd::iteration_limit) << stop;
        EXPECT_EQ(outcome.solution(0, 0), 0.0) << stop;  // the optimum, 1, is never reached
    }
    SimplexIteration once = cycling_problem();
    once.stop = 1;
    EXPECT_EQ(solve_with_outcome(once).iterations, 1);
}

TEST(Solve, ALimitedRunFinishesWithTheEstimatesOfItsLastTable) {
    const TempFolder dir("qtb_engine");
    SimplexIteration p = two_pivot_maximum();
    p.stop = 1;
    p.no_table = false;
    p.only_optimal_table = true;
    p.file = dir.report_name("r.txt");
    const SolveOutcome stopped = solve_with_outcome(p);
    EXPECT_EQ(stopped.end, RunEnd::iteration_limit);
    EXPECT_EQ(stopped.iterations, 1);
    EXPECT_EQ(column(stopped.solution), (std::vector<double>{9, 3, 0, 1, 0}));  // x1 = 3 after one pivot
    // The final table names the pivot that would come next: column 2, row 1.
    const std::string report = read_file(dir.path() / "r.txt");
    EXPECT_EQ(count_of(report, "ключевой столбец: 2  ключевая строка: 1"_cp1251), 1u);

    p.stop = 2;  // the limit falls on the optimum: the run ended there
    const SolveOutcome optimal = solve_with_outcome(p);
    EXPECT_EQ(optimal.end, RunEnd::optimal);
    EXPECT_EQ(optimal.solution(0, 0), 10.0);
    EXPECT_EQ(count_of(read_file(dir.path() / "r.txt"), kOptimalClosing), 1u);
}

TEST(Solve, AnInconsistentRunStoppedByTheLimitIsJudgedOnItsLastTable) {
    // min with artificial variables: one pivot leaves r2 at a positive level, two reach the optimum.
    SimplexIteration p = make_problem(kMin, {2, 3, BIG_M, BIG_M}, {{10, 1, 2, 1, 0}, {12, 3, 1, 0, 1}}, 2);
    p.stop = 1;
    EXPECT_EQ(codes_of(p), (std::vector<int>{kInconsistent}));
    p.stop = 2;
    EXPECT_EQ(codes_of(p), std::vector<int>{});
}

}  // namespace
