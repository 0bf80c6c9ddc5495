#include "ui/line_numbered_edit.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

namespace {
// Blanks around the numbers: one to the left, two between the numbers and the text.
constexpr int kGutterPadding = 3;
}  // namespace

class LineNumberedEdit::Gutter : public QWidget {
public:
    explicit Gutter(LineNumberedEdit* edit) : QWidget(edit), edit_(edit) {}
    QSize sizeHint() const override { return {edit_->gutter_width(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { edit_->paint_gutter(event); }

private:
    LineNumberedEdit* edit_;
};

LineNumberedEdit::LineNumberedEdit(QWidget* parent) : QPlainTextEdit(parent), gutter_(new Gutter(this)) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(gutter_width(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, &LineNumberedEdit::update_gutter);
    setViewportMargins(gutter_width(), 0, 0, 0);
}

int LineNumberedEdit::gutter_width() const {
    const int digits = static_cast<int>(QString::number(std::max(1, blockCount())).size());
    return kGutterPadding * 3 + fontMetrics().horizontalAdvance(u'9') * std::max(digits, 2);
}

void LineNumberedEdit::update_gutter(const QRect& rect, int dy) {
    if (dy != 0) {
        gutter_->scroll(0, dy);
    } else {
        gutter_->update(0, rect.y(), gutter_->width(), rect.height());
    }
}

void LineNumberedEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    gutter_->setGeometry(area.left(), area.top(), gutter_width(), area.height());
}

void LineNumberedEdit::paint_gutter(QPaintEvent* event) {
    QPainter painter(gutter_);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int line_height = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top()) {
            painter.drawText(0, top, gutter_->width() - kGutterPadding * 2, line_height, Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        top = bottom;
    }
}

void LineNumberedEdit::go_to_line(int line) {
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    setTextCursor(cursor);
    centerCursor();
    setFocus();
}

void LineNumberedEdit::mark_lines(const QList<int>& lines) {
    QList<QTextEdit::ExtraSelection> marks;
    QColor colour(Qt::red);
    colour.setAlpha(48);
    for (const int line : lines) {
        const QTextBlock block = document()->findBlockByNumber(line - 1);
        if (!block.isValid()) continue;
        QTextEdit::ExtraSelection mark;
        mark.format.setBackground(colour);
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        mark.cursor = QTextCursor(block);
        marks.push_back(mark);
    }
    setExtraSelections(marks);
}
