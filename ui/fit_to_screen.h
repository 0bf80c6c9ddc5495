#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Every window opens within the free area of its screen, whatever the scale factor: larger than that
// area it is made smaller, and its content scrolls or shrinks inside it.

// A window's place as QWidget::move and QWidget::resize take it: the top left corner of its frame, and
// its size without the frame.
struct WindowPlace {
    QPoint corner;
    QSize size;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// The place of a window that wants `wanted` and is framed by `frame`, on a screen whose free area is
// `available`: frame and all no larger than the area, moved into it as little as possible.
WindowPlace fitted_place(const WindowPlace& wanted, const QMargins& frame, const QRect& available);

// Fits a window that is about to be shown to the free area of the screen it opens on: the screen under
// its place when it has been given one, else its parent's. A window without a place that fits keeps
// none: the window manager places it. True when the window had to be made smaller.
bool fit_to_screen(QWidget* window);
