#pragma once

#include <QString>
#include <QWidget>

#include "solver/analysis/plane_picture.h"

// The picture of a problem in two variables, drawn from the core's geometry
// (the same that qtb-solve --plot writes as SVG), scaled to the widget.
class PlaneView : public QWidget {
    Q_OBJECT

public:
    explicit PlaneView(QWidget* parent = nullptr);

    void set_picture(PlanePicture picture);
    const PlanePicture& picture() const { return picture_; }

    // The picture as a PNG of the given size in pixels, or as the core's SVG text; false when not written.
    bool save_png(const QString& path, QSize size = {800, 800}) const;
    bool save_svg(const QString& path) const;

    QSize sizeHint() const override { return {480, 480}; }
    QSize minimumSizeHint() const override { return {240, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void draw(QPainter& painter, QRectF area) const;

    PlanePicture picture_;
};
