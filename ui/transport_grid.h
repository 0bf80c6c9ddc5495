#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <vector>

#include "ui/transport_pages.h"

// One plan of a transport problem drawn as a textbook draws it: the cost small in the corner of
// each route, the amount of a basic cell large in its middle, the estimate of a free cell below,
// supplies, demands and potentials at the edges, the entering cell shaded, and the cycle a closed
// line through its corners with their signs. It zooms with the window's simplex grid.
class TransportGrid : public QWidget {
    Q_OBJECT

public:
    explicit TransportGrid(QWidget* parent = nullptr);

    void show_plan(const TransportPlanPage& page);
    void set_zoom(int percent);

    // Where a cell of the grid (heading row and column included) is drawn.
    QRect cell_rect(int row, int column) const;
    // The corners of the cycle's line, in the order it goes round; empty without a cycle.
    std::vector<QPoint> cycle_path() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fit_size();
    QColor shade_of(const transport::GridCell& cell) const;
    void draw_shade(QPainter& painter, const transport::GridCell& cell, const QRect& box) const;
    void draw_texts(QPainter& painter, const transport::GridCell& cell, const QRect& box) const;
    void draw_cycle_line(QPainter& painter) const;
    void draw_cycle_signs(QPainter& painter) const;

    TransportPlanPage page_;
    int zoom_ = 100;
    std::vector<int> column_left_;  // one more than the columns: the right edge last
    int cell_height_ = 0;
};
