// The dual of a model by the textbook rules, the dual of the dual, and the LP file it is written as.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "problem/dual_model.h"
#include "problem/glpk_model_reader.h"
#include "problem/lp_file_writer.h"
#include "support/temp_folder.h"

namespace {

using test_support::TempFolder;
using test_support::write_in;

constexpr double kInf = LpModel::kInfinity;

LpModel::Row row(std::string name, double lower, double upper, std::vector<std::pair<std::uint32_t, double>> terms) {
    return {std::move(name), lower, upper, std::move(terms)};
}

LpModel::Column column(std::string name, double cost, double lower = 0.0, double upper = kInf) {
    return {std::move(name), lower, upper, cost, false};
}

// A dual variable or row as "name lower upper" and its cost or coefficients, for comparing at a glance.
struct Bounds {
    double lower, upper;
    bool operator==(const Bounds&) const = default;
};

Bounds bounds_of(const LpModel::Column& c) { return {c.lower, c.upper}; }
Bounds bounds_of(const LpModel::Row& r) { return {r.lower, r.upper}; }

struct Case {
    const char* name;
    LpModel primal;
    std::vector<std::string> variables;  // the dual's
    std::vector<Bounds> signs;
    std::vector<double> costs;
    std::vector<Bounds> rows;  // one per primal variable
    std::vector<std::vector<std::pair<std::uint32_t, double>>> coefficients;
};

std::vector<Case> textbook_cases() {
    std::vector<Case> cases;
    {
        // max 5x1 + 4x2; 2x1 + 3x2 <= 5, 4x1 + x2 <= 11: min 5y1 + 11y2, 2y1 + 4y2 >= 5, 3y1 + y2 >= 4, y >= 0.
        LpModel p;
        p.maximize = true;
        p.columns = {column("x1", 5), column("x2", 4)};
        p.rows = {row("a", -kInf, 5, {{0, 2}, {1, 3}}), row("b", -kInf, 11, {{0, 4}, {1, 1}})};
        cases.push_back({"max with <= rows",
                         p,
                         {"y_a", "y_b"},
                         {{0, kInf}, {0, kInf}},
                         {5, 11},
                         {{5, kInf}, {4, kInf}},
                         {{{0, 2}, {1, 4}}, {{0, 3}, {1, 1}}}});
    }
    {
        // min with >=, <= and = rows and x1 <= 0, x2 free: the signs and relations turn round.
        LpModel p;
        p.columns = {column("x1", 2, -kInf, 0.0), column("x2", 3, -kInf, kInf), column("x3", 1)};
        p.rows = {row("", 1, kInf, {{0, 1}, {1, 1}}), row("le", -kInf, 4, {{1, 2}, {2, 1}}),
                  row("eq", 6, 6, {{0, 1}, {2, -1}})};
        cases.push_back({"min with every relation and sign",
                         p,
                         {"y1", "y_le", "y_eq"},
                         {{0, kInf}, {-kInf, 0}, {-kInf, kInf}},
                         {1, 4, 6},
                         {{2, kInf}, {3, 3}, {-kInf, 1}},
                         {{{0, 1}, {2, 1}}, {{0, 1}, {1, 2}}, {{1, 1}, {2, -1}}}});
    }
    {
        // max x + y; 1 <= x + y <= 4 (two dual variables), a free row (none), 1 <= x <= 3 (free x with two
        // bound rows), y fixed at 2 (an equation).
        LpModel p;
        p.maximize = true;
        p.columns = {column("x", 1, 1, 3), column("y", 1, 2, 2)};
        p.rows = {row("r", 1, 4, {{0, 1}, {1, 1}}), row("free", -kInf, kInf, {{0, 1}})};
        cases.push_back({"range row and bounded variables",
                         p,
                         {"y_r_lo", "y_r_up", "y_x_lo", "y_x_up", "y_y_fix"},
                         {{-kInf, 0}, {0, kInf}, {-kInf, 0}, {0, kInf}, {-kInf, kInf}},
                         {1, 4, 1, 3, 2},
                         {{1, 1}, {1, 1}},
                         {{{0, 1}, {1, 1}, {2, 1}, {3, 1}}, {{0, 1}, {1, 1}, {4, 1}}}});
    }
    {
        // Names: a row named like a bound's dual variable gets a trailing _, an unnamed column is x<j>,
        // a column named twice in a row is summed; x <= 0 with a lower bound keeps its sign and gets x >= l.
        LpModel p;
        p.maximize = true;
        p.columns = {column("", 1, -5, 0.0), column("v", 1, 0, 7)};
        p.rows = {row("v_up", -kInf, 2, {{0, 1}, {0, 2}, {1, 1}})};
        cases.push_back({"names and sums",
                         p,
                         {"y_v_up", "y_x1_lo", "y_v_up_"},
                         {{0, kInf}, {-kInf, 0}, {0, kInf}},
                         {2, -5, 7},
                         {{-kInf, 1}, {1, kInf}},
                         {{{0, 3}, {1, 1}}, {{0, 1}, {2, 1}}}});
    }
    return cases;
}

TEST(DualModel, TextbookRules) {
    for (const Case& c : textbook_cases()) {
        SCOPED_TRACE(c.name);
        const DualProblem dual = dual_problem(c.primal);
        const LpModel& d = dual.model;
        EXPECT_EQ(d.maximize, !c.primal.maximize);
        ASSERT_EQ(d.columns.size(), c.variables.size());
        ASSERT_EQ(dual.origins.size(), c.variables.size());
        for (std::size_t k = 0; k < c.variables.size(); ++k) {
            SCOPED_TRACE(c.variables[k]);
            EXPECT_EQ(d.columns[k].name, c.variables[k]);
            EXPECT_EQ(bounds_of(d.columns[k]), c.signs[k]);
            EXPECT_EQ(d.columns[k].cost, c.costs[k]);
        }
        ASSERT_EQ(d.rows.size(), c.primal.columns.size());
        for (std::size_t j = 0; j < d.rows.size(); ++j) {
            SCOPED_TRACE(d.rows[j].name);
            EXPECT_EQ(bounds_of(d.rows[j]), c.rows[j]);
            EXPECT_EQ(d.rows[j].coefficients, c.coefficients[j]);
        }
    }
}

TEST(DualModel, ConstantAndNamesCarriedOver) {
    LpModel p;
    p.name = "plan";
    p.constant = 7.5;
    p.columns = {column("x", 1)};
    p.rows = {row("c", -kInf, 3, {{0, 1}})};
    const LpModel d = dual_model(p);
    EXPECT_EQ(d.constant, 7.5);
    EXPECT_EQ(d.name, "plan_dual");
    EXPECT_EQ(d.rows[0].name, "x");
    const std::vector<std::string> lines = dual_problem_lines(dual_problem(p), p);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Двойственная задача:");
    EXPECT_EQ(lines[1], "  Цель: максимум 3 y_c + 7.5");
    EXPECT_EQ(lines[3], "    x: y_c <= 1");
    EXPECT_EQ(lines[5], "    y_c <= 0 (строка c: <= 3)");
}

// x >= 0 with <=, >= and = rows: the dual of the dual has the primal's numbers, row for row.
TEST(DualModel, DualOfDualGivesThePrimalBack) {
    for (const bool maximize : {true, false}) {
        LpModel p;
        p.maximize = maximize;
        p.constant = -2;
        p.columns = {column("x1", 3), column("x2", -1), column("x3", 0.1)};
        p.rows = {row("a", -kInf, 4, {{0, 1}, {1, 2}}), row("b", 1, kInf, {{1, 1}, {2, 3}}),
                  row("c", 2, 2, {{0, 1}, {2, -1}})};
        const LpModel back = dual_model(dual_model(p));
        EXPECT_EQ(back.maximize, p.maximize);
        EXPECT_EQ(back.constant, p.constant);
        ASSERT_EQ(back.columns.size(), p.columns.size());
        for (std::size_t j = 0; j < p.columns.size(); ++j) {
            EXPECT_EQ(bounds_of(back.columns[j]), bounds_of(p.columns[j]));
            EXPECT_EQ(back.columns[j].cost, p.columns[j].cost);
        }
        ASSERT_EQ(back.rows.size(), p.rows.size());
        for (std::size_t i = 0; i < p.rows.size(); ++i) {
            EXPECT_EQ(bounds_of(back.rows[i]), bounds_of(p.rows[i]));
            EXPECT_EQ(back.rows[i].coefficients, p.rows[i].coefficients);
        }
    }
}

// What the file says GLPK reads back exactly: numbers, senses, bounds, the constant as a fixed variable.
TEST(LpFileWriter, GlpkReadsTheSameModelBack) {
    LpModel p;
    p.maximize = true;
    p.constant = 0.1;
    p.columns = {column("y[1,a]", 1.0 / 3, -kInf, 0.0), column("free", 1e-300, -kInf, kInf),
                 column("long", -2.5, 1, 1e300), column("z", 0.0, 2, 2)};
    for (int k = 0; k < 8; ++k) p.columns.push_back(column("padding_" + std::to_string(k), 1));
    p.rows = {row("r-1", -kInf, 0.7, {{0, 0.1}, {1, -1}, {2, 2}}), row("e", 3, 3, {{3, 1}}), row("g", -0.2, kInf, {})};
    for (std::uint32_t k = 0; k < 8; ++k) p.rows[0].coefficients.emplace_back(4 + k, 123456.789);

    const TempFolder folder("qtb_dual");
    const std::string text = lp_file_text(p, {"проверка"});
    const LpModel read = read_model_file(write_in(folder, "m.lp", text), ModelFormat::cplex_lp);
    EXPECT_TRUE(read.maximize);
    // GLPK numbers the columns as they first come in the file: they are compared by name.
    std::map<std::string, std::uint32_t> index;
    for (std::uint32_t j = 0; j < read.columns.size(); ++j) index[read.columns[j].name] = j;
    ASSERT_EQ(index.size(), p.columns.size() + 1);  // and the constant's
    const std::vector<std::string> spelt{"y(1,a)", "free_", "long", "z"};
    std::vector<std::uint32_t> read_index;
    for (std::uint32_t j = 0; j < p.columns.size(); ++j) {
        const std::string name = j < spelt.size() ? spelt[j] : p.columns[j].name;
        SCOPED_TRACE(name);
        ASSERT_EQ(index.count(name), 1u);
        const LpModel::Column& got = read.columns[index.at(name)];
        EXPECT_EQ(bounds_of(got), bounds_of(p.columns[j]));
        EXPECT_EQ(got.cost, p.columns[j].cost);
        read_index.push_back(index.at(name));
    }
    ASSERT_EQ(index.count("constant"), 1u);
    const LpModel::Column& constant = read.columns[index.at("constant")];
    EXPECT_EQ(constant.cost, 0.1);
    EXPECT_EQ(bounds_of(constant), (Bounds{1, 1}));
    ASSERT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.rows[0].name, "r~1");
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(bounds_of(read.rows[i]), bounds_of(p.rows[i]));
    std::map<std::uint32_t, double> written, got;
    for (const auto& [j, a] : p.rows[0].coefficients) written[read_index[j]] = a;
    for (const auto& [j, a] : read.rows[0].coefficients) got[j] = a;
    EXPECT_EQ(got, written);
    EXPECT_NE(text.find("\\  y[1,a] -> y(1,a)\n"), std::string::npos);
}

TEST(LpFileWriter, RefusesWhatTheFormatCannotHold) {
    LpModel ranged;
    ranged.columns = {column("x", 1)};
    ranged.rows = {row("r", 1, 2, {{0, 1}})};
    EXPECT_THROW(lp_file_text(ranged, {}), LpFileError);
    LpModel empty;
    EXPECT_THROW(lp_file_text(empty, {}), LpFileError);
    LpModel infinite;
    infinite.columns = {column("x", std::nan(""))};
    EXPECT_THROW(lp_file_text(infinite, {}), LpFileError);
}

}  // namespace
