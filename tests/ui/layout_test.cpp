// The main window as it stands after creation: controls, places, texts, states, tab order, menu.
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include "problem/simplex_iteration.h"
#include "ui/main_form.h"
#include "ui/main_form_layout.h"
#include "ui_test_support.h"

namespace {

class MainWindowLayout : public testing::Test {
protected:
    MainWindowLayout() {
        window.show();
        QApplication::processEvents();
    }

    // A rectangle in the coordinates of the client area, the area below the menu bar.
    QRect in_client_area(const QWidget* widget) const {
        const QPoint origin = window.centralWidget()->geometry().topLeft();
        if (widget->parentWidget() == window.centralWidget()) return widget->geometry();
        return widget->geometry().translated(-origin);
    }

    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages};
};

TEST_F(MainWindowLayout, ControlsStandWhereTheLayoutPutsThem) {
    for (const auto& [name, place] : main_form_layout::kControls) {
        const QString object_name = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        SCOPED_TRACE(object_name.toStdString());
        const auto* widget = window.findChild<QWidget*>(object_name);
        ASSERT_NE(widget, nullptr);
        // Every control is a child of the client area or of GroupBox1, placed in its parent's pixels.
        EXPECT_TRUE(widget->parentWidget() == window.centralWidget() || widget->parentWidget() == window.GroupBox1);
        EXPECT_EQ(widget->pos(), place.topLeft());
        if (qobject_cast<const QLabel*>(widget) != nullptr) {
            // Labels grow with their text from the places of the layout.
            EXPECT_EQ(widget->height(), place.height());
            EXPECT_GE(widget->width(), place.width());
        } else {
            EXPECT_EQ(widget->geometry(), place);
        }
    }
}

TEST_F(MainWindowLayout, ControlsShowTheirTextsAndStates) {
    const struct {
        const char* name;
        QString text;
        bool enabled;
    } controls[] = {
        {"Edit1", "*.qtb", true},
        {"Button3", "Загрузить данные", true},
        {"RadioButton1", "Таблицы всех итераций", true},
        {"RadioButton2", "Только таблицу исходных данных", true},
        {"RadioButton3", "Только таблицу оптимального решения", true},
        {"RadioButton4", "Только таблицу исходных данных  и  таблицу оптимального решения", true},
        {"RadioButton5", "Таблицы в указанном интервале ", true},
        {"Edit2", "", false},
        {"Edit3", "", false},
        {"RadioButton6", "Таблицы итераций не выводить", true},
        {"Edit4", "", false},
        {"Edit5", "", false},
        {"Button1", "Решить задачу", false},
        {"Button2", "Выход", true},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        const auto* widget = window.findChild<QWidget*>(c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->isEnabled(), c.enabled);
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            EXPECT_EQ(edit->text(), c.text);
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            EXPECT_EQ(button->text(), c.text);
        }
    }
    EXPECT_EQ(window.RadioGroup1->title(), " Вывод таблиц итераций ");
    EXPECT_EQ(window.GroupBox1->title(), " Точность вывода ");
    for (QWidget* child : {static_cast<QWidget*>(window.Label4), static_cast<QWidget*>(window.Edit4),
                           static_cast<QWidget*>(window.Edit5)})
        EXPECT_EQ(child->parentWidget(), window.GroupBox1) << child->objectName().toStdString();

    EXPECT_EQ(window.Label3->text(), "Файл данных:");
    EXPECT_EQ(window.Label4->text(), "Разрядов под число:" + QString(17, ' ') + "Цифр после запятой:");
    EXPECT_EQ(window.Label1->text(), "");
    EXPECT_EQ(window.Label2->text(), "");
    EXPECT_EQ(window.StatusBar1->currentMessage(), "");
}

TEST_F(MainWindowLayout, ClientAreaIsFixedAndTheStatusBarFollowsTheBottomEdge) {
    EXPECT_EQ(window.windowTitle(), "Симплекс метод");
    EXPECT_FALSE(window.windowIcon().isNull());
    using main_form_layout::kClientHeight, main_form_layout::kClientWidth, main_form_layout::kStatusBarHeight;
    EXPECT_EQ(window.centralWidget()->size(), QSize(kClientWidth, kClientHeight - kStatusBarHeight));
    EXPECT_EQ(in_client_area(window.StatusBar1),
              QRect(0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight));

    window.resize(window.width() + 120, window.height() + 60);
    QApplication::processEvents();
    EXPECT_EQ(window.StatusBar1->geometry(),
              QRect(0, window.height() - kStatusBarHeight, window.width(), kStatusBarHeight));
    EXPECT_EQ(window.Button1->geometry(), main_form_layout::place_of("Button1"));
    EXPECT_EQ(window.Edit1->geometry(), main_form_layout::place_of("Edit1"));
}

