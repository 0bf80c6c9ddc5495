// Branch and bound on small integer models, in both arithmetics and by the big-M and two-phase methods.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/status_texts.h"
#include "solver/engine/bound_rows.h"
#include "solver/session/run_with_report.h"

namespace {

constexpr double kInf = LpModel::kInfinity;

LpModel::Column integer(std::string name, double cost, double upper = kInf) {
    return {std::move(name), 0.0, upper, cost, true};
}

LpModel::Row row(double lower, double upper, std::vector<std::pair<std::uint32_t, double>> a) {
    return {"r", lower, upper, std::move(a)};
}

struct Case {
    const char* what;
    LpModel model;
    std::vector<double> values;  // empty: no integer solution
    double objective = 0.0;
};

std::vector<Case> cases() {
    std::vector<Case> list;
    {
        LpModel m;  // a knapsack of four items, capacity 10
        m.maximize = true;
        m.columns = {integer("a", 10, 1), integer("b", 13, 1), integer("c", 7, 1), integer("d", 8, 1)};
        m.rows = {row(-kInf, 10, {{0, 4}, {1, 6}, {2, 3}, {3, 5}})};
        list.push_back({"knapsack", m, {1, 1, 0, 0}, 23});
    }
    {
        LpModel m;  // three workers, three jobs, the cheapest assignment
        const double cost[3][3] = {{9, 2, 7}, {6, 4, 3}, {5, 8, 1}};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j)
                m.columns.push_back(integer("x" + std::to_string(i) + std::to_string(j), cost[i][j]));
        }
        for (std::uint32_t i = 0; i < 3; ++i) {
            m.rows.push_back(row(1, 1, {{3 * i, 1}, {3 * i + 1, 1}, {3 * i + 2, 1}}));
            m.rows.push_back(row(1, 1, {{i, 1}, {i + 3, 1}, {i + 6, 1}}));
        }
        list.push_back({"assignment", m, {0, 1, 0, 1, 0, 0, 0, 0, 1}, 9});
    }
    {
        LpModel m;  // x integer, y continuous: the relaxation's x = 2.5 is cut to 2
        m.maximize = true;
        m.columns = {integer("x", 3), {"y", 0, kInf, 2, false}};
        m.rows = {row(-kInf, 3.5, {{0, 1}, {1, 1}}), row(-kInf, 2.5, {{0, 1}})};
        list.push_back({"mixed", m, {2, 1.5}, 9});
    }
    {
        // Bounds on every side; the node x3 >= 1 ends phase I in doubles at w = -3e-17, a feasible node.
        LpModel m;
        m.columns = {{"x1", 0, 4, 3, false}, {"x2", 2, 5, 7, true}, {"x3", 0, 1, -1, true}, {"x4", 3, 8, 1, false}};
        m.rows = {row(1, kInf, {{0, 2}, {1, -1}, {2, 1}, {3, -1}}), row(8, kInf, {{0, 1}, {1, -1}, {2, -6}, {3, 4}}),
                  row(5, kInf, {{0, 5}, {1, 3}, {3, 1}})};
        list.push_back({"bounded on every side", m, {8.0 / 3, 2, 1, 10.0 / 3}, 73.0 / 3});
    }
    {
        // y free, split as y+ - y-: the branches that hold both halves at 1 or more repeat others and are
        // closed unsolved; without that the chain y+ >= k, y- >= k would never end.
        LpModel m;
        m.maximize = true;
        m.columns = {{"x", -3, 3, 1, true}, {"y", -kInf, kInf, 1, true}};
        m.rows = {row(-kInf, 0.5, {{0, -1}, {1, 1}}), row(-kInf, 3.5, {{0, 1}, {1, 1}}),
                  row(-kInf, 0.5, {{0, 1}, {1, -1}})};
        list.push_back({"free integer variable", m, {1, 1}, 2});
    }
    {
        LpModel m;  // 2x = 1 has no integer solution
        m.columns = {integer("x", 1, 10)};
        m.rows = {row(1, 1, {{0, 2}})};
        list.push_back({"no integer solution", m, {}, 0});
    }
    return list;
}

