#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include "solver/report/table_cells.h"
#include "solver/report/table_snapshot.h"

// The cells of one simplex table for a view: texts, shading of the key column
// and row, the key element bold on a stronger shade (its frame is the view's).
class TableGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Data role: true for the key element.
    static constexpr int KeyRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void set_cells(TableCells cells);
    const TableCells& cells() const { return cells_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    TableCells cells_;
};

// A table drawn as a grid like the report's: the cost row, the headings, the
// rows with the basis, the two rows of estimates.
class TableGrid : public QTableView {
    Q_OBJECT

public:
    explicit TableGrid(QWidget* parent = nullptr);

    void show_table(const TableSnapshot& table);
    const TableGridModel& grid() const { return model_; }

private:
    void fit_sizes();

    TableGridModel model_;
};
