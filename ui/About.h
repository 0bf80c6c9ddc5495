#pragma once

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

// The About window: the program's name and version. Modeless, of fixed size, shown at once on creation;
// Ok or the close box closes it and it deletes itself.
class TForm2 : public QWidget {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Label1;  // "QTB"
    QLabel* Image1;  // the 32 x 32 icon
    QFrame* Bevel1;  // a lowered line across the window
    QLabel* Label2;  // "Version 3.1"
    QPushButton* Button1;

    void Button1Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;  // Escape closes it, as Ok does
};

// The newest About window; empty before the first About command and once that window is gone.
extern QPointer<TForm2> Form2;
