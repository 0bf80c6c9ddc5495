#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QTableView>

#include <QString>

#include <array>
#include <map>
#include <utility>

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
    // Cells marked wrong by (grid row, column), each with its tooltip; new cells clear them.
    using Marks = std::map<std::pair<int, int>, QString>;
    void set_marks(Marks marks);
    bool marked(int row, int column) const { return marks_.contains({row, column}); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    TableCells cells_;
    Marks marks_;
};

// The sizes the grid zooms through, in percent of its normal size, and the step beside `percent` in
// `direction` (+1 larger, -1 smaller); the ends stay, a size between steps goes to the next one.
inline constexpr std::array kGridZoomSteps{50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};
int next_grid_zoom(int percent, int direction);

// A table drawn as a grid like the report's: the cost row, the headings, the
// rows with the basis, the two rows of estimates. It zooms, for a projector: Ctrl and the wheel, or
// the window's commands.
class TableGrid : public QTableView {
    Q_OBJECT

public:
    explicit TableGrid(QWidget* parent = nullptr);

    void show_table(const TableSnapshot& table);
    // Cells of a table as they are given, some of them marked wrong.
    void show_cells(TableCells cells, TableGridModel::Marks marks = {});
    const TableGridModel& grid() const { return model_; }

    int zoom() const { return zoom_; }  // percent of the normal size
    // Within the first and the last step.
    void set_zoom(int percent);
    void zoom_in() { set_zoom(next_grid_zoom(zoom_, +1)); }
    void zoom_out() { set_zoom(next_grid_zoom(zoom_, -1)); }

signals:
    void zoomChanged(int percent);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    // Columns fit their cells, a spanning label its columns; rows are one line each.
    void fit_sizes();

    TableGridModel model_;
    QFont normal_font_;
    int zoom_ = 100;
    int wheel_turn_ = 0;  // of the wheel with Ctrl, towards the next step
};
