#include "ui/captioned_frame.h"

#include <QPainter>

namespace {

constexpr int kCaptionLeft = 8;

}  // namespace

CaptionedFrame::CaptionedFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void CaptionedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const int caption_end = title().isEmpty() ? kCaptionLeft : kCaptionLeft + metrics.horizontalAdvance(title());
    const int right = width() - 2;
    const int bottom = height() - 2;

    // An etched line: a shadow line and a light line one pixel below and to the right of it.
    const auto draw_frame = [&](int offset) {
        const int x0 = offset, y0 = top + offset, x1 = right + offset, y1 = bottom + offset;
        painter.drawLine(x0, y0, kCaptionLeft - 1 + offset, y0);
        painter.drawLine(caption_end + offset, y0, x1, y0);
        painter.drawLine(x0, y0, x0, y1);
        painter.drawLine(x0, y1, x1, y1);
        painter.drawLine(x1, y0, x1, y1);
    };
    painter.setPen(palette().color(QPalette::Mid));
    draw_frame(0);
    painter.setPen(palette().color(QPalette::Light));
    draw_frame(1);

    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(kCaptionLeft, metrics.ascent(), title());
}
