#include "ui/result.h"

#include <QStyle>

#include "ui/window_look.h"

QPointer<TForm3> Form3;

TForm3::TForm3(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    setFont(form_font());
    // An ordinary resizable frame of 550 x 384 outside, as the client area of 542 x 357 inside it.
    resize(542, 357);
    move(196, 127);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(8, 8, 505, 313);

    Memo1 = new QPlainTextEdit(QStringLiteral("Memo1"));
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(0, 0, 505, 313);
    ScrollBox1->setWidget(Memo1);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(424, 328, 65, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(ScrollBox1, BitBtn1);
}
