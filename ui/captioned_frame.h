#pragma once

#include <QGroupBox>

// A group box drawn as an etched rectangle whose caption interrupts the top line a few pixels from
// its left end, the line running through the middle of the caption. The frame holds no layout: its
// children are placed in pixels.
class CaptionedFrame : public QGroupBox {
    Q_OBJECT

public:
    explicit CaptionedFrame(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
