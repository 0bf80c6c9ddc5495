#include "ui/transport_grid.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

using transport::GridCell;

QString text_of(const std::string& utf8) { return QString::fromStdString(utf8); }

// The amount without its brackets and the estimate as the report writes it, in parentheses.
QString amount_text(const GridCell& cell) {
    const QString bottom = text_of(cell.bottom);
    return cell.basic && bottom.size() >= 2 ? bottom.mid(1, bottom.size() - 2) : bottom;
}

QFont scaled(QFont font, int zoom, double factor) {
    font.setPointSizeF(std::max(4.0, font.pointSizeF() * zoom / 100.0 * factor));
    return font;
}

const QColor kCycleColor(200, 30, 30);

}  // namespace

TransportGrid::TransportGrid(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    fit_size();
}

void TransportGrid::show_plan(const TransportPlanPage& page) {
    page_ = page;
    fit_size();
    update();
}

void TransportGrid::set_zoom(int percent) {
    zoom_ = percent;
    fit_size();
    update();
}

// Rows of one height; each column as wide as its longest text, the routes' no narrower than four digits.
void TransportGrid::fit_size() {
    const QFontMetrics large(scaled(font(), zoom_, 1.15));
    const QFontMetrics small(scaled(font(), zoom_, 0.85));
    const QFontMetrics bold([&] {
        QFont heading = scaled(font(), zoom_, 1.15);
        heading.setBold(true);
        return heading;
    }());
    const int padding = large.height();
    column_left_.assign(1, 0);
    const std::size_t columns = page_.grid.rows.empty() ? 0 : page_.grid.rows.front().size();
    for (std::size_t c = 0; c < columns; ++c) {
        int widest = c == 0 ? 0 : large.horizontalAdvance(QStringLiteral("00000"));
        for (const auto& row : page_.grid.rows) {
            if (c >= row.size()) continue;
            const GridCell& cell = row[c];
            const int top = cell.kind == GridCell::Kind::route     ? small.horizontalAdvance(text_of(cell.top)) * 2
                            : cell.kind == GridCell::Kind::heading ? bold.horizontalAdvance(text_of(cell.top))
                                                                   : large.horizontalAdvance(text_of(cell.top));
            widest = std::max({widest, top, large.horizontalAdvance(amount_text(cell))});
        }
        column_left_.push_back(column_left_.back() + widest + padding);
    }
    cell_height_ = small.height() + large.height() + small.height() / 2 + 6;
    updateGeometry();
    resize(sizeHint());
}

QSize TransportGrid::sizeHint() const {
    return {column_left_.back() + 2, static_cast<int>(page_.grid.rows.size()) * cell_height_ + 2};
}

QRect TransportGrid::cell_rect(int row, int column) const {
    if (column < 0 || static_cast<std::size_t>(column) + 1 >= column_left_.size()) return {};
    const auto c = static_cast<std::size_t>(column);
    return {column_left_[c], row * cell_height_, column_left_[c + 1] - column_left_[c], cell_height_};
}

std::vector<QPoint> TransportGrid::cycle_path() const {
    std::vector<QPoint> path;
    for (const transport::CycleCell& corner : page_.cycle)
        path.push_back(
            cell_rect(static_cast<int>(corner.cell.row) + 1, static_cast<int>(corner.cell.column) + 1).center());
    return path;
}

// The cells' shades first, then the cycle's line, then the texts over it, each on its cell's shade,
// and the signs last: the line crosses the cells without hiding a number.
void TransportGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(event->rect());
    const auto each_cell = [this](auto&& draw) {
        for (std::size_t r = 0; r < page_.grid.rows.size(); ++r) {
            const auto& row = page_.grid.rows[r];
            for (std::size_t c = 0; c < row.size(); ++c)
                draw(row[c], cell_rect(static_cast<int>(r), static_cast<int>(c)));
        }
    };
    each_cell([&](const GridCell& cell, const QRect& box) { draw_shade(painter, cell, box); });
    draw_cycle_line(painter);
    each_cell([&](const GridCell& cell, const QRect& box) { draw_texts(painter, cell, box); });
    draw_cycle_signs(painter);
}

