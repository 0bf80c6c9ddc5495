#include "ui/message_sink.h"

#include <QApplication>

#include <utility>

MessageBoxSink::~MessageBoxSink() { delete open_.data(); }

QWidget* MessageBoxSink::parent() const { return parent_ ? parent_.data() : QApplication::activeWindow(); }

void MessageBoxSink::show(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void MessageBoxSink::tell(const QString& text, const QString& caption, QWidget* keeps_keys,
                          std::function<void()> closed) {
    QWidget* over = parent();
    told_.push_back({text, caption, over, over != nullptr, keeps_keys, std::move(closed)});
    if (!open_) open_next();
}

void MessageBoxSink::open_next() {
    while (!told_.empty() && told_.front().had_parent && !told_.front().parent) told_.pop_front();
    if (told_.empty()) return;
    Told next = std::move(told_.front());
    told_.pop_front();
    auto* box = new QMessageBox(QMessageBox::NoIcon, next.caption, next.text, QMessageBox::Ok, next.parent);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_ShowWithoutActivating, next.keeps_keys && next.keeps_keys->isVisible());
    open_ = box;
    QObject::connect(box, &QDialog::finished, box, [this, box, closed = std::move(next.closed)] {
        box->deleteLater();
        open_ = nullptr;
        if (closed) closed();
        open_next();
    });
    box->open();
}
