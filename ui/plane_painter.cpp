#include "ui/plane_painter.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace {

QColor colour_of(PlaneColour colour, double opacity = 1) {
    return QColor(colour.red, colour.green, colour.blue, static_cast<int>(opacity * 255));
}

QPointF point_of(PlanePoint p) { return {p.x, p.y}; }

QPen pen_of(const PlaneStyle& style) {
    if (!style.stroke || style.no_stroke) return Qt::NoPen;
    QPen pen(colour_of(*style.stroke), style.stroke_width != 0 ? style.stroke_width : 1);
    if (style.dashed) pen.setDashPattern({7 / pen.widthF(), 5 / pen.widthF()});
    return pen;
}

QBrush brush_of(const PlaneStyle& style) {
    if (!style.fill) return Qt::NoBrush;
    return colour_of(*style.fill, style.fill_opacity);
}

// The head as the SVG's marker draws it: a triangle of `size` line widths, its tip back from the line's end.
void draw_head(QPainter& painter, QLineF line, const PlaneStyle& style) {
    if (line.length() < 1) return;
    const double width = style.stroke_width != 0 ? style.stroke_width : 1;
    const double size = style.head->size * width;
    const QPointF along = (line.p2() - line.p1()) / line.length();
    const QPointF tip = line.p2() - along * (style.head->ref_x - 10) / 10 * size;
    const QPointF back = tip - along * size;
    const QPointF side(-along.y() * size / 2, along.x() * size / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour_of(*style.stroke));
    painter.drawPolygon(QPolygonF{tip, back + side, back - side});
}

}  // namespace

double PainterCanvas::scale_of(const QPainter& painter) { return QFontInfo(painter.font()).pixelSize() / 13.0; }

void PainterCanvas::line(PlanePoint from, PlanePoint to, PlaneMark mark) {
    const PlaneStyle& style = plane_style(mark);
    const QLineF segment(point_of(from), point_of(to));
    painter_.setPen(pen_of(style));
    painter_.drawLine(segment);
    if (style.head) draw_head(painter_, segment, style);
}

void PainterCanvas::polygon(const std::vector<PlanePoint>& points, PlaneMark mark) {
    const PlaneStyle& style = plane_style(mark);
    QPolygonF shape;
    for (const PlanePoint& p : points) shape << point_of(p);
    painter_.setPen(pen_of(style));
    painter_.setBrush(brush_of(style));
    painter_.drawPolygon(shape);
}

void PainterCanvas::circle(PlanePoint centre, double radius, PlaneMark mark) {
    const PlaneStyle& style = plane_style(mark);
    painter_.setPen(pen_of(style));
    painter_.setBrush(brush_of(style));
    painter_.drawEllipse(point_of(centre), radius, radius);
}

void PainterCanvas::text(PlanePoint at, const std::string& body, PlaneMark mark, PlaneAnchor anchor, bool halo) {
    const PlaneStyle& style = plane_style(mark);
    painter_.save();
    QFont font = painter_.font();
    font.setBold(style.bold);
    font.setItalic(style.italic);
    const QString text = QString::fromStdString(body);
    const double advance = QFontMetricsF(font).horizontalAdvance(text);
    const double left = at.x - (anchor == PlaneAnchor::middle ? advance / 2 : anchor == PlaneAnchor::end ? advance : 0);
    QPainterPath path;
    path.addText(left, at.y, font, text);
    if (halo) {
        const PlaneStyle& edge = plane_style(PlaneMark::halo);
        painter_.setPen(QPen(colour_of(*edge.stroke), edge.stroke_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPath(path);
    }
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(colour_of(style.fill.value_or(PlaneColour{})));
    painter_.drawPath(path);
    painter_.restore();
}

void PainterCanvas::begin_clip(const PlaneFrame& frame) {
    painter_.save();
    painter_.setClipRect(QRectF(frame.left, frame.top, frame.side, frame.side));
}

void PainterCanvas::end_clip() { painter_.restore(); }

void PainterCanvas::frame(const PlaneFrame& frame) {
    painter_.setPen(pen_of(plane_style(PlaneMark::frame)));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(frame.left, frame.top, frame.side, frame.side));
}
