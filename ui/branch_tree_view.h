#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPoint>
#include <QRectF>

#include <cstdint>
#include <string>
#include <vector>

#include "solver/engine/branch_node.h"

// The tree of a branch and bound: each node a box under its parent with its number, its own bound, its
// relaxation's optimum and what became of it, coloured by how it was closed; the answer's node framed.
// It scrolls and zooms, and a click on a node asks for its tables (nodeClicked).
class BranchTreeView : public QGraphicsView {
    Q_OBJECT

public:
    explicit BranchTreeView(QWidget* parent = nullptr);

    // names: the problem's columns 1..n (entry 0 unused), UTF-8.
    void show_tree(const std::vector<BranchNode>& nodes, const std::vector<std::string>& names);

    int node_count() const { return static_cast<int>(boxes_.size()); }
    // Node `id`'s box in the scene; empty for no such node.
    QRectF node_box(std::int32_t id) const;
    // The node framed as the answer; 0 for none.
    std::int32_t answer_node() const { return answer_; }

    // The tree larger or smaller (Ctrl and the wheel do the same), or of its normal size.
    void zoom_by(double factor);
    void zoom_reset();
    double zoom() const { return transform().m11(); }

    // The legend of the boxes' colours, as HTML for a label beside the tree.
    static QString legend_html();

signals:
    void nodeClicked(std::int32_t id);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    std::int32_t node_at(QPoint position) const;

    QGraphicsScene scene_;
    std::vector<QRectF> boxes_;  // by id - 1
    std::int32_t answer_ = 0;
    std::int32_t pressed_ = 0;  // the node a left press came down on, until its release
    QPoint press_position_;
};
