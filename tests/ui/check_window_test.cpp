// The window of a checked student's file: the wrong cells marked, with the right value to hover.
#include <gtest/gtest.h>

#include <string>

#include "solver/check/run_tables.h"
#include "solver/check/table_check.h"
#include "solver/check/written_tables.h"
#include "ui/check_window.h"

namespace {

TEST(CheckWindow, MarksTheWrongCellOfATableAndNoOther) {
    const SimplexIteration problem(std::string(QTB_SOURCE_DIR) + "/examples/check/variant-01.qtb");
    WrittenTables written =
        read_written_tables_file(std::string(QTB_SOURCE_DIR) + "/examples/check/students/ivanov.txt");
    const RunTables run = exact_run_tables(problem, PivotRule::dantzig);
    CheckResult result = check_tables(problem, PivotRule::dantzig, run, written);
    ASSERT_EQ(result.errors.size(), 1u);  // table 2, r2's X баз: 6 for 5
    CheckWindow window(problem, std::move(written), std::move(result), QStringLiteral("ivanov.txt"));
    ASSERT_EQ(window.tables()->count(), 4);
    const struct {
        int table;
        int marks;
    } cases[] = {{0, 0}, {2, 1}, {3, 0}};
    for (const auto& c : cases) {
        window.tables()->setCurrentRow(c.table);
        const TableGridModel& grid = window.written_grid()->grid();
        int marks = 0;
        for (int r = 0; r < grid.rowCount(); ++r) {
            for (int k = 0; k < grid.columnCount(); ++k) marks += grid.marked(r, k) ? 1 : 0;
        }
        EXPECT_EQ(marks, c.marks) << "table " << c.table;
    }
    // Row r2 is the second constraint row; X баз the third column.
    window.tables()->setCurrentRow(2);
    const TableGridModel& grid = window.written_grid()->grid();
    const int row = static_cast<int>(grid.cells().first_constraint_row) + 1;
    ASSERT_TRUE(grid.marked(row, 2));
    EXPECT_EQ(grid.data(grid.index(row, 2), Qt::DisplayRole).toString(), QStringLiteral("6"));
    EXPECT_EQ(grid.data(grid.index(row, 2), Qt::ToolTipRole).toString(), QStringLiteral("Должно быть: 5"));
    EXPECT_EQ(window.right_grid()->grid().data(grid.index(row, 2), Qt::DisplayRole).toString(), QStringLiteral("5"));
}

}  // namespace
