#pragma once

#include <QPlainTextEdit>

// A plain-text editor in a fixed-pitch font with the numbers of its lines in a gutter on the left.
class LineNumberedEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LineNumberedEdit(QWidget* parent = nullptr);

    // Puts the cursor at the start of a line (from 1) and shows it.
    void go_to_line(int line);
    // Marks these lines (from 1) as faulty; an empty list clears the marks.
    void mark_lines(const QList<int>& lines);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Gutter;
    friend class Gutter;

    int gutter_width() const;
    void paint_gutter(QPaintEvent* event);
    void update_gutter(const QRect& rect, int dy);

    QWidget* gutter_;
};
