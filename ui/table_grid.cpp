#include "ui/table_grid.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace {

// The cell of a column that needs the most room, by the widths of its characters in the plain font:
// the only one of its numbers the view measures (a table holds up to 150,000 of them).
class WidestNumber {
public:
    explicit WidestNumber(const QFontMetrics& metrics) : metrics_(metrics) {}

    int width(const std::string& utf8) {
        int total = 0;
        for (const char c : utf8) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80) return metrics_.horizontalAdvance(QString::fromStdString(utf8));  // not ASCII
            if (advances_[byte] < 0) advances_[byte] = metrics_.horizontalAdvance(QLatin1Char(c));
            total += advances_[byte];
        }
        return total;
    }

private:
    QFontMetrics metrics_;
    std::array<int, 128> advances_ = [] {
        std::array<int, 128> unknown{};
        unknown.fill(-1);
        return unknown;
    }();
};

const QColor kKeyShade(0xfd, 0xe7, 0xb0);
const QColor kKeyElement(0xf4, 0xb9, 0x42);
const QColor kLabelShade(0xf0, 0xf0, 0xf0);
const QColor kWrongShade(0xf4, 0xa0, 0xa0);

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
    marks_.clear();
    endResetModel();
}

void TableGridModel::set_marks(Marks marks) {
    beginResetModel();
    marks_ = std::move(marks);
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
            if (marked(index.row(), index.column())) return kWrongShade;
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
        case Qt::ToolTipRole:
            if (const auto mark = marks_.find({index.row(), index.column()}); mark != marks_.end()) return mark->second;
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
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

// Columns fit their cells; a spanning label wider than its columns widens the last of them. Rows are one
// line each, as high as a bold label. Only the labels and each column's widest number are measured.
void TableGrid::fit_sizes() {
    const TableCells& cells = model_.cells();
    if (cells.rows.empty()) return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const auto need = [&](std::size_t r, std::uint32_t k) {
        return itemDelegate()->sizeHint(option, model_.index(static_cast<int>(r), static_cast<int>(k)));
    };
    WidestNumber widest(fontMetrics());
    std::vector<int> widths(cells.columns, 0);
    int height = 0;
    for (std::uint32_t k = 0; k < cells.columns; ++k) {
        std::size_t widest_row = cells.rows.size();
        int widest_width = -1;
        for (std::size_t r = 0; r < cells.rows.size(); ++r) {
            const TableCell& cell = cells.rows[r][k];
            if (cell.span != 1) continue;
            if (cell.label() || cell.key || cell.kind != CellKind::number) {
                const QSize size = need(r, k);
                widths[k] = std::max(widths[k], size.width());
                height = std::max(height, size.height());
            } else if (const int width = widest.width(cell.text); width > widest_width) {
                widest_width = width;
                widest_row = r;
            }
        }
        if (widest_row != cells.rows.size()) {
            const QSize size = need(widest_row, k);
            widths[k] = std::max(widths[k], size.width());
            height = std::max(height, size.height());
        }
    }
    for (std::size_t r = 0; r < cells.rows.size(); ++r) {
        for (std::uint32_t k = 0; k < cells.columns; k += cells.rows[r][k].span) {
            const std::uint32_t span = cells.rows[r][k].span;
            if (span == 1) continue;
            // The cell's text margins and grid line on top of the text.
            const int wanted = need(r, k).width() + 10;
            int width = 0;
            for (std::uint32_t s = 0; s < span; ++s) width += widths[k + s];
            if (wanted > width) widths[k + span - 1] += wanted - width;
        }
    }
    const int grid_line = showGrid() ? 1 : 0;
    for (std::uint32_t k = 0; k < cells.columns; ++k) setColumnWidth(static_cast<int>(k), widths[k] + grid_line);
    verticalHeader()->setDefaultSectionSize(height + grid_line);
}

void TableGrid::show_cells(TableCells cells, TableGridModel::Marks marks) {
    clearSpans();
    model_.set_cells(std::move(cells));
    model_.set_marks(std::move(marks));
    const TableCells& shown = model_.cells();
    for (std::size_t r = 0; r < shown.rows.size(); ++r) {
        for (std::uint32_t k = 0; k < shown.columns; ++k) {
            const std::uint32_t span = shown.rows[r][k].span;
            if (span > 1) setSpan(static_cast<int>(r), static_cast<int>(k), 1, static_cast<int>(span));
        }
    }
    fit_sizes();
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
    fit_sizes();
    // A large table shows its key element: the next step happens there.
    if (table.key_column != 0 && table.key_row != 0) {
        const auto row = static_cast<int>(cells.first_constraint_row + table.key_row - 1);
        for (std::uint32_t k = 0; k < cells.columns; ++k) {
            if (cells.rows[static_cast<std::size_t>(row)][k].key) scrollTo(model_.index(row, static_cast<int>(k)));
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
    fit_sizes();
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
