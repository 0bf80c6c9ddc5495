// The start-up, the ways out, the About and result windows, the open dialog.
#include <QApplication>
#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "ui/About.h"
#include "ui/main_form.h"
#include "ui/problem_editor.h"
#include "ui/result.h"
#include "ui/solution_window.h"
#include "ui/startup.h"
#include "ui_test_support.h"

namespace {

void delete_closed_windows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QList<TForm2*> open_about_windows() {
    QList<TForm2*> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<TForm2*>(widget); about && about->isVisible()) open.push_back(about);
    }
    return open;
}

// Runs the program's event loop from start-up to its end, doing `inside` once the loop runs.
int run_program(SimplexIteration& record, const std::function<void()>& inside) {
    MessageBoxSink messages;
    QTimer::singleShot(0, inside);
    return run_desktop(record, messages);
}

TEST(StartUp, ShowsTheMainWindowOnlyAndEveryWayOutEndsWithExitCodeZero) {
    const std::function<void()> ways_out[] = {
        [] { Form1->Button2->click(); },
        [] { Form1->Exit1->trigger(); },
        [] { Form1->close(); },
    };
    for (const auto& way_out : ways_out) {
        SimplexIteration record;
        bool checked = false;
        const int code = run_program(record, [&] {
            ASSERT_NE(Form1, nullptr);
            ASSERT_NE(Form3, nullptr);
            EXPECT_TRUE(Form1->isVisible());
            EXPECT_FALSE(Form1->Button1->isEnabled());
            EXPECT_FALSE(Form3->isVisible());
            EXPECT_TRUE(open_about_windows().isEmpty());
            checked = true;
            way_out();
        });
        EXPECT_TRUE(checked);
        EXPECT_EQ(code, 0);
        EXPECT_EQ(Form1, nullptr);
        EXPECT_EQ(Form3, nullptr);
    }
}

TEST(StartUp, EveryWayOutAsksOnceAboutAnEditorsChangesAndCancelKeepsEverythingOpen) {
    const std::function<void()> ways_out[] = {
        [] { Form1->Button2->click(); },
        [] { Form1->Exit1->trigger(); },
        [] { Form1->close(); },
    };
    RecordedMessages messages;
    for (const auto& way_out : ways_out) {
        SimplexIteration record;
        int asked = 0;
        bool still_open = false;
        // A program that would go on without its main window ends here instead.
        QTimer left_running;
        left_running.setSingleShot(true);
        QObject::connect(&left_running, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        left_running.start(5000);
        run_program(record, [&] {
            (new SolutionWindow(messages, Form1))->show();  // ends with the program too
            Form1->findChild<QAction*>("NewProblemItem")->trigger();
            ProblemEditor* editor = Form1->findChildren<ProblemEditor*>().constLast();
            editor->TextEdit->insertPlainText("\\ changed\n");
            auto answer = ProblemEditor::UnsavedAnswer::cancel;
            editor->dialogs.unsaved_changes = [&](QWidget*, const QString&) {
                ++asked;
                return answer;
            };
            way_out();
            still_open = Form1->isVisible() && editor->isVisible();
            EXPECT_EQ(asked, 1);
            answer = ProblemEditor::UnsavedAnswer::discard;
            way_out();
        });
        EXPECT_TRUE(still_open);
        EXPECT_TRUE(left_running.isActive());
        EXPECT_EQ(asked, 2);
        EXPECT_EQ(Form1, nullptr);
    }
}

TEST(StartUp, TheWindowsOfTheProgramGoWithItsEnd) {
    SimplexIteration record;
    QPointer<TForm2> about;
    run_program(record, [&] {
        Form1->About1->trigger();
        about = Form2;
        Form1->Button2->click();
    });
    EXPECT_EQ(about, nullptr);
}

TEST(StartUp, NamesTheApplicationAndSpeaksRussianWhereQtsTranslationIsInstalled) {
    QTranslator translator;
    prepare_application(*qApp, translator);
    EXPECT_EQ(QApplication::applicationName(), "Simplex method");
    EXPECT_EQ(QApplication::applicationVersion(), "3.1.0.0");
    EXPECT_EQ(QGuiApplication::desktopFileName(), "qtb");
    EXPECT_FALSE(QApplication::windowIcon().isNull());

    const bool installed = QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ru.qm");
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    const QString cancel = buttons.button(QDialogButtonBox::Cancel)->text();
    QApplication::removeTranslator(&translator);
    if (!installed) GTEST_SKIP() << "Qt's Russian translation is not installed";
    EXPECT_EQ(cancel, "Отмена");
}

class Windows : public testing::Test {
protected:
    Windows() { window.show(); }
    ~Windows() override {
        window.close();
        delete_closed_windows();
    }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages};
};

