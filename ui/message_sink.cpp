#include "ui/message_sink.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxSink::show(const QString& text, const QString& caption) {
    QWidget* parent = parent_ ? parent_.data() : QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
