#pragma once

#include <QPainter>

#include "solver/analysis/plane_layout.h"

// The picture's canvas in a window or an image: the core's layout drawn with a QPainter in its own font
// (the layout's distances scale with it).
class PainterCanvas final : public PlaneCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

    // The layout's scale for the painter's font: its pixel height against the 13 pixels of scale 1.
    static double scale_of(const QPainter& painter);

    void line(PlanePoint from, PlanePoint to, PlaneMark mark) override;
    void polygon(const std::vector<PlanePoint>& points, PlaneMark mark) override;
    void circle(PlanePoint centre, double radius, PlaneMark mark) override;
    void text(PlanePoint at, const std::string& body, PlaneMark mark, PlaneAnchor anchor, bool halo) override;
    void begin_clip(const PlaneFrame& frame) override;
    void end_clip() override;
    void frame(const PlaneFrame& frame) override;

private:
    QPainter& painter_;
};