TEST_F(Windows, EachAboutCommandOpensOneMoreAndOkClosesOnlyItsOwn) {
    window.About1->trigger();
    QPointer<TForm2> first = Form2;
    window.About1->trigger();
    QPointer<TForm2> second = Form2;
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(open_about_windows().size(), 2);
    EXPECT_EQ(first->pos(), QPoint(344, 204));
    EXPECT_EQ(second->pos(), first->pos());
    EXPECT_EQ(first->windowModality(), Qt::NonModal);
    EXPECT_TRUE(window.isEnabled());

    first->Button1->click();
    delete_closed_windows();
    EXPECT_EQ(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(Form2, second);

    second->close();  // the close box does the same
    delete_closed_windows();
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(Form2, nullptr);
}

TEST_F(Windows, EveryWindowOpensWithinItsScreen) {
    window.About1->trigger();
    window.findChild<QAction*>("NewProblemItem")->trigger();
    SolutionWindow solution(messages, &window);  // wants 960 x 600, more than the test screen
    solution.show();
    const QList<QWidget*> windows = {&window, Form2.data(), window.findChild<ProblemEditor*>(), &solution};
    for (QWidget* shown : windows) {
        ASSERT_NE(shown, nullptr);
        ASSERT_TRUE(shown->isVisible());
        EXPECT_TRUE(shown->screen()->availableGeometry().contains(shown->frameGeometry()))
            << shown->objectName().toStdString();
    }
    EXPECT_EQ(window.centralWidget()->objectName(), "ClientArea");  // no need to scroll
}

TEST_F(Windows, TheAboutWindowShowsNameVersionAndIcon) {
    window.About1->trigger();
    ASSERT_NE(Form2, nullptr);
    const TForm2& about = *Form2;
    EXPECT_EQ(about.windowTitle(), "About QTB");
    EXPECT_EQ(about.size(), QSize(223, 129));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_FALSE(about.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(about.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(about.Label1->text(), "QTB");
    EXPECT_TRUE(about.Label1->font().bold());
    EXPECT_EQ(about.Label1->font().pixelSize(), 24);
    EXPECT_GE(about.Label1->width(), about.Label1->fontMetrics().horizontalAdvance("QTB"));
    EXPECT_EQ(about.Image1->geometry(), QRect(16, 32, 33, 33));
    EXPECT_EQ(about.Image1->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(about.Bevel1->geometry(), QRect(8, 80, 201, 2));
    EXPECT_EQ(about.Label2->text(), "Version 3.1");
    EXPECT_EQ(about.Button1->text(), "Ok");
    EXPECT_EQ(about.Button1->geometry(), QRect(128, 96, 57, 25));
}

TEST(MessageBoxes, AreModalWithOneOkButtonAndNoIcon) {
    MessageBoxSink sink;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->text(), "Решение получено!");
        EXPECT_EQ(box->windowTitle(), "QTB");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        EXPECT_TRUE(box->isModal());
        box->button(QMessageBox::Ok)->click();
    });
    sink.show("Решение получено!", "QTB");
    EXPECT_TRUE(seen);
}

TEST(ResultWindow, IsBuiltHiddenWithItsTextAndOkButton) {
    TForm3 result;
    EXPECT_FALSE(result.isVisible());
    EXPECT_EQ(result.windowTitle(), "Form3");
    EXPECT_EQ(result.ScrollBox1->geometry(), QRect(8, 8, 505, 313));
    EXPECT_EQ(result.ScrollBox1->widget(), result.Memo1);
    EXPECT_EQ(result.Memo1->toPlainText(), "Memo1");
    EXPECT_EQ(result.BitBtn1->text(), "OK");
    EXPECT_FALSE(result.BitBtn1->icon().isNull());
    EXPECT_EQ(result.BitBtn1->geometry(), QRect(424, 328, 65, 25));
    result.BitBtn1->click();
    EXPECT_EQ(result.result(), QDialog::Accepted);
}

TEST_F(Windows, TheOpenDialogStartsHereWithThePatternAndRemembersTheLastFile) {
    write_problem("first.qtb", kTwoPivotProblem);
    const QString chosen = folder.path() + "/first.qtb";
    QFileDialog& dialog = *window.OpenDialog1;

    bool seen = false;
    QTimer::singleShot(0, [&] {
        seen = dialog.isVisible();
        EXPECT_EQ(dialog.nameFilters(), (QStringList{"Файлы данных (*.qtb)", "Модели (*.lp *.mps *.mod)",
                                                     "Данные моделей MathProg (*.dat)", "Все файлы (*)"}));
        EXPECT_EQ(dialog.selectedNameFilter(), "Файлы данных (*.qtb)");
        EXPECT_EQ(QFileInfo(dialog.directory().path()).canonicalFilePath(),
                  QFileInfo(folder.path()).canonicalFilePath());
        if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit")) {
            EXPECT_EQ(name->text(), "*.qtb");
        }
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept is protected
    });
    window.FileOpenItem->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(QFileInfo(window.Edit1->text()).canonicalFilePath(), QFileInfo(chosen).canonicalFilePath());
    EXPECT_TRUE(QFileInfo(window.Edit1->text()).isAbsolute());
    EXPECT_TRUE(window.Button1->isEnabled());  // the chosen file is loaded, as Enter loads it

    // A double click in Edit1 opens the same dialog, with the last file chosen; cancelling changes nothing.
    window.Edit1->setText("typed.qtb");
    seen = false;
    QTimer::singleShot(0, [&] {
        seen = dialog.isVisible();
        ASSERT_FALSE(dialog.selectedFiles().isEmpty());
        EXPECT_EQ(QFileInfo(dialog.selectedFiles().constFirst()).fileName(), "first.qtb");
        dialog.reject();
    });
    QMouseEvent double_click(QEvent::MouseButtonDblClick, QPointF(5, 5), window.Edit1->mapToGlobal(QPointF(5, 5)),
                             Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.Edit1, &double_click);
    EXPECT_TRUE(seen);
    EXPECT_EQ(window.Edit1->text(), "typed.qtb");
    EXPECT_FALSE(window.Button1->isEnabled());  // the name is not the loaded file's
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
