#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

#include "problem/simplex_iteration.h"
#include "solver/check/table_check.h"
#include "solver/check/written_tables.h"
#include "ui/table_grid.h"

// A student's tables beside the right ones: the list of tables with their faults, the table as the
// student wrote it with the wrong cells marked (the right value in each one's tooltip), and the right
// table it was compared with.
class CheckWindow : public QWidget {
    Q_OBJECT

public:
    CheckWindow(SimplexIteration problem, WrittenTables written, CheckResult result, const QString& file,
                QWidget* parent = nullptr);

    QListWidget* tables() const { return tables_; }
    TableGrid* written_grid() const { return written_grid_; }
    TableGrid* right_grid() const { return right_grid_; }

private:
    void show_table(int k);

    SimplexIteration problem_;
    WrittenTables written_;
    CheckResult result_;
    QLabel* verdict_;
    QListWidget* tables_;
    TableGrid* written_grid_;
    TableGrid* right_grid_;
    QPlainTextEdit* faults_;
};

// The grid cells of a table as the student wrote it, laid over those of its right table (`cells`): the
// names of the basis, the numbers, the estimates; what the student left out stays empty.
TableCells written_cells(TableCells cells, const WrittenTable& written);
// The grid cells of the table's faults, each with the right value.
TableGridModel::Marks fault_marks(const TableCells& cells, const CheckResult& result, std::size_t table);
