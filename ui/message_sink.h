#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>

// Where the windows send their messages. Every message is one modal box with a text, a caption,
// a single OK button and no icon.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // The caller goes on when the user has pressed OK.
    virtual void show(const QString& text, const QString& caption) = 0;
    // The caller goes on at once: the box is modal to its parent window alone, so that the program's
    // other windows take clicks and keys while it is up, and the boxes told one after another come one
    // after another. `keeps_keys`, when shown, stays in front with the keyboard: the box does not take
    // it from that window. `closed` runs once the box has been closed.
    virtual void tell(const QString& text, const QString& caption, QWidget* keeps_keys = nullptr,
                      const std::function<void()>& closed = {}) {
        static_cast<void>(keeps_keys);
        show(text, caption);
        if (closed) closed();
    }
};

// Shows each message in a QMessageBox over `parent` (or over the active window when there is none).
class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    ~MessageBoxSink() override;
    MessageBoxSink(const MessageBoxSink&) = delete;
    MessageBoxSink& operator=(const MessageBoxSink&) = delete;
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show(const QString& text, const QString& caption) override;
    void tell(const QString& text, const QString& caption, QWidget* keeps_keys = nullptr,
              const std::function<void()>& closed = {}) override;

private:
    struct Told {
        QString text;
        QString caption;
        QPointer<QWidget> parent;  // the box of a window that has gone meanwhile is not shown
        bool had_parent;
        QPointer<QWidget> keeps_keys;
        std::function<void()> closed;
    };
    QWidget* parent() const;
    void open_next();
    static void give_keys_back(QMessageBox* box, const QPointer<QWidget>& keeps_keys);

    QPointer<QWidget> parent_;
    std::deque<Told> told_;       // waiting for the box before them
    QPointer<QMessageBox> open_;  // the told box that is up
};