TEST_F(MainWindowLayout, CaptionsFitTheirControlsAndCoverNoNeighbour) {
    for (QRadioButton* button : window.findChildren<QRadioButton*>()) {
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
    }
    for (QPushButton* button : {window.Button1, window.Button2, window.Button3}) {
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width());
    }
    const QFontMetrics metrics = window.Label4->fontMetrics();
    const QString first = "Разрядов под число:";
    const QString gap(17, ' ');
    const int label_left = window.Label4->x();
    EXPECT_LE(label_left + metrics.horizontalAdvance(first), window.Edit4->x());
    EXPECT_GE(label_left + metrics.horizontalAdvance(first + gap), window.Edit4->geometry().right() + 1);
    EXPECT_LE(label_left + metrics.horizontalAdvance(window.Label4->text()), window.Edit5->x());
    EXPECT_LT(window.Label3->geometry().right(), window.Edit1->x());
    EXPECT_LT(window.Label1->x() + window.Label1->fontMetrics().horizontalAdvance("Итерация:"), window.Label2->x());
}

TEST_F(MainWindowLayout, TabOrderFollowsTheLayoutAndOnlyTheCheckedRadioButtonIsAStop) {
    const QList<QWidget*> expected = {
        window.Edit1,        window.Button1,      window.Button2,      window.RadioButton1, window.RadioButton2,
        window.RadioButton3, window.RadioButton4, window.RadioButton5, window.Edit2,        window.Edit3,
        window.RadioButton6, window.Button3,      window.Edit4,        window.Edit5};
    QList<QWidget*> chain;
    QWidget* widget = window.Edit1;
    do {
        if (expected.contains(widget)) chain.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != window.Edit1);
    EXPECT_EQ(chain, expected);

    EXPECT_TRUE(window.RadioButton1->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(window.RadioButton3->focusPolicy() & Qt::TabFocus);
    window.RadioButton3->click();
    EXPECT_TRUE(window.RadioButton3->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(window.RadioButton1->focusPolicy() & Qt::TabFocus);

    // The arrow keys still move between the six, checking the one they reach.
    window.activateWindow();
    window.RadioButton3->setFocus();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(window.RadioButton3, &down);
    EXPECT_TRUE(window.RadioButton4->isChecked());
    EXPECT_TRUE(window.RadioButton4->focusPolicy() & Qt::TabFocus);
}

TEST_F(MainWindowLayout, SixRadioButtonsOfTheWindowFormOneExclusiveGroup) {
    const QList<QRadioButton*> buttons = {window.RadioButton1, window.RadioButton2, window.RadioButton3,
                                          window.RadioButton4, window.RadioButton5, window.RadioButton6};
    EXPECT_TRUE(window.RadioButton1->isChecked());
    for (QRadioButton* chosen : buttons) {
        chosen->click();
        for (QRadioButton* button : buttons) EXPECT_EQ(button->isChecked(), button == chosen);
        EXPECT_EQ(chosen->parentWidget(), window.centralWidget());
        // Edit2 and Edit3 are enabled exactly while RadioButton5 is checked.
        EXPECT_EQ(window.Edit2->isEnabled(), chosen == window.RadioButton5);
        EXPECT_EQ(window.Edit3->isEnabled(), chosen == window.RadioButton5);
    }
    EXPECT_TRUE(window.RadioGroup1->findChildren<QRadioButton*>().isEmpty());
}

TEST_F(MainWindowLayout, MenuHasItsItemsAndShortcuts) {
    ASSERT_EQ(window.MainMenu1->actions().size(), 2);
    EXPECT_EQ(window.MainMenu1->actions()[0], window.File1->menuAction());
    EXPECT_EQ(window.MainMenu1->actions()[1], window.Help1->menuAction());
    EXPECT_EQ(window.File1->title(), "File");
    EXPECT_EQ(window.File1->menuAction()->shortcut(), QKeySequence("Ctrl+F"));
    EXPECT_EQ(window.File1->actions(), (QList<QAction*>{window.FileOpenItem, window.Exit1}));
    EXPECT_EQ(window.FileOpenItem->text(), "Open ...");
    EXPECT_EQ(window.FileOpenItem->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(window.Exit1->text(), "Exit");
    EXPECT_EQ(window.Help1->title(), "Help");
    EXPECT_EQ(window.Help1->actions(), (QList<QAction*>{window.About1}));
    EXPECT_EQ(window.About1->text(), "About...");
    for (const char* name : {"MainMenu1", "File1", "FileOpenItem", "Exit1", "Help1", "About1", "OpenDialog1"})
        EXPECT_NE(window.findChild<QObject*>(name), nullptr) << name;

    // The shortcut of the menu title reaches no command.
    window.File1->menuAction()->trigger();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
