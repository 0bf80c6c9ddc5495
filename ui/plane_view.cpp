#include "ui/plane_view.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <utility>

#include "solver/analysis/plane_layout.h"
#include "solver/analysis/plane_svg.h"
#include "ui/plane_painter.h"

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
    PlaneFrame frame = plane_frame(area.width(), area.height(), PainterCanvas::scale_of(painter));
    frame.left += area.left();
    frame.top += area.top();
    PainterCanvas canvas(painter);
    lay_out_plane(picture_, frame, canvas);
}
