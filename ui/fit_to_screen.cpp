#include "ui/fit_to_screen.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// The frame the window manager puts around the program's windows: that of a window already shown, or
// until there is one, room for a usual title bar and border.
QMargins window_frame(const QWidget* window) {
    const auto frame_of = [](const QWidget* shown) {
        const QRect outer = shown->frameGeometry();
        const QRect inner = shown->geometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                        outer.bottom() - inner.bottom());
    };
    if (window->isVisible()) return frame_of(window);
    for (const QWidget* shown : QApplication::topLevelWidgets()) {
        if (shown->isVisible() && shown->frameGeometry() != shown->geometry()) return frame_of(shown);
    }
    return {4, 28, 4, 4};
}

}  // namespace

WindowPlace fitted_place(const WindowPlace& wanted, const QMargins& frame, const QRect& available) {
    const QSize frame_size(frame.left() + frame.right(), frame.top() + frame.bottom());
    QRect outer(wanted.corner, (wanted.size + frame_size).boundedTo(available.size()));
    outer.moveLeft(std::clamp(outer.left(), available.left(), available.right() + 1 - outer.width()));
    outer.moveTop(std::clamp(outer.top(), available.top(), available.bottom() + 1 - outer.height()));
    return {outer.topLeft(), (outer.size() - frame_size).expandedTo({1, 1})};
}

bool fit_to_screen(QWidget* window) {
    const bool placed = window->testAttribute(Qt::WA_Moved);
    const WindowPlace wanted{window->pos(), window->size()};
    const QScreen* screen = placed ? QGuiApplication::screenAt(window->frameGeometry().center()) : nullptr;
    if (screen == nullptr) screen = window->parentWidget() ? window->parentWidget()->screen() : window->screen();
    if (screen == nullptr) return false;
    const WindowPlace fitted = fitted_place(wanted, window_frame(window), screen->availableGeometry());
    if (placed && fitted.corner != wanted.corner) window->move(fitted.corner);
    if (fitted.size == wanted.size) return false;
    window->resize(fitted.size);
    return true;
}
