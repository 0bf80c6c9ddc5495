#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "solver/transport/transport_method.h"

namespace {

using namespace transport;

// A problem from rows of cost words; "x" is a forbidden route.
TransportProblem problem_of(std::vector<double> supplies, std::vector<double> demands,
                            const std::vector<std::vector<std::string>>& costs, Sense sense = Sense::cost_min) {
    TransportProblem p;
    p.sense = sense;
    p.supplies = std::move(supplies);
    p.demands = std::move(demands);
    for (const auto& row : costs) {
        for (const std::string& c : row) {
            p.forbidden.push_back(c == "x" ? 1 : 0);
            p.costs.push_back(c == "x" ? 0.0 : std::stod(c));
        }
    }
    return p;
}

const TransportProblem kTextbook = problem_of(
    {15, 25, 10}, {5, 15, 15, 15}, {{"10", "2", "20", "11"}, {"12", "7", "9", "20"}, {"4", "14", "16", "18"}});
const TransportProblem kSecond =
    problem_of({250, 300, 400}, {200, 225, 275, 250},
               {{"11", "13", "17", "14"}, {"16", "18", "14", "10"}, {"21", "24", "13", "10"}});
const TransportProblem kOpen =
    problem_of({40, 60, 50}, {30, 50, 40}, {{"3", "x", "5"}, {"4", "2", "7"}, {"6", "3", "2.5"}});
const TransportProblem kDegenerate =
    problem_of({10, 20, 30}, {10, 20, 30}, {{"1", "2", "3"}, {"4", "1", "2"}, {"3", "5", "1"}});
const TransportProblem kShort = problem_of({20, 30}, {30, 40}, {{"2", "4"}, {"3", "1"}});
const TransportProblem kForbiddenOnly = problem_of({10, 10}, {10, 10}, {{"1", "x"}, {"x", "x"}});
const TransportProblem kProfit =
    problem_of({30, 50}, {20, 40, 20}, {{"5", "8", "4"}, {"6", "7", "9"}}, Sense::profit_max);

struct Case {
    const char* name;
    const TransportProblem* problem;
    StartMethod start;
    double first_cost;  // of the start's plan
    double best;        // the optimum (glpsol's, for the same LP)
    TransportEnd end;
    Fictitious fictitious;
};

const Case kCases[] = {
    {"textbook_northwest", &kTextbook, StartMethod::northwest, 520, 435, TransportEnd::optimal, Fictitious::none},
    {"textbook_least_cost", &kTextbook, StartMethod::least_cost, 475, 435, TransportEnd::optimal, Fictitious::none},
    {"textbook_vogel", &kTextbook, StartMethod::vogel, 475, 435, TransportEnd::optimal, Fictitious::none},
    {"second_northwest", &kSecond, StartMethod::northwest, 12200, 12075, TransportEnd::optimal, Fictitious::none},
    {"second_least_cost", &kSecond, StartMethod::least_cost, 12825, 12075, TransportEnd::optimal, Fictitious::none},
    {"second_vogel", &kSecond, StartMethod::vogel, 12075, 12075, TransportEnd::optimal, Fictitious::none},
    {"open_vogel", &kOpen, StartMethod::vogel, 320, 290, TransportEnd::optimal, Fictitious::consumer},
    {"degenerate_northwest", &kDegenerate, StartMethod::northwest, 60, 60, TransportEnd::optimal, Fictitious::none},
    {"short_supply_northwest", &kShort, StartMethod::northwest, 90, 70, TransportEnd::optimal, Fictitious::supplier},
    {"forbidden_needed", &kForbiddenOnly, StartMethod::least_cost, 10, 10, TransportEnd::infeasible, Fictitious::none},
    {"profit_least_cost", &kProfit, StartMethod::least_cost, 610, 610, TransportEnd::optimal, Fictitious::none},
};

double as_double(double x) { return x; }
double as_double(const mpq_class& x) { return x.get_d(); }

// What every plan must be: m + n - 1 basic cells that hold the supplies and demands, u_1 = 0,
// u_i + v_j = c_ij at basic cells, a cycle of alternating signs through basic cells but its first.
template <class Number>
void expect_sound(const TransportOutcome<Number>& outcome, const Plan<Number>& plan) {
    const BalancedTable<Number>& t = outcome.table;
    std::size_t basic = 0;
    for (std::size_t i = 0; i < t.rows(); ++i) {
        Number row(0);
        for (std::size_t j = 0; j < t.columns(); ++j) {
            row += plan.amounts[t.at(i, j)];
            if (!plan.is_basic(t.at(i, j))) continue;
            ++basic;
            EXPECT_TRUE(plan.u[i] + plan.v[j] == t.cost(i, j)) << "basic cell " << i << "," << j;
        }
        EXPECT_NEAR(as_double(row), as_double(t.supplies[i]), 1e-9);
    }
    for (std::size_t j = 0; j < t.columns(); ++j) {
        Number column(0);
        for (std::size_t i = 0; i < t.rows(); ++i) column += plan.amounts[t.at(i, j)];
        EXPECT_NEAR(as_double(column), as_double(t.demands[j]), 1e-9);
    }
    EXPECT_EQ(basic, t.rows() + t.columns() - 1);
    EXPECT_TRUE(plan.u[0].is_zero());
    for (std::size_t k = 0; k < plan.cycle.size(); ++k) {
        EXPECT_EQ(plan.cycle[k].plus, k % 2 == 0);
        EXPECT_EQ(plan.is_basic(t.at(plan.cycle[k].cell.row, plan.cycle[k].cell.column)), k != 0);
    }
}

template <class Number>
void check(const Case& c) {
    TransportRunSettings settings;
    settings.start = c.start;
    settings.keep_plan = [](std::int32_t) { return true; };
    const TransportOutcome<Number> outcome = solve_transport<Number>(*c.problem, settings);
    EXPECT_EQ(outcome.end, c.end);
    EXPECT_EQ(outcome.table.fictitious, c.fictitious);
    ASSERT_FALSE(outcome.plans.empty());
    EXPECT_NEAR(as_double(outcome.plans.front().total.plain), c.first_cost, 1e-9);
    if (c.end == TransportEnd::optimal) {
        EXPECT_NEAR(as_double(outcome.total_cost), c.best, 1e-9);
        EXPECT_FALSE(outcome.last.total.has_m());
    } else {
        EXPECT_TRUE(outcome.last.total.has_m());
    }
    for (const Plan<Number>& plan : outcome.plans) expect_sound(outcome, plan);
    EXPECT_EQ(outcome.plans.size(), static_cast<std::size_t>(outcome.iterations) + 1);
}

class PotentialsCase : public testing::TestWithParam<Case> {};

TEST_P(PotentialsCase, ReachesTheOptimumInBothArithmetics) {
    check<double>(GetParam());
    check<mpq_class>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Problems, PotentialsCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(Potentials, DegenerateStartGetsABasicZeroInTheColumnLeftOpen) {
    TransportRunSettings settings;
    settings.keep_plan = [](std::int32_t n) { return n == 0; };
    const auto outcome = solve_transport<double>(kDegenerate, settings);
    const Plan<double>& first = outcome.plans.front();
    // 10 at (1,1) uses up row 1 and column 1 together: the row is crossed out, (2,1) gets the zero.
    EXPECT_TRUE(first.is_basic_zero(outcome.table.at(1, 0)));
    EXPECT_FALSE(first.is_basic(outcome.table.at(0, 1)));
}

TEST(Potentials, TiesOfTheEstimateGoToTheLowestRowThenColumnAndAZeroEstimateIsAnotherOptimum) {
    // Every route costs the same: the first plan is optimal, and every free cell's estimate is 0.
    const TransportProblem flat = problem_of({5, 5}, {5, 5}, {{"1", "1"}, {"1", "1"}});
    const auto outcome = solve_transport<mpq_class>(flat, {});
    EXPECT_EQ(outcome.iterations, 0);
    ASSERT_EQ(outcome.alternatives.size(), 1U);
    EXPECT_EQ(outcome.alternatives.front(), (Cell{0, 1}));
}

TEST(Potentials, TheIterationLimitStopsAtAPlanThatStillImproves) {
    TransportRunSettings settings;
    settings.step_limit = 1;
    const auto outcome = solve_transport<double>(kTextbook, settings);
    EXPECT_EQ(outcome.end, TransportEnd::iteration_limit);
    EXPECT_EQ(outcome.iterations, 1);
    EXPECT_TRUE(outcome.last.entering.has_value());
}

}  // namespace
