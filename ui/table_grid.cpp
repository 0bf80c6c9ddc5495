#include "ui/table_grid.h"

#include <QFont>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <algorithm>
#include <string>
#include <utility>

namespace {

const QColor kKeyShade(0xfd, 0xe7, 0xb0);
const QColor kKeyElement(0xf4, 0xb9, 0x42);
const QColor kLabelShade(0xf0, 0xf0, 0xf0);

// Draws a frame around the key element.
class KeyFrameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.data(TableGridModel::KeyRole).toBool()) return;
        painter->save();
        painter->setPen(QPen(QColor(0xb0, 0x00, 0x00), 2));
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
};

}  // namespace

void TableGridModel::set_cells(TableCells cells) {
    beginResetModel();
    cells_ = std::move(cells);
    endResetModel();
}

int TableGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.rows.size());
}

int TableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.columns);
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const TableCell& cell =
        cells_.rows.at(static_cast<std::size_t>(index.row())).at(static_cast<std::size_t>(index.column()));
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(std::string(key_mark(cell)) + cell.text);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter | (cell.label() ? Qt::AlignHCenter : Qt::AlignRight));
        case Qt::BackgroundRole:
            if (cell.key) return kKeyElement;
            if (cell.key_column || cell.key_row) return kKeyShade;
            if (cell.label()) return kLabelShade;
            return {};
        case Qt::FontRole:
            if (cell.key || (cell.label() && index.row() < static_cast<int>(cells_.first_constraint_row))) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case KeyRole:
            return cell.key;
        default:
            return {};
    }
}

int next_grid_zoom(int percent, int direction) {
    if (direction > 0) {
        const auto* larger = std::upper_bound(kGridZoomSteps.begin(), kGridZoomSteps.end(), percent);
        return larger == kGridZoomSteps.end() ? kGridZoomSteps.back() : *larger;
    }
    const auto* smaller = std::lower_bound(kGridZoomSteps.begin(), kGridZoomSteps.end(), percent);
    return smaller == kGridZoomSteps.begin() ? kGridZoomSteps.front() : *(smaller - 1);
}

TableGrid::TableGrid(QWidget* parent) : QTableView(parent), model_(this), normal_font_(font()) {
    setModel(&model_);
    setItemDelegate(new KeyFrameDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void TableGrid::show_table(const TableSnapshot& table) {
    clearSpans();
    model_.set_cells(table_cells(table));
    const TableCells& cells = model_.cells();
    for (std::size_t r = 0; r < cells.rows.size(); ++r) {
        for (std::uint32_t k = 0; k < cells.columns; ++k) {
            const std::uint32_t span = cells.rows[r][k].span;
            if (span > 1) setSpan(static_cast<int>(r), static_cast<int>(k), 1, static_cast<int>(span));
        }
    }
    fit_columns();
    // A large table shows its key element: the next step happens there.
    if (table.key_column != 0 && table.key_row != 0) {
        const auto row = static_cast<int>(cells.first_constraint_row + table.key_row - 1);
        for (std::uint32_t k = 0; k < cells.columns; ++k) {
            if (cells.rows[static_cast<std::size_t>(row)][k].key) scrollTo(model_.index(row, static_cast<int>(k)));
        }
    }
}

void TableGrid::fit_columns() {
    const TableCells& cells = model_.cells();
    // Columns fit their cells; a spanning label wider than its columns widens the last of them.
    resizeColumnsToContents();
    for (std::size_t r = 0; r < cells.rows.size(); ++r) {
        for (std::uint32_t k = 0; k < cells.columns; k += cells.rows[r][k].span) {
            const int span = static_cast<int>(cells.rows[r][k].span);
            if (span == 1) continue;
            const QModelIndex index = model_.index(static_cast<int>(r), static_cast<int>(k));
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            // The cell's text margins and grid line on top of the text.
            const int need = itemDelegate()->sizeHint(option, index).width() + 10;
            int width = 0;
            for (int s = 0; s < span; ++s) width += columnWidth(static_cast<int>(k) + s);
            const int last = static_cast<int>(k) + span - 1;
            if (need > width) setColumnWidth(last, columnWidth(last) + need - width);
        }
    }
}

void TableGrid::set_zoom(int percent) {
    percent = std::clamp(percent, kGridZoomSteps.front(), kGridZoomSteps.back());
    if (percent == zoom_) return;
    zoom_ = percent;
    QFont zoomed = normal_font_;
    if (normal_font_.pointSizeF() > 0) {
        zoomed.setPointSizeF(normal_font_.pointSizeF() * zoom_ / 100.0);
    } else {
        zoomed.setPixelSize(std::max(1, normal_font_.pixelSize() * zoom_ / 100));
    }
    setFont(zoomed);
    resizeRowsToContents();
    fit_columns();
    emit zoomChanged(zoom_);
}

void TableGrid::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QTableView::wheelEvent(event);
        return;
    }
    // One step a notch of a wheel; a touchpad's small turns add up to one.
    wheel_turn_ += event->angleDelta().y();
    for (; wheel_turn_ >= QWheelEvent::DefaultDeltasPerStep; wheel_turn_ -= QWheelEvent::DefaultDeltasPerStep)
        zoom_in();
    for (; wheel_turn_ <= -QWheelEvent::DefaultDeltasPerStep; wheel_turn_ += QWheelEvent::DefaultDeltasPerStep)
        zoom_out();
    event->accept();
}
