#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

// What the main window asks of the desktop beyond its message boxes. The program uses real(); the
// tests put their own in, as they do with the message sink.
struct DesktopCalls {
    // A modal question with "Да" and "Нет"; true when the user answers yes.
    std::function<bool(const QString& text, const QString& caption)> ask;
    // Opens a file or a folder with the desktop's viewer; false when none could.
    std::function<bool(const QUrl& url)> open_url;

    static DesktopCalls real(QWidget* parent);
};
