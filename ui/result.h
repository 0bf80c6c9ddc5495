#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>

// The result window: a text area and an OK button. The start-up creates it hidden; nothing shows it
// and nothing writes to it.
class TForm3 : public QDialog {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    QScrollArea* ScrollBox1;
    QPlainTextEdit* Memo1;  // in ScrollBox1
    QPushButton* BitBtn1;   // OK: closes the window with the result Accepted
};

// The result window while it exists.
extern QPointer<TForm3> Form3;