QColor TransportGrid::shade_of(const GridCell& cell) const {
    if (cell.entering) return {255, 240, 170};
    if (cell.forbidden) return {225, 225, 225};
    return palette().color(cell.kind == GridCell::Kind::heading ? QPalette::AlternateBase : QPalette::Base);
}

void TransportGrid::draw_shade(QPainter& painter, const GridCell& cell, const QRect& box) const {
    painter.fillRect(box, shade_of(cell));
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

void TransportGrid::draw_texts(QPainter& painter, const GridCell& cell, const QRect& box) const {
    const QPalette& colors = palette();
    const QRect inner = box.adjusted(4, 2, -4, -2);
    const QFont large = scaled(font(), zoom_, 1.15);
    const QFont small = scaled(font(), zoom_, 0.85);
    // A text on its cell's shade, where the cycle's line passes under it.
    const auto text_on_shade = [&](const QRect& area, int flags, const QString& text) {
        const QRect used = painter.boundingRect(area, flags, text).adjusted(-2, 0, 2, 0);
        painter.fillRect(used, shade_of(cell));
        painter.drawText(area, flags, text);
    };
    painter.setPen(colors.color(QPalette::Text));
    if (cell.kind != GridCell::Kind::route) {
        QFont bold = large;
        bold.setBold(cell.kind == GridCell::Kind::heading);
        painter.setFont(bold);
        painter.drawText(inner, Qt::AlignCenter, text_of(cell.top));
        return;
    }
    // The cost in a small box in the upper right corner, as on the blackboard.
    painter.setFont(small);
    const QFontMetrics metrics(small);
    const QString cost = text_of(cell.top);
    const QRect cost_box(box.right() - metrics.horizontalAdvance(cost) - 8, box.top(),
                         metrics.horizontalAdvance(cost) + 8, metrics.height() + 2);
    painter.fillRect(cost_box, shade_of(cell));
    painter.drawRect(cost_box);
    painter.drawText(cost_box, Qt::AlignCenter, cost);
    const QRect below = inner.adjusted(0, metrics.height(), 0, 0);
    if (cell.basic) {
        QFont bold = large;
        bold.setBold(true);
        painter.setFont(bold);
        text_on_shade(below, Qt::AlignCenter, amount_text(cell));
    } else {
        painter.setPen(colors.color(QPalette::PlaceholderText));
        text_on_shade(below, Qt::AlignLeft | Qt::AlignBottom, amount_text(cell));
    }
}

void TransportGrid::draw_cycle_line(QPainter& painter) const {
    const std::vector<QPoint> path = cycle_path();
    if (path.size() < 2) return;
    QPainterPath line(path.front());
    for (std::size_t k = 1; k < path.size(); ++k) line.lineTo(path[k]);
    line.closeSubpath();
    painter.setPen(QPen(kCycleColor, std::max(2, zoom_ / 40), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);
}

// Each sign in a disc in the upper left corner of its cell.
void TransportGrid::draw_cycle_signs(QPainter& painter) const {
    QFont sign_font = scaled(font(), zoom_, 1.1);
    sign_font.setBold(true);
    painter.setFont(sign_font);
    const int radius = QFontMetrics(sign_font).height() / 2;
    for (const transport::CycleCell& corner : page_.cycle) {
        const QRect box = cell_rect(static_cast<int>(corner.cell.row) + 1, static_cast<int>(corner.cell.column) + 1);
        const QRect disc(box.left() + 3, box.top() + 3, 2 * radius, 2 * radius);
        painter.setPen(QPen(kCycleColor, 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(disc);
        painter.drawText(disc, Qt::AlignCenter, corner.plus ? QStringLiteral("+") : QStringLiteral("−"));
    }
}
