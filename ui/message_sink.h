#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// Where the windows send their messages. Every message is one modal box with a text, a caption,
// a single OK button and no icon; the caller goes on when the user has pressed OK.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString& text, const QString& caption) = 0;
};

// Shows each message in a QMessageBox over `parent` (or over the active window when there is none).
class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show(const QString& text, const QString& caption) override;

private:
    QPointer<QWidget> parent_;
};
