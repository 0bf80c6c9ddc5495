#include "ui/app_icon.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>

QImage draw_app_icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 32 x 32 grid and scaled, so the small sizes keep the proportions.
    painter.scale(size / 32.0, size / 32.0);

    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    painter.fillPath(tile, QColor(0x1e, 0x4f, 0x8c));
    painter.setPen(QPen(QColor(0x12, 0x32, 0x5a), 1.2));
    painter.drawPath(tile);

    // The feasible region of a small linear program.
    const QPolygonF region({QPointF(6, 26), QPointF(6, 12), QPointF(15, 8), QPointF(23, 14), QPointF(25, 26)});
    painter.setPen(QPen(QColor(0xff, 0xf4, 0xc2), 1.0));
    painter.setBrush(QColor(0xf2, 0xc9, 0x3b));
    painter.drawPolygon(region);

    // The axes.
    painter.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(5, 27), QPointF(28, 27));
    painter.drawLine(QPointF(5, 27), QPointF(5, 4));

    // The optimal vertex.
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(QColor(0xd6, 0x2b, 0x2b));
    painter.drawEllipse(QPointF(23, 14), 3.6, 3.6);
    return image;
}

QIcon app_icon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(draw_app_icon(size)));
    return icon;
}
