#include "ui/branch_tree_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGraphicsItem>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QWheelEvent>

#include <algorithm>
#include <cstddef>
#include <utility>

#include "solver/report/branch_texts.h"
#include "ui/branch_tree_layout.h"

namespace {

constexpr int kPadding = 6;        // inside a box, around its lines
constexpr int kColumnGap = 16;     // between the boxes of neighbouring leaves
constexpr int kLevelGap = 36;      // between a parent's box and its children's
constexpr double kSmallest = 0.1;  // a thousand nodes side by side still fit a screen or two
constexpr double kLargest = 3.0;
constexpr int kMaxBoxWidth = 260;  // longer lines end in an ellipsis; the tooltip has them whole

struct NodeLook {
    QColor fill;
    Qt::PenStyle border;
};

// How a node was closed, by the colour of its box; a node left open by the limit is dashed too.
NodeLook look_of(NodeClose close) {
    switch (close) {
        case NodeClose::branched:
            return {QColor(0xe3, 0xec, 0xfa), Qt::SolidLine};
        case NodeClose::integer:
            return {QColor(0xcd, 0xef, 0xcd), Qt::SolidLine};
        case NodeClose::infeasible:
            return {QColor(0xf6, 0xd0, 0xd0), Qt::SolidLine};
        case NodeClose::not_better:
            return {QColor(0xe4, 0xe4, 0xe4), Qt::SolidLine};
        case NodeClose::unbounded:
        case NodeClose::no_optimum:
            return {QColor(0xfb, 0xdd, 0xb8), Qt::SolidLine};
        case NodeClose::covered:
            return {QColor(0xe6, 0xdc, 0xf2), Qt::SolidLine};
        case NodeClose::open:
            break;
    }
    return {QColor(0xff, 0xf5, 0xc4), Qt::DashLine};
}

const QColor kAnswerFrame(0x1b, 0x7a, 0x1b);

// The four lines of a node's box.
QStringList node_lines(const BranchNode& node, const std::vector<std::string>& names) {
    const BranchBound* bound = own_bound(node);
    const QString result = node.result == NodeResult::optimal
                               ? QString::fromStdString("F = " + node_objective_text(node))
                           : node.result == NodeResult::not_solved ? QStringLiteral("не решался")
                                                                   : QStringLiteral("нет решения");
    return {QStringLiteral("Узел %1").arg(node.id),
            bound ? QString::fromStdString(bound_text(*bound, names, BoundSigns::math)) : QStringLiteral("релаксация"),
            result, QString::fromStdString(node_close_word(node, names))};
}

class NodeItem final : public QGraphicsItem {
public:
    NodeItem(QRectF box, QStringList lines, NodeLook look, bool answer, const QFont& font)
        : box_(box), lines_(std::move(lines)), look_(look), answer_(answer), font_(font) {}

    QRectF boundingRect() const override { return box_.adjusted(-2, -2, 2, 2); }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* /*option*/, QWidget* /*widget*/) override {
        painter->setPen(answer_ ? QPen(kAnswerFrame, 3) : QPen(Qt::darkGray, 1, look_.border));
        painter->setBrush(look_.fill);
        painter->drawRoundedRect(box_, 4, 4);
        const QFontMetrics metrics(font_);
        const int width = static_cast<int>(box_.width()) - 2 * kPadding;
        QPointF at(box_.left() + kPadding, box_.top() + kPadding + metrics.ascent());
        for (qsizetype k = 0; k < lines_.size(); ++k) {
            QFont font = font_;
            font.setBold(k == 0 || (answer_ && k + 1 == lines_.size()));
            painter->setFont(font);
            painter->setPen(Qt::black);
            painter->drawText(at, QFontMetrics(font).elidedText(lines_[k], Qt::ElideRight, width));
            at.ry() += metrics.lineSpacing();
        }
    }

private:
    QRectF box_;
    QStringList lines_;
    NodeLook look_;
    bool answer_;
    QFont font_;
};

}  // namespace

BranchTreeView::BranchTreeView(QWidget* parent) : QGraphicsView(parent) {
    setScene(&scene_);
    setRenderHint(QPainter::Antialiasing);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundBrush(Qt::white);
    setDragMode(QGraphicsView::ScrollHandDrag);  // a large tree moves under the mouse as under the bars
}

