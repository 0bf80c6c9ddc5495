// The canonical form of small models: order of columns and rows, names, turned rows, bounds.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/status_texts.h"

namespace {

constexpr double kInf = LpModel::kInfinity;
constexpr double M = BIG_M;

LpModel::Row row(std::string name, double lower, double upper, std::vector<std::pair<std::uint32_t, double>> a) {
    return {std::move(name), lower, upper, std::move(a)};
}

struct Case {
    const char* what;
    LpModel model;
    std::vector<std::string> names;          // columns 1..n
    std::vector<std::vector<double>> table;  // cost row (from column 1), then rows (rhs first)
    std::int32_t base_vars;
    double constant;
};

std::vector<Case> cases() {
    std::vector<Case> list;
    {
        LpModel m;  // "<=", a negative ">=" turned round, ">= 0" turned into "<= 0"
        m.maximize = true;
        m.columns = {{"x", 0, kInf, 3}, {"y", 0, kInf, 2}};
        m.rows = {row("r1", -kInf, 4, {{0, 1}, {1, 1}}), row("r2", -2, kInf, {{0, 1}, {1, -1}}),
                  row("r3", 0, kInf, {{0, 1}, {1, 3}})};
        list.push_back({"slacks only",
                        m,
                        {"x", "y", "s1", "s2", "s3"},
                        {{3, 2, 0, 0, 0}, {4, 1, 1, 1, 0, 0}, {2, -1, 1, 0, 1, 0}, {0, -1, -3, 0, 0, 1}},
                        5,
                        0});
    }
    {
        LpModel m;  // shifted with a bound row, mirrored, free, fixed; "=" row and a range
        m.columns = {{"x", 1, 3, 1}, {"y", -kInf, 5, 1}, {"z", -kInf, kInf, 1}, {"w", 2, 2, 3}};
        m.rows = {row("e", 10, 10, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}), row("g", 1, 2, {{0, 1}}),
                  row("free", -kInf, kInf, {{1, 1}}), row("empty", -1, 1, {{3, 0.0}})};
        list.push_back({"substitutions",
                        m,
                        {"x'", "y'", "z+", "z-", "s2", "s3", "s4", "a1"},
                        {{1, -1, 1, -1, 0, 0, 0, M},
                         {2, 1, -1, 1, -1, 0, 0, 0, 1},
                         {0, -1, 0, 0, 0, 1, 0, 0, 0},
                         {1, 1, 0, 0, 0, 0, 1, 0, 0},
                         {2, 1, 0, 0, 0, 0, 0, 1, 0}},
                        7,
                        12});
    }
    {
        LpModel m;  // taken names get "_"; a ">=" row gets a surplus and an artificial costing -M for a maximum
        m.maximize = true;
        m.constant = 5;
        m.columns = {{"s1", 0, kInf, 1}, {"a1", 0, kInf, 1}, {"имя с пробелом", 0, kInf, 1}};
        m.rows = {row("r", 3, kInf, {{0, 1}, {1, 1}, {2, 1}})};
        list.push_back({"names",
                        m,
                        {"s1", "a1", "\xE8\xEC\xFF_\xF1_\xEF\xF0\xEE\xE1\xE5\xEB\xEE\xEC", "s1_", "a1_"},
                        {{1, 1, 1, 0, -M}, {3, 1, 1, 1, -1, 1}},
                        4,
                        5});
    }
    return list;
}

TEST(CanonicalForm, ColumnsRowsNamesAndCosts) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        const CanonicalForm form = build_canonical_form(c.model);
        const SimplexIteration& r = form.record;
        ASSERT_EQ(r.variable_count(), c.names.size());
        ASSERT_EQ(r.constraint_count() + 1, c.table.size());
        EXPECT_EQ(std::vector<std::string>(r.var_names->begin() + 1, r.var_names->end()), c.names);
        for (std::uint32_t i = 0; i <= r.constraint_count(); ++i) {
            for (std::uint32_t j = i == 0 ? 1 : 0; j <= r.variable_count(); ++j) {
                EXPECT_EQ(r.table(i, j), c.table[i][i == 0 ? j - 1 : j]) << "row " << i << " column " << j;
            }
        }
        EXPECT_EQ(r.base_vars, c.base_vars);
        EXPECT_EQ(form.constant, c.constant);
        EXPECT_EQ(r.aim, c.model.maximize ? 1 : 2);
        EXPECT_EQ(r.stop, static_cast<std::int32_t>(50 * (r.constraint_count() + 1)));
        for (std::uint32_t i = 1; i <= r.constraint_count(); ++i) EXPECT_EQ(r.table(i, r.basis[i]), 1.0);
    }
}

TEST(CanonicalForm, RebuildsModelVariables) {
    const CanonicalForm form = build_canonical_form(cases()[1].model);
    Matrix solution(9, 1);
    solution(0, 0) = 4;  // the canonical objective
    solution(1, 0) = 0.5;
    solution(2, 0) = 1;
    solution(4, 0) = 2;
    EXPECT_EQ(form.variable_values(solution), (std::vector<double>{1.5, 4, -2, 2}));
    EXPECT_EQ(form.objective(solution), 16);
}

TEST(CanonicalForm, RefusesWhatCannotBeSolved) {
    LpModel empty_row;
    empty_row.columns = {{"x", 1, 1, 0}};
    empty_row.rows = {row("r", 2, kInf, {{0, 1}})};  // 1 >= 2 after fixing x
    try {
        build_canonical_form(empty_row);
        ADD_FAILURE() << "no code 13";
    } catch (const SimplexIteration::bad_simplex& failure) {
        EXPECT_EQ(failure.count, 1);
        EXPECT_EQ(failure.codes[0], kInconsistent);
    }
}

