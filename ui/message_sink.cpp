#include "ui/message_sink.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <utility>

MessageBoxSink::~MessageBoxSink() { delete open_.data(); }

QWidget* MessageBoxSink::parent() const { return parent_ ? parent_.data() : QApplication::activeWindow(); }

void MessageBoxSink::show(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void MessageBoxSink::tell(const QString& text, const QString& caption, QWidget* keeps_keys,
                          const std::function<void()>& closed) {
    QWidget* over = parent();
    told_.push_back({text, caption, over, over != nullptr, keeps_keys, closed});
    if (!open_) open_next();
}

void MessageBoxSink::open_next() {
    while (!told_.empty() && told_.front().had_parent && !told_.front().parent) told_.pop_front();
    if (told_.empty()) return;
    Told next = std::move(told_.front());
    told_.pop_front();
    auto* box = new QMessageBox(QMessageBox::NoIcon, next.caption, next.text, QMessageBox::Ok, next.parent);
    box->setWindowModality(Qt::WindowModal);
    const bool keeps_keys = next.keeps_keys && next.keeps_keys->isVisible();
    box->setAttribute(Qt::WA_ShowWithoutActivating, keeps_keys);
    open_ = box;
    QObject::connect(box, &QDialog::finished, box, [this, box, closed = std::move(next.closed)] {
        box->deleteLater();
        open_ = nullptr;
        if (closed) closed();
        open_next();
    });
    if (keeps_keys) give_keys_back(box, next.keeps_keys);
    box->open();
}

// A window manager may focus the box as it maps it, and raise its window with it: the window that keeps
// the keys takes them back, and comes in front again, when the box is focused at once, not when the user
// goes to it later.
void MessageBoxSink::give_keys_back(QMessageBox* box, const QPointer<QWidget>& keeps_keys) {
    auto focused = std::make_shared<QMetaObject::Connection>();
    *focused =
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, box, [box, keeps_keys, focused](QWindow* now) {
            if (now == nullptr || now != box->windowHandle()) return;
            QObject::disconnect(*focused);
            if (!keeps_keys || !keeps_keys->isVisible()) return;
            keeps_keys->raise();
            keeps_keys->activateWindow();
        });
    constexpr int kAtOnceMs = 1000;
    QTimer::singleShot(kAtOnceMs, box, [focused] { QObject::disconnect(*focused); });
}
