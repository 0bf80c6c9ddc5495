#include "solver/check/table_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "numerics/exact_number.h"
#include "problem/record_columns.h"
#include "solver/check/table_step.h"
#include "support/problem_builder.h"

namespace {

// min 2 x1 + 4 x2 with x1 + 4 x2 >= 3, 2 x1 + 4 x2 >= 11 in canonical form (surplus s1, s2; artificial
// r1, r2): three pivots (x2, x1, s1), fractions in the tables.
SimplexIteration diet() {
    SimplexIteration p =
        test_support::make_problem(2, {2, 4, 0, 0, BIG_M, BIG_M}, {{3, 1, 4, -1, 0, 1, 0}, {11, 2, 4, 0, -1, 0, 1}}, 4);
    p.var_names = std::vector<std::string>{"", "x1", "x2", "s1", "s2", "r1", "r2"};
    return p;
}

// `x` with `decimals` digits after the point (rounded half away from zero), or as a fraction for -1.
std::string written(const mpq_class& x, int decimals) {
    if (decimals < 0) return fraction_text(x);
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(decimals));
    const mpq_class scaled = abs(x) * scale + mpq_class(1, 2);
    const mpz_class digits = scaled.get_num() / scaled.get_den();
    std::string text = digits.get_str();
    if (text.size() <= static_cast<std::size_t>(decimals)) text.insert(0, decimals + 1 - text.size(), '0');
    text.insert(text.size() - static_cast<std::size_t>(decimals), ",");
    return (x < 0 && digits != 0 ? "-" : "") + text;
}

// The tables in the plain form a student types.
std::string plain_form(const SimplexIteration& p, const std::vector<ExactTable>& tables, int decimals = -1) {
    const std::vector<std::string> names = utf8_variable_names(p);
    std::string text;
    const auto line = [&](const std::string& label, const std::vector<mpq_class>& numbers) {
        text += label;
        for (const mpq_class& x : numbers) text += ' ' + written(x, decimals);
        text += '\n';
    };
    for (std::size_t k = 0; k < tables.size(); ++k) {
        const ExactTable& t = tables[k];
        text += "Таблица " + std::to_string(k) + '\n';
        const auto columns = static_cast<std::ptrdiff_t>(t.n) + 1;
        for (std::uint32_t i = 1; i <= t.m; ++i) {
            const auto first = t.elements.begin() + (static_cast<std::ptrdiff_t>(i) - 1) * columns;
            line(names[t.basis[i]], std::vector<mpq_class>(first, first + columns));
        }
        line("M", t.m_parts);
        line("оценки", t.plain_parts);
    }
    return text;
}

// The tables from `k` on as the method makes them of table k.
void carry_forward(const SimplexIteration& p, std::vector<ExactTable>& tables, std::size_t k) {
    tables.resize(k + 1);
    while (auto next = next_table(p, tables.back(), PivotRule::dantzig)) tables.push_back(std::move(*next));
}

struct Case {
    const char* name;
    std::function<void(const SimplexIteration&, std::vector<ExactTable>&)> change;
    int decimals;
    CheckVerdict verdict;
    std::size_t errors;
    std::size_t table;  // of the first error
    const char* row;
    const char* column;
};

TEST(TableCheck, MarksEachSlipOnceAndTheTablesThatFollowFromIt) {
    const SimplexIteration p = diet();
    const RunTables run = exact_run_tables(p, PivotRule::dantzig);
    ASSERT_EQ(run.tables.size(), 4u);  // three pivots
    const Case cases[] = {
        {"a correct solution", [](auto&, auto&) {}, -1, CheckVerdict::correct, 0, 0, "", ""},
        {"decimals at their printed precision", [](auto&, auto&) {}, 2, CheckVerdict::correct, 0, 0, "", ""},
        {"a slip in the second table, not carried", [](auto&, std::vector<ExactTable>& t) { t[1].elements[7] += 1; },
         -1, CheckVerdict::wrong, 1, 1, "r2", "X баз"},
        {"a slip in the second table, carried forward",
         [](const SimplexIteration& q, std::vector<ExactTable>& t) {
             t[1].elements[7] += 1;
             carry_forward(q, t, 1);
         },
         -1, CheckVerdict::wrong, 1, 1, "r2", "X баз"},
        {"a slip in an estimate", [](auto&, std::vector<ExactTable>& t) { t[2].plain_parts[3] += 2; }, -1,
         CheckVerdict::wrong, 1, 2, "о ц е н о к", "s1"},
        {"a wrong pivot choice: x1 enters instead of x2",
         [](const SimplexIteration& q, std::vector<ExactTable>& t) {
             t[1] = *pivoted(q, t[0], 1, 1);
             carry_forward(q, t, 1);
         },
         -1, CheckVerdict::wrong, 1, 1, "x2", "Имя"},
        {"the last table left out", [](auto&, std::vector<ExactTable>& t) { t.pop_back(); }, -1,
         CheckVerdict::unfinished, 1, 3, "", ""},
    };
    for (const Case& c : cases) {
        std::vector<ExactTable> tables = run.tables;
        c.change(p, tables);
        const CheckResult result =
            check_tables(p, PivotRule::dantzig, run, read_written_tables(plain_form(p, tables, c.decimals)));
        EXPECT_EQ(result.verdict(), c.verdict) << c.name;
        ASSERT_EQ(result.errors.size(), c.errors)
            << c.name << ": " << (result.errors.empty() ? "" : check_error_text(result.errors[0]));
        EXPECT_EQ(result.tables_checked, tables.size()) << c.name;
        if (c.errors == 0) continue;
        const CheckError& first = result.errors.front();
        EXPECT_EQ(first.table, c.table) << c.name;
        EXPECT_EQ(first.row.value_or(""), c.row) << c.name;
        EXPECT_EQ(first.column.value_or(""), c.column) << c.name;
    }
}

TEST(TableCheck, ADecimalOffByMoreThanItsRoundingIsWrong) {
    const SimplexIteration p = diet();
    const RunTables run = exact_run_tables(p, PivotRule::dantzig);
    std::string text = plain_form(p, run.tables, 2);
    // One cell of the last table one unit of its last digit away from what it rounds to.
    const std::size_t last = text.rfind("Таблица");
    const std::size_t cell = text.find(',', last);
    text[cell + 2] = text[cell + 2] == '9' ? '8' : static_cast<char>(text[cell + 2] + 1);
    const CheckResult result = check_tables(p, PivotRule::dantzig, run, read_written_tables(text));
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.errors[0].table, 3u);
    EXPECT_EQ(result.verdict(), CheckVerdict::wrong);
}

}  // namespace