void BranchTreeView::show_tree(const std::vector<BranchNode>& nodes, const std::vector<std::string>& names) {
    scene_.clear();
    boxes_.clear();
    answer_ = 0;
    const QFontMetrics metrics(font());
    std::vector<QStringList> lines;
    lines.reserve(nodes.size());
    int widest = 0;
    for (const BranchNode& node : nodes) {
        lines.push_back(node_lines(node, names));
        for (const QString& line : lines.back()) widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    // One size for every box: the rows and columns of the tree stay straight.
    const int box_width = std::min(widest + 2 * kPadding + 4, kMaxBoxWidth);
    const int box_height = 4 * metrics.lineSpacing() + 2 * kPadding;
    const std::vector<TreePlace> places = branch_tree_places(nodes);
    QPainterPath edges;
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const QPointF top_left(places[k].column * (box_width + kColumnGap),
                               static_cast<double>(places[k].level) * (box_height + kLevelGap));
        boxes_.emplace_back(top_left, QSizeF(box_width, box_height));
    }
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const BranchNode& node = nodes[k];
        const QRectF& box = boxes_[k];
        if (node.parent >= 1 && static_cast<std::size_t>(node.parent) <= k) {
            const QRectF& above = boxes_[static_cast<std::size_t>(node.parent) - 1];
            const double middle = above.bottom() + kLevelGap / 2.0;
            edges.moveTo(above.center().x(), above.bottom());
            edges.lineTo(above.center().x(), middle);
            edges.lineTo(box.center().x(), middle);
            edges.lineTo(box.center().x(), box.top());
        }
        if (node.incumbent) answer_ = node.id;
        auto* item = new NodeItem(box, lines[k], look_of(node.close), node.incumbent, font());
        item->setToolTip(QString::fromStdString(
            node_result_text(node, names) + "\nГраницы: " + bounds_text(node.bounds, names, BoundSigns::math) + "."));
        scene_.addItem(item);
    }
    scene_.addPath(edges, QPen(Qt::darkGray, 1))->setZValue(-1);
    scene_.setSceneRect(scene_.itemsBoundingRect().adjusted(-kColumnGap, -kColumnGap, kColumnGap, kColumnGap));
    if (!boxes_.empty()) centerOn(boxes_.front().center());
}

void BranchTreeView::zoom_by(double factor) {
    const double target = std::clamp(zoom() * factor, kSmallest, kLargest);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    scale(target / zoom(), target / zoom());
}

void BranchTreeView::zoom_reset() { resetTransform(); }

void BranchTreeView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) return QGraphicsView::wheelEvent(event);
    if (const int steps = event->angleDelta().y(); steps != 0) zoom_by(steps > 0 ? 1.25 : 0.8);
    event->accept();
}

QRectF BranchTreeView::node_box(std::int32_t id) const {
    if (id < 1 || static_cast<std::size_t>(id) > boxes_.size()) return {};
    return boxes_[static_cast<std::size_t>(id) - 1];
}

std::int32_t BranchTreeView::node_at(QPoint position) const {
    const QPointF at = mapToScene(position);
    // A click looks through the boxes once: the node limit keeps them to a few thousand.
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
        if (boxes_[k].contains(at)) return static_cast<std::int32_t>(k) + 1;
    }
    return 0;
}

void BranchTreeView::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? node_at(event->position().toPoint()) : 0;
    press_position_ = event->position().toPoint();
    QGraphicsView::mousePressEvent(event);
}

// A click, not a drag of the tree: released on the node it was pressed on, near where it went down.
void BranchTreeView::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    const QPoint position = event->position().toPoint();
    const std::int32_t pressed = std::exchange(pressed_, 0);
    if (event->button() != Qt::LeftButton || pressed == 0 ||
        (position - press_position_).manhattanLength() >= QApplication::startDragDistance()) {
        return;
    }
    if (node_at(position) == pressed) emit nodeClicked(pressed);
}

QString BranchTreeView::legend_html() {
    const std::pair<NodeClose, QString> entries[] = {
        {NodeClose::branched, QStringLiteral("ветвление")},
        {NodeClose::integer, QStringLiteral("целое решение")},
        {NodeClose::not_better, QStringLiteral("не лучше найденного")},
        {NodeClose::infeasible, QStringLiteral("несовместна")},
        {NodeClose::unbounded, QStringLiteral("не ограничена или без оптимума")},
        {NodeClose::covered, QStringLiteral("повторяет другую ветвь")},
        {NodeClose::open, QStringLiteral("не решён: предел числа узлов")},
    };
    QString html;
    for (const auto& [close, text] : entries) {
        html += QStringLiteral("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;</span>&nbsp;%2&emsp;")
                    .arg(look_of(close).fill.name(), text);
    }
    return html + QStringLiteral("<b style=\"color:%1\">рамка</b> — узел ответа. Щелчок по узлу — его таблицы.")
                      .arg(kAnswerFrame.name());
}
