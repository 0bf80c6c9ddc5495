#include "ui/plane_view.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "solver/analysis/plane_svg.h"

namespace {

const QColor kRegion(0xbc, 0xd7, 0xf5, 140);
const QColor kBorder(0x1f, 0x5f, 0xbf);
const QColor kConstraint(0x66, 0x66, 0x66);
const QColor kObjective(0xc0, 0x39, 0x2b);
const QColor kInside(0x2e, 0x8b, 0x57);
const QColor kOutside(0xe6, 0x7e, 0x22);

// World coordinates to the square plot area.
class Mapping {
public:
    Mapping(const PlaneRect& view, QRectF plot) : v_(view), plot_(plot) {}
    double x(double world) const { return plot_.left() + (world - v_.x_min) / (v_.x_max - v_.x_min) * plot_.width(); }
    double y(double world) const {
        return plot_.bottom() - (world - v_.y_min) / (v_.y_max - v_.y_min) * plot_.height();
    }
    QPointF operator()(PlanePoint p) const { return {x(p.x), y(p.y)}; }
    QLineF operator()(const PlaneSegment& s) const { return {(*this)(s.from), (*this)(s.to)}; }

private:
    PlaneRect v_;
    QRectF plot_;
};

void arrow(QPainter& painter, QLineF line, const QColor& color, double head) {
    painter.setPen(QPen(color, 2));
    painter.drawLine(line);
    if (line.length() < 1) return;
    const QPointF tip = line.p2();
    const QPointF back = (line.p1() - tip) / line.length() * head;
    const QPointF side(-back.y() / 2, back.x() / 2);
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygonF{tip, tip + back + side, tip + back - side});
}

// Text with a white halo so that lines under it do not hide it.
void halo_text(QPainter& painter, QPointF at, const QString& text, const QColor& color, Qt::Alignment align) {
    const QFontMetricsF metrics(painter.font());
    QRectF box(QPointF(0, 0), metrics.size(0, text));
    if (align & Qt::AlignHCenter)
        box.moveCenter(at);
    else
        box.moveBottomLeft(at);
    QPainterPath path;
    path.addText(box.left(), box.top() + metrics.ascent(), painter.font(), text);
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(path);
}

}  // namespace

PlaneView::PlaneView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PlaneView"));
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Qt::white);
    setPalette(colors);
}

void PlaneView::set_picture(PlanePicture picture) {
    picture_ = std::move(picture);
    update();
}

void PlaneView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    draw(painter, rect());
}

bool PlaneView::save_png(const QString& path, QSize size) const {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        draw(painter, QRectF(QPointF(0, 0), size));
    }
    return image.save(path, "PNG");
}

bool PlaneView::save_svg(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const std::string svg = plane_svg(picture_);
    return file.write(svg.data(), static_cast<qint64>(svg.size())) == static_cast<qint64>(svg.size());
}

