#include "ui/About.h"

#include "ui/app_icon.h"
#include "ui/fit_to_screen.h"
#include "ui/window_look.h"

QPointer<TForm2> Form2;

namespace {

template <class Widget>
Widget* place(QWidget* parent, const char* name, const QRect& geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

}  // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About QTB"));
    setWindowIcon(app_icon());
    setFont(form_font());
    setFixedSize(223, 129);
    move(344, 204);
    fit_to_screen(this);

    Label1 = place<QLabel>(this, "Label1", {8, 0, 52, 26});
    Label1->setFont(about_title_font());
    Label1->setText(QStringLiteral("QTB"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place_growing_label(Label1, {8, 0, 52, 26});

    Image1 = place<QLabel>(this, "Image1", {16, 32, 33, 33});
    Image1->setPixmap(QPixmap::fromImage(draw_app_icon(32)));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Bevel1 = place<QFrame>(this, "Bevel1", {8, 80, 201, 2});
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    Label2 = place<QLabel>(this, "Label2", {8, 88, 53, 13});
    Label2->setText(QStringLiteral("Version " QTB_VERSION_SHORT));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place_growing_label(Label2, {8, 88, 53, 13});

    Button1 = place<QPushButton>(this, "Button1", {128, 96, 57, 25});
    Button1->setText(QStringLiteral("Ok"));
    Button1->setFocus();
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::Button1Click() { close(); }

void TForm2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
