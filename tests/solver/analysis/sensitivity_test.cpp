#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "solver/analysis/sensitivity.h"
#include "solver/session/run_with_report.h"
#include "support/problem_builder.h"

namespace {

using test_support::make_problem;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kM = BIG_M;

// Figures as the textbooks give them, checked by hand against B^-1 of the optimal basis.
struct Expected {
    std::vector<double> duals;
    std::vector<std::pair<double, double>> rhs_ranges;
    std::vector<double> values, reduced_costs;  // of the first columns
    std::vector<std::pair<double, double>> cost_ranges;
    std::vector<std::string> exact_duals;  // in an exact run
    bool unique = true;
};

struct Case {
    const char* name;
    SimplexIteration problem;
    Expected expected;
};

std::vector<Case> textbook_cases() {
    return {
        // Wyndor Glass (Hillier, Lieberman): max 3 x1 + 5 x2; x1 <= 4, 2 x2 <= 12, 3 x1 + 2 x2 <= 18.
        {"wyndor",
         make_problem(1, {3, 5, 0, 0, 0}, {{4, 1, 0, 1, 0, 0}, {12, 0, 2, 0, 1, 0}, {18, 3, 2, 0, 0, 1}}),
         {{0, 1.5, 1}, {{2, kInf}, {6, 18}, {12, 24}}, {2, 6}, {0, 0}, {{0, 7.5}, {2, kInf}}, {"0", "3/2", "1"}}},
        // min 2 x1 + 3 x2; x1 + x2 >= 4, x1 + 3 x2 >= 6, through surplus and artificial columns.
        {"diet",
         make_problem(2, {2, 3, 0, 0, kM, kM}, {{4, 1, 1, -1, 0, 1, 0}, {6, 1, 3, 0, -1, 0, 1}}, 4),
         {{1.5, 0.5}, {{2, 6}, {4, 12}}, {3, 1, 0, 0}, {0, 0, 1.5, 0.5}, {{1, 3}, {2, 6}}, {"3/2", "1/2"}}},
        // Wyndor with x1 + x2 <= 8 through its optimum: a slack basic at 0.
        {"degenerate",
         make_problem(1, {3, 5, 0, 0, 0, 0},
                      {{4, 1, 0, 1, 0, 0, 0}, {12, 0, 2, 0, 1, 0, 0}, {18, 3, 2, 0, 0, 1, 0}, {8, 1, 1, 0, 0, 0, 1}}),
         {.duals = {},
          .rhs_ranges = {},
          .values = {2, 6},
          .reduced_costs = {},
          .cost_ranges = {},
          .exact_duals = {},
          .unique = false}},
    };
}

void expect_range(const SensitivityNumber& low, const SensitivityNumber& high, std::pair<double, double> range) {
    EXPECT_NEAR(low.value, range.first, 1e-9);
    if (std::isinf(range.second)) {
        EXPECT_EQ(high.value, range.second);
        EXPECT_FALSE(high.exact);
    } else {
        EXPECT_NEAR(high.value, range.second, 1e-9);
    }
}

TEST(Sensitivity, TextbookFiguresInBothArithmetics) {
    for (const Arithmetic arithmetic : {Arithmetic::double_precision, Arithmetic::exact}) {
        for (const Case& c : textbook_cases()) {
            SCOPED_TRACE(std::string(c.name) + (arithmetic == Arithmetic::exact ? " exact" : " double"));
            const SolveOutcome outcome = run_simplex(c.problem, {arithmetic, PivotRule::dantzig, true});
            ASSERT_EQ(outcome.end, RunEnd::optimal);
            ASSERT_TRUE(outcome.final_table);
            const SensitivityReport report = sensitivity_report(*outcome.final_table, problem_file_query(c.problem));
            const Expected& e = c.expected;
            EXPECT_EQ(report.unique, e.unique);
            for (std::size_t i = 0; i < e.duals.size(); ++i) {
                EXPECT_NEAR(report.rows.at(i).dual.value, e.duals[i], 1e-9);
                expect_range(report.rows.at(i).rhs_low, report.rows.at(i).rhs_high, e.rhs_ranges.at(i));
                if (arithmetic == Arithmetic::exact) {
                    EXPECT_EQ(report.rows.at(i).dual.exact, e.exact_duals.at(i));
                }
            }
            for (std::size_t j = 0; j < e.values.size(); ++j)
                EXPECT_NEAR(report.variables.at(j).value.value, e.values[j], 1e-9);
            for (std::size_t j = 0; j < e.reduced_costs.size(); ++j) {
                EXPECT_NEAR(report.variables.at(j).reduced_cost.value, e.reduced_costs[j], 1e-9);
            }
            for (std::size_t j = 0; j < e.cost_ranges.size(); ++j) {
                expect_range(report.variables.at(j).cost_low, report.variables.at(j).cost_high, e.cost_ranges[j]);
            }
        }
    }
}

TEST(Sensitivity, FinalTableOnlyWhenAskedAndAtAnOptimum) {
    const SimplexIteration wyndor = textbook_cases().front().problem;
    EXPECT_FALSE(run_simplex(wyndor, {}).final_table);
    SimplexIteration stopped = wyndor;
    stopped.stop = 1;
    const SolveOutcome outcome = run_simplex(stopped, {Arithmetic::double_precision, PivotRule::dantzig, true});
    EXPECT_EQ(outcome.end, RunEnd::iteration_limit);
    EXPECT_FALSE(outcome.final_table);
}

}  // namespace