// The size is counted before anything is built: a million bounded columns are refused at once,
// with the counts the built form would have (turned rows get their artificial).
TEST(CanonicalForm, RefusesAFormTooLargeWithItsSize) {
    std::vector<std::pair<const char*, LpModel>> cases;
    {
        LpModel m;
        m.columns = {{"x", 0, kInf, 1}};
        for (int i = 0; i < 301; ++i) m.rows.push_back(row("r", -kInf, 1, {{0, 1}}));
        cases.emplace_back("m = 301 ограничений и n = 302", m);
    }
    {
        LpModel m;  // x in [2, 3]: x' <= 1 gets a row; r: x >= 1 is x' >= -1, turned into <=
        m.columns.assign(1'000'000, {"x", 2, 3, 1});
        m.rows = {row("r", 1, kInf, {{0, 1}}), row("e", 5, 5, {{1, 1}}), row("free", -kInf, kInf, {{2, 1}})};
        cases.emplace_back("m = 1000002 ограничений и n = 2000002", m);
    }
    {
        LpModel m;  // 250 rows ">= 1" keep their artificials: 1 + 250 slacks + 250 artificials
        m.columns = {{"x", 0, kInf, 1}};
        for (int i = 0; i < 250; ++i) m.rows.push_back(row("r", 1, kInf, {{0, 1}}));
        cases.emplace_back("m = 250 ограничений и n = 501", m);
    }
    for (const auto& [size, model] : cases) {
        try {
            build_canonical_form(model);
            ADD_FAILURE() << size << ": not refused";
        } catch (const CanonicalFormError& error) {
            EXPECT_NE(std::string(error.what()).find(size), std::string::npos) << error.what();
        }
    }
}

// A model starts from the slack of each "<=" row and the artificial of every other row, even where
// an own column is a unit column (y in r2); a free variable's halves are each other's twins.
TEST(CanonicalForm, StartsFromSlacksAndArtificials) {
    LpModel m;
    m.maximize = true;
    m.columns = {{"x", 0, kInf, 2}, {"y", 0, kInf, 3}, {"z", -kInf, kInf, 1}};
    m.rows = {row("r1", -kInf, 4, {{0, 1}, {1, 1}, {2, 1}}), row("r2", -kInf, 3, {{1, 1}}),
              row("r3", 1, kInf, {{0, 1}, {2, 1}})};
    const SimplexIteration r = build_canonical_form(m).record;
    // x y z+ z- s1 s2 s3 a3
    EXPECT_EQ(r.basis, (std::vector<std::uint32_t>{0, 5, 6, 8}));
    EXPECT_EQ(r.twin_columns, (std::vector<std::uint32_t>{0, 0, 0, 4, 3, 0, 0, 0, 0}));
}

// Numbers that are not finite never reach the tables: the refusal names the row or variable.
TEST(CanonicalForm, RefusesNumbersThatAreNotFinite) {
    const struct {
        const char* what;
        LpModel model;
        const char* named;
    } cases[] = {
        {"inf - inf in a row's shift",
         {false,
          0,
          "",
          {{"x", 1e300, 1e300, 0}, {"y", -1e300, -1e300, 0}, {"z", 0, kInf, -1}},
          {row("c1", -kInf, 5, {{0, 1e10}, {1, 1e10}, {2, 1}})},
          {}},
         "«c1»"},
        {"an overflowing bound row",
         {false, 0, "", {{"x", -1.5e308, 1.5e308, 1}}, {row("c", -kInf, 5, {{0, 1}})}, {}},
         "«x»"},
        {"an overflowing objective constant",
         {false, 0, "", {{"x", 1e300, 1e300, 1e10}, {"y", 0, kInf, 1}}, {row("c", -kInf, 5, {{1, 1}})}, {}},
         "«x»"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            build_canonical_form(c.model);
            ADD_FAILURE() << "not refused";
        } catch (const CanonicalFormError& error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
    }
}

// Shifts by decimal bounds round in doubles; the exact right-hand sides and constant are
// the model's own, and a residue of the doubles decides no row's sign.
TEST(CanonicalForm, KeepsExactRightHandSidesBesideTheDoubles) {
    const struct {
        const char* what;
        LpModel model;
        std::vector<double> rhs;  // rows 1..m of the double table
        std::vector<std::string> exact_rhs;
        std::string exact_constant;
    } cases[] = {
        {"a shifted row and its bound row",
         {true, 0, "", {{"x", 0.1, 0.5, 1}, {"y", 0, kInf, 1}}, {row("c", -kInf, 0.3, {{0, 1}, {1, 1}})}, {}},
         {0.3 - 0.1, 0.5 - 0.1},
         {"0", "1/5", "2/5"},
         "1/10"},
        {"a residue where the shift cancels the bound",
         {false, 0.7, "", {{"x", 0.1, kInf, 3}, {"y", 0.2, kInf, 1}}, {row("c", 0.3, kInf, {{0, 1}, {1, 1}})}, {}},
         {0},
         {"0", "0"},
         "6/5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CanonicalForm form = build_canonical_form(c.model);
        for (std::uint32_t i = 1; i <= form.record.constraint_count(); ++i) {
            EXPECT_EQ(form.record.table(i, 0), c.rhs.at(i - 1)) << i;
        }
        EXPECT_EQ(form.record.exact_rhs, c.exact_rhs);
        EXPECT_EQ(form.exact_constant, c.exact_constant);
    }
}

}  // namespace
