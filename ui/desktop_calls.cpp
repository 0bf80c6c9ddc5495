#include "ui/desktop_calls.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>

DesktopCalls DesktopCalls::real(QWidget* parent) {
    return {
        [owner = QPointer<QWidget>(parent)](const QString& text, const QString& caption) {
            QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, owner.data());
            box.setDefaultButton(QMessageBox::No);
            box.setWindowModality(Qt::ApplicationModal);
            return box.exec() == QMessageBox::Yes;
        },
        [](const QUrl& url) { return QDesktopServices::openUrl(url); },
    };
}