void PlaneView::draw(QPainter& painter, QRectF area) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const QFontMetricsF metrics(painter.font());
    const double margin = metrics.height();
    const double left = metrics.horizontalAdvance(QStringLiteral("-00000")) + margin / 2;
    const double side = std::max(10.0, std::min(area.width() - left - margin, area.height() - 3 * margin));
    // The square plot in the middle of the width that is left.
    const double spare = std::max(0.0, area.width() - left - margin - side);
    const QRectF plot(area.left() + left + spare / 2, area.top() + margin, side, side);
    const PlaneRect& v = picture_.view;
    const Mapping map(v, plot);

    // Grid and ticks in whole multiples of the step.
    const PlaneTicks ticks = plane_ticks(v);
    for (const double t : ticks.x) {
        painter.setPen(QPen(QColor(0xe4, 0xe4, 0xe4), 1));
        painter.drawLine(map({{t, v.y_min}, {t, v.y_max}}));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(map.x(t) - 40, plot.bottom() + 2, 80, margin), Qt::AlignHCenter | Qt::AlignTop,
                         QString::number(t, 'g', 6));
    }
    for (const double t : ticks.y) {
        painter.setPen(QPen(QColor(0xe4, 0xe4, 0xe4), 1));
        painter.drawLine(map({{v.x_min, t}, {v.x_max, t}}));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() - left, map.y(t) - margin / 2, left - 4, margin),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(t, 'g', 6));
    }
    painter.setPen(QPen(Qt::black, 1.3));
    if (v.y_min <= 0 && v.y_max >= 0) painter.drawLine(map({{v.x_min, 0}, {v.x_max, 0}}));
    if (v.x_min <= 0 && v.x_max >= 0) painter.drawLine(map({{0, v.y_min}, {0, v.y_max}}));
    QFont italic = painter.font();
    italic.setItalic(true);
    painter.save();
    painter.setFont(italic);
    painter.drawText(QRectF(plot.left(), plot.bottom() + margin, plot.width(), margin), Qt::AlignRight | Qt::AlignTop,
                     QString::fromStdString(picture_.x_name));
    painter.drawText(QRectF(plot.left() - left, area.top(), left - 4, margin), Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(picture_.y_name));
    painter.restore();

    painter.save();
    painter.setClipRect(plot);
    if (picture_.region.size() >= 3) {
        QPolygonF region;
        for (const PlanePoint& p : picture_.region) region << map(p);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kRegion);
        painter.drawPolygon(region);
    }
    painter.setPen(QPen(kConstraint, 1));
    for (const PlaneLine& line : picture_.lines) painter.drawLine(map(line.segment));
    painter.setPen(QPen(kBorder, 2.2));
    for (const PlaneSegment& border : picture_.borders) painter.drawLine(map(border));
    if (picture_.level_line) {
        painter.setPen(QPen(kObjective, 1.6, Qt::DashLine));
        painter.drawLine(map(*picture_.level_line));
    }
    const QLineF objective(map(picture_.objective_from), map(picture_.objective_to));
    if (objective.length() > 0) arrow(painter, objective, kObjective, 10);

    // The run: steps joined in order, points numbered by iteration (those at one point share a label).
    for (std::size_t i = 1; i < picture_.run.size(); ++i) {
        const QLineF step(map(picture_.run[i - 1].at), map(picture_.run[i].at));
        if (step.length() > 0) arrow(painter, step, QColor(0x22, 0x22, 0x22), 7);
    }
    std::map<std::pair<long long, long long>, std::pair<QString, bool>> labels;
    std::vector<std::pair<long long, long long>> order;
    for (std::size_t i = 0; i < picture_.run.size(); ++i) {
        const QPointF at = map(picture_.run[i].at);
        const std::pair key{std::llround(at.x()), std::llround(at.y())};
        auto [entry, added] = labels.try_emplace(key, QString::number(i), picture_.run[i].feasible);
        if (added) {
            order.push_back(key);
        } else {
            entry->second.first += ',' + QString::number(i);
        }
    }
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    for (const auto& key : order) {
        const auto& [label, feasible] = labels[key];
        const QPointF at(static_cast<double>(key.first), static_cast<double>(key.second));
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(feasible ? kInside : kOutside);
        painter.drawEllipse(at, 4.5, 4.5);
        const QPointF text_at(std::clamp(at.x() + 7, plot.left() + 2, plot.right() - 30),
                              std::clamp(at.y() - 5, plot.top() + margin, plot.bottom() - 2));
        halo_text(painter, text_at, label, Qt::black, Qt::AlignLeft);
    }
    painter.restore();

    // Each constraint's label a little to the side of its line.
    for (const PlaneLine& line : picture_.lines) {
        const QLineF segment = map(line.segment);
        const double length = std::max(segment.length(), 1e-9);
        const double dx = segment.dx() / length;
        const double dy = segment.dy() / length;
        const QPointF at = map(line.label_at) + QPointF(-10 * dy, 10 * dx);
        const QPointF inside(std::clamp(at.x(), plot.left() + 40, plot.right() - 40),
                             std::clamp(at.y(), plot.top() + margin, plot.bottom() - margin));
        halo_text(painter, inside, QString::fromStdString(line.label), QColor(0x33, 0x33, 0x33), Qt::AlignHCenter);
    }
    painter.setPen(QColor(0x99, 0x99, 0x99));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}
