#include "ui/fit_to_screen.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The frame the window manager puts around the program's windows: that of a window already shown, or
// until there is one, room for a usual title bar and border, drawn in the screen's own pixels whatever the
// scale factor.
QMargins window_frame(const QWidget* window, const QScreen& screen) {
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
    const auto logical = [ratio = screen.devicePixelRatio()](int pixels) {
        return static_cast<int>(std::ceil(pixels / ratio));
    };
    return {logical(4), logical(28), logical(4), logical(4)};
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
    const QScreen* screen = placed ? QGuiApplication::screenAt(window->frameGeometry().center()) : nullptr;
    if (screen == nullptr) screen = window->parentWidget() ? window->parentWidget()->screen() : window->screen();
    if (screen == nullptr) return false;
    const QRect available = screen->availableGeometry();
    const QMargins frame = window_frame(window, *screen);
    // A window without a place is thought of in the middle of the screen.
    const QRect outer = QRect(QPoint(), window->size()).marginsAdded(frame);
    const QPoint middle = available.center() - QPoint(outer.width() / 2, outer.height() / 2);
    const WindowPlace wanted{placed ? window->pos() : middle, window->size()};
    const WindowPlace fitted = fitted_place(wanted, frame, available);
    const bool smaller = fitted.size != wanted.size;
    // The window manager places a window that fits; one made as large as the screen is placed here, where
    // all of it shows.
    if ((placed || smaller) && fitted.corner != window->pos()) window->move(fitted.corner);
    if (smaller) window->resize(fitted.size);
    return smaller;
}
