// The dual solution read off a model's final table: the estimates that give it, its agreement with the
// sensitivity analysis, the dual's own constraints and the duality theorem, in both arithmetics.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/dual_model.h"
#include "solver/analysis/dual_solution.h"
#include "solver/session/run_with_report.h"

namespace {

constexpr double kInf = LpModel::kInfinity;

struct Case {
    const char* name;
    LpModel model;
    double optimum;
    std::vector<std::string> readings;  // of the double run
    std::vector<double> values;
};

LpModel model(bool maximize, std::vector<LpModel::Column> columns, std::vector<LpModel::Row> rows) {
    LpModel m;
    m.maximize = maximize;
    m.columns = std::move(columns);
    m.rows = std::move(rows);
    return m;
}

std::vector<Case> cases() {
    return {
        // max 5t + 4c + 3k; 2t + 3c + k <= 5, 4t + c + 2k <= 11, 3t + 4c + 2k <= 8: the slacks' estimates.
        {"slacks",
         model(true, {{"t", 0, kInf, 5}, {"c", 0, kInf, 4}, {"k", 0, kInf, 3}},
               {{"boards", -kInf, 5, {{0, 2}, {1, 3}, {2, 1}}},
                {"labour", -kInf, 11, {{0, 4}, {1, 1}, {2, 2}}},
                {"machine", -kInf, 8, {{0, 3}, {1, 4}, {2, 2}}}}),
         13,
         {"Δ4", "Δ5", "Δ6"},
         {1, 0, 1}},
        // min 2x1 + 3x2; x1 + x2 >= 4, x1 + 3x2 >= 6: the artificials' estimates with M taken back.
        {"artificials",
         model(false, {{"x1", 0, kInf, 2}, {"x2", 0, kInf, 3}},
               {{"a", 4, kInf, {{0, 1}, {1, 1}}}, {"b", 6, kInf, {{0, 1}, {1, 3}}}}),
         9,
         {"Δ5 + M", "Δ6 + M"},
         {1.5, 0.5}},
        // max 3x + y + z; x + y + z <= 6 written as -x - y - z >= -6 (a row turned round), 1 <= x - y <= 2
        // (a range), y <= 3 (x = 3 - y'), z fixed at 1, x in [0, 5] (a bound row).
        {"turned, ranged, bounded, fixed",
         model(true, {{"x", 0, 5, 3}, {"y", -kInf, 3, 1}, {"z", 1, 1, 1}},
               {{"cap", -6, kInf, {{0, -1}, {1, -1}, {2, -1}}}, {"gap", 1, 2, {{0, 1}, {1, -1}}}}),
         13,
         {},
         {}},
    };
}

// Each dual row's relation and each dual variable's sign, to the run's rounding.
void expect_dual_feasible(const LpModel& dual, const std::vector<double>& y) {
    for (std::size_t k = 0; k < y.size(); ++k) {
        EXPECT_GE(y[k], dual.columns[k].lower - 1e-9) << dual.columns[k].name;
        EXPECT_LE(y[k], dual.columns[k].upper + 1e-9) << dual.columns[k].name;
    }
    for (const LpModel::Row& row : dual.rows) {
        double sum = 0;
        for (const auto& [k, a] : row.coefficients) sum += a * y[k];
        EXPECT_GE(sum, row.lower - 1e-9) << row.name;
        EXPECT_LE(sum, row.upper + 1e-9) << row.name;
    }
}

TEST(DualSolution, ReadOffTheFinalTableInBothArithmetics) {
    for (const Arithmetic arithmetic : {Arithmetic::double_precision, Arithmetic::exact}) {
        for (const Case& c : cases()) {
            SCOPED_TRACE(std::string(c.name) + (arithmetic == Arithmetic::exact ? " exact" : " double"));
            CanonicalForm form = build_canonical_form(c.model);
            form.record.no_table = true;
            RunSettings settings{arithmetic, PivotRule::dantzig, true};
            settings.from_model = true;
            const SolveOutcome outcome = run_simplex(form.record, settings);
            ASSERT_EQ(outcome.end, RunEnd::optimal);
            ASSERT_TRUE(outcome.final_table);
            const DualProblem dual = dual_problem(c.model);
            const DualSolution solution = dual_solution(dual, form, form.record, outcome, *outcome.final_table);
            ASSERT_EQ(solution.values.size(), dual.model.columns.size());
            std::vector<double> y;
            for (std::size_t k = 0; k < solution.values.size(); ++k) {
                const DualValue& value = solution.values[k];
                SCOPED_TRACE(value.name);
                EXPECT_EQ(value.value.value, value.analysis.value);
                EXPECT_EQ(value.value.exact, value.analysis.exact);
                EXPECT_EQ(value.value.exact.has_value(), arithmetic == Arithmetic::exact);
                if (arithmetic == Arithmetic::double_precision && k < c.readings.size()) {
                    EXPECT_EQ(value.reading, c.readings[k]);
                    EXPECT_NEAR(value.value.value, c.values[k], 1e-12);
                }
                y.push_back(value.value.value);
            }
            expect_dual_feasible(dual.model, y);
            EXPECT_TRUE(solution.equal);
            EXPECT_NEAR(solution.dual_objective.value, solution.primal_objective.value, 1e-9);
            EXPECT_NEAR(solution.primal_objective.value, c.optimum, 1e-9);
        }
    }
}

TEST(DualSolution, LinesSayTheColumnAndTheTheorem) {
    const Case c = cases()[0];
    CanonicalForm form = build_canonical_form(c.model);
    form.record.no_table = true;
    RunSettings settings{Arithmetic::double_precision, PivotRule::dantzig, true};
    settings.from_model = true;
    const SolveOutcome outcome = run_simplex(form.record, settings);
    ASSERT_TRUE(outcome.final_table);
    const std::vector<std::string> lines =
        dual_solution_lines(dual_solution(dual_problem(c.model), form, form.record, outcome, *outcome.final_table));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "  y_boards = Δ4 = 1 (оценка столбца s1; анализ чувствительности: 1)");
    EXPECT_EQ(lines[4], "Теорема двойственности: цель прямой задачи 13, цель двойственной (b·y) 13 — равны.");
}

}  // namespace