TEST(BranchAndBound, ReachesTheIntegerOptimum) {
    for (const Case& c : cases()) {
        const CanonicalForm form = build_canonical_form(c.model);
        for (const SolveMethod method : {SolveMethod::big_m, SolveMethod::two_phase}) {
            for (const Arithmetic arithmetic : {Arithmetic::double_precision, Arithmetic::exact}) {
                SCOPED_TRACE(std::string(c.what) + ", " + method_word(method) +
                             (arithmetic == Arithmetic::exact ? ", exact" : ""));
                SimplexIteration run = form.record;
                run.no_table = true;
                RunSettings settings;
                settings.arithmetic = arithmetic;
                settings.method = method;
                settings.from_model = true;
                const SolveOutcome outcome = run_simplex(run, settings);
                ASSERT_FALSE(outcome.nodes.empty());
                EXPECT_FALSE(outcome.node_limit_reached);
                if (c.values.empty()) {
                    ASSERT_EQ(outcome.status.count, 1);
                    EXPECT_EQ(outcome.status.codes[0], kInconsistent);
                    for (const BranchNode& node : outcome.nodes) EXPECT_NE(node.close, NodeClose::integer);
                    continue;
                }
                ASSERT_TRUE(outcome.status.empty()) << outcome.status.codes[0];
                EXPECT_EQ(outcome.end, RunEnd::optimal);
                EXPECT_NEAR(form.objective(outcome.solution), c.objective, 1e-9);
                const std::vector<double> values = form.variable_values(outcome.solution);
                ASSERT_EQ(values.size(), c.values.size());
                for (std::size_t k = 0; k < values.size(); ++k) EXPECT_NEAR(values[k], c.values[k], 1e-9) << k;
                int incumbents = 0;
                for (const BranchNode& node : outcome.nodes) incumbents += node.incumbent ? 1 : 0;
                EXPECT_EQ(incumbents, 1);
            }
        }
    }
}

TEST(BranchAndBound, DepthFirstTheLowerBranchFirst) {
    const CanonicalForm form = build_canonical_form(cases()[0].model);  // the knapsack
    SimplexIteration run = form.record;
    run.no_table = true;
    const SolveOutcome outcome = run_simplex(run, RunSettings{});
    ASSERT_GE(outcome.nodes.size(), 3u);
    const BranchNode& root = outcome.nodes[0];
    ASSERT_EQ(root.close, NodeClose::branched);
    // The relaxation takes a, c and 3/6 of b: b alone is fractional.
    EXPECT_EQ((*form.record.var_names)[root.branch_column], "b");
    EXPECT_EQ(outcome.nodes[1].bounds, (std::vector<BranchBound>{{root.branch_column, true, 0.0}}));
    EXPECT_EQ(outcome.nodes[2].bounds, (std::vector<BranchBound>{{root.branch_column, false, 1.0}}));
    // Children are solved before the root's second child.
    EXPECT_NE(outcome.nodes[1].result, NodeResult::not_solved);

    RunSettings one_node;
    one_node.node_limit = 1;
    const SolveOutcome cut_short = run_simplex(run, one_node);
    EXPECT_TRUE(cut_short.node_limit_reached);
    EXPECT_TRUE(cut_short.status.empty());
    EXPECT_NE(cut_short.end, RunEnd::optimal);  // no integer solution found in one node
    EXPECT_EQ(cut_short.nodes.size(), 3u);
    EXPECT_EQ(cut_short.nodes[1].close, NodeClose::open);
}

TEST(BoundRows, KeepTheUnitBasisAndTheColumnsApart) {
    SimplexIteration problem = SimplexIteration::from_bytes(
        "Aim: max\r\nFile: r.txt\r\nSize: 1 3\r\nBase: 2\r\nMatrix:\r\n3 2 -M\r\n4 2 3 1\r\n");
    // x1 <= 2 and x2 >= 1: a slack each after the own columns, an artificial at the end.
    const BoundRowsTable node = with_bound_rows(problem, {{1, true, 2.0}, {2, false, 1.0}});
    const SimplexIteration& r = node.record;
    EXPECT_EQ(node.column, (std::vector<std::uint32_t>{0, 1, 2, 5}));
    ASSERT_EQ(r.variable_count(), 6u);
    EXPECT_EQ(r.base_vars, 4);
    EXPECT_EQ(r.basis, (std::vector<std::uint32_t>{0, 5, 3, 6}));
    EXPECT_EQ(r.table(0, 6), -BIG_M);
    const std::vector<std::vector<double>> rows = {{2, 1, 0, 1, 0, 0, 0}, {1, 0, 1, 0, -1, 0, 1}};
    for (std::uint32_t i = 0; i < rows.size(); ++i) {
        for (std::uint32_t j = 0; j <= 6; ++j) EXPECT_EQ(r.table(i + 2, j), rows[i][j]) << i << ", " << j;
    }
    // A bound on a basic column is taken less its row: x3 <= 1 is 4 - 2 x1 - 3 x2 <= 1, turned round.
    const BoundRowsTable basic = with_bound_rows(problem, {{3, true, 1.0}});
    for (const auto& [j, a] : std::vector<std::pair<std::uint32_t, double>>{{0, 3}, {1, 2}, {2, 3}, {3, -1}})
        EXPECT_EQ(basic.record.table(2, j), a) << j;
    EXPECT_EQ(basic.record.basis[2], 5u);  // the artificial of the turned row
}

}  // namespace
