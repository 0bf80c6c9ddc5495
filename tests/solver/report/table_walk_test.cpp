// The one cell model of a table the documents, the window and the clipboard draw
// from, the escapers of the languages they write, and the columns' names.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "problem/cp1251.h"
#include "problem/record_columns.h"
#include "solver/report/markup_escapes.h"
#include "solver/report/table_cells.h"
#include "support/problem_builder.h"

namespace {

struct EscapeCase {
    std::string (*escape)(std::string_view);
    std::string_view in, out;
};

TEST(MarkupEscapes, EachLanguageSpellsItsSpecialCharacters) {
    const EscapeCase cases[] = {
        {latex_text, R"(a\b{c}&%$#_~^<>|"-)",
         R"(a\textbackslash{}b\{c\}\&\%\$\#\_\textasciitilde{}\textasciicircum{}\textless{}\textgreater{}\textbar{}\symbol{34}-{})"},
        {latex_text, "x ≤ −1, [-∞; +∞), ↓→",
         R"(x \ensuremath{\leq} \ensuremath{-}1, [\ensuremath{-\infty}; \ensuremath{+\infty}), \ensuremath{\downarrow}\ensuremath{\rightarrow})"},
        {latex_text, "Имя\t漢\x01\xff", "Имя ???"},
        {html_text, R"(<a href="x">'&')", "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;"},
        {html_text, "Имя\x01\xc2\x85.", "Имя??."},
        {xml_text, R"(<'&">)", "&lt;&apos;&amp;&quot;&gt;"},
        {xml_text, "x\x01", "x\x01"},
        {json_string, "a\"b\\c\n\x01", R"("a\"b\\c\u000a\u0001")"},
        {json_string, "Имя", "\"Имя\""},
        {json_string, "\xc8\xec\xff", "\"Имя\""},  // not UTF-8: read as Windows-1251
    };
    for (const EscapeCase& c : cases) EXPECT_EQ(c.escape(c.in), c.out) << c.in;
}

// 1 row, 2 variables; a table whose next pivot is row 1, column `key_column` (0: none).
TableSnapshot small_table(std::uint32_t key_column, TableClose close) {
    TableSnapshot t;
    t.m = 1;
    t.n = 2;
    t.precision = 1;
    t.names = {"", "x1", "x2"};
    t.basis = {0, 2};
    t.costs.values = {0.0, 3.0, 1.0};
    t.elements.values = {4.0, 2.0, 1.0};
    t.m_parts.values = {0.0, 0.0, 0.0};
    t.plain_parts.values = {4.0, -1.0, 0.0};
    t.key_column = key_column;
    t.key_row = close == TableClose::next_pivot ? 1 : 0;
    t.close = close;
    return t;
}

TEST(TableCells, MarkTheKeyColumnRowAndElementOnlyBeforeAPivot) {
    const struct {
        std::uint32_t key_column;
        TableClose close;
        int keys, in_key_column, in_key_row;
    } cases[] = {
        // The key column: its cost, heading, element and two estimates; the key row: its cost, name, value, elements.
        {1, TableClose::next_pivot, 1, 5, 5},
        {1, TableClose::unbounded, 0, 0, 0},
        {0, TableClose::optimum, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const TableCells cells = table_cells(small_table(c.key_column, c.close));
        ASSERT_EQ(cells.columns, 5U);
        ASSERT_EQ(cells.rows.size(), cells.plain_parts_row() + 1);
        int keys = 0;
        int in_key_column = 0;
        int in_key_row = 0;
        for (const auto& row : cells.rows) {
            ASSERT_EQ(row.size(), cells.columns);
            for (const TableCell& cell : row) {
                keys += cell.key ? 1 : 0;
                in_key_column += cell.key_column ? 1 : 0;
                in_key_row += cell.key_row ? 1 : 0;
            }
        }
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(in_key_column, c.in_key_column);
        EXPECT_EQ(in_key_row, c.in_key_row);
    }
    const TableCells cells = table_cells(small_table(1, TableClose::next_pivot));
    EXPECT_TRUE(cells.rows[cells.first_constraint_row][3].key);
    EXPECT_EQ(key_mark(cells.rows[1][3]), "↓ ");
    EXPECT_EQ(key_mark(cells.rows[cells.first_constraint_row][1]), "→ ");
    EXPECT_EQ(key_mark(cells.rows[cells.first_constraint_row][3]), "");  // a number carries no arrow
    EXPECT_EQ(cells.rows[cells.m_parts_row()][3].text, "");              // a zero M part is blank
}

TEST(TableCells, APartOfTheColumnsKeepsTheBasisColumnsAndEachSpanOnce) {
    const TableCells cells = table_cells(small_table(1, TableClose::next_pivot));
    EXPECT_EQ(grid_columns(2, 2), (std::vector<std::uint32_t>{0, 1, 2, 4}));
    const struct {
        std::size_t row;
        std::vector<std::string_view> texts;
    } cases[] = {
        {0, {"c_j", "1.0"}},
        {1, {"C баз", "Имя", "X баз", "x2"}},
        {cells.first_constraint_row, {"1.0", "x2", "4.0", "1.0"}},
        {cells.m_parts_row(), {"оценки: при M", "", ""}},
        {cells.plain_parts_row(), {"оценки: числа", "4.0", "0.0"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string_view> texts;
        for (const TableCell* cell : cells_in(cells.rows[c.row], grid_columns(2, 2))) texts.emplace_back(cell->text);
        EXPECT_EQ(texts, c.texts) << c.row;
    }
    EXPECT_EQ(cells.rows[0][0].symbol, "c_j");
    EXPECT_EQ(cells.rows[cells.m_parts_row()][0].symbol, "M");
}

TEST(RecordColumns, OwnCountAndNamesStayWithinTheRecord) {
    SimplexIteration p = test_support::make_problem(1, {1, 2, 3}, {{1, 1, 0, 1}});
    const struct {
        std::int32_t base_vars;
        std::uint32_t own;
    } counts[] = {{0, 0}, {-4, 0}, {2, 2}, {3, 3}, {9, 3}};
    for (const auto& c : counts) {
        p.base_vars = c.base_vars;
        EXPECT_EQ(own_variable_count(p), c.own) << c.base_vars;
    }
    EXPECT_EQ(utf8_variable_names(p), (std::vector<std::string>{"", "x1", "x2", "x3"}));
    p.var_names = std::vector<std::string>{"", *cp1251::from_utf8("доход"), "b"};  // shorter than the columns
    EXPECT_EQ(utf8_variable_names(p), (std::vector<std::string>{"", "доход", "b", "x3"}));
}

}  // namespace
