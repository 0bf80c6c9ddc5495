// The problem editor: its templates, its faults at their lines, saving, solving in the main window, closing.
#include <QApplication>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include "ui/editor_formats.h"
#include "ui/main_form.h"
#include "ui/problem_editor.h"
#include "ui_test_support.h"

namespace {

struct Editor : testing::Test {
    Editor() { window.show(); }
    ~Editor() override {
        for (ProblemEditor* open : window.findChildren<ProblemEditor*>()) delete open;
    }
    // Opens an editor by the main window's menu command; saving names the file `save_as`.
    ProblemEditor& open(const char* command, const QString& save_as = {}) {
        window.findChild<QAction*>(command)->trigger();
        ProblemEditor* editor = window.findChildren<ProblemEditor*>().constLast();
        editor->dialogs.save_name = [save_as](QWidget*, const QString&, const EditorFormat&) { return save_as; };
        editor->dialogs.unsaved_changes = [this](QWidget*, const QString&) { return answer; };
        return *editor;
    }
    static QByteArray bytes_of(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages};
    ProblemEditor::UnsavedAnswer answer = ProblemEditor::UnsavedAnswer::cancel;
};

TEST_F(Editor, TheTemplateOfEachFormatSolvesInTheMainWindowOnceSaved) {
    const struct {
        const EditorFormat& format;
        const char* saved;
        const char* report;
        std::size_t variables;  // of the problem in the main window's record: none for a transport problem
    } cases[] = {{editor_format(ModelFormat::cplex_lp), "plan.lp", "plan.txt", 4},
                 {editor_format(ModelFormat::mathprog), "plan.mod", "plan.txt", 4},
                 {editor_format(ModelFormat::mps), "plan.mps", "plan.txt", 4},
                 {editor_format(ModelFormat::problem_file), "plan.qtb", "report.txt", 4},
                 {transport_editor_format(), "plan.qtt", "report.txt", 0}};
    for (const auto& c : cases) {
        ProblemEditor& editor = open("NewProblemItem", "plan");
        editor.FormatBox->setCurrentIndex(static_cast<int>(&c.format - editor_formats().data()));
        emit editor.FormatBox->activated(editor.FormatBox->currentIndex());
        EXPECT_TRUE(editor.check()) << c.saved << ": " << editor.FaultList->item(0)->text().toStdString();
        editor.SolveAction->trigger();
        EXPECT_EQ(bytes_of(c.saved), c.format.template_text.toUtf8()) << c.saved;
        EXPECT_TRUE(window.Edit1->text().endsWith(c.saved));
        EXPECT_EQ(record.variable_count(), c.variables) << c.saved;
        EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}})) << c.saved;
        EXPECT_TRUE(read_report(c.report)) << c.saved;
        EXPECT_TRUE(editor.windowTitle().startsWith(QStringLiteral("Редактор задачи — ") + c.saved));
        QFile::remove(c.saved);
    }
}

TEST_F(Editor, AFaultIsListedAtItsLineAndMarksIt) {
    const struct {
        const char* file;
        const char* text;
        int line;
    } cases[] = {
        {"bad.lp", "Maximize\n obj: x\nSubject To\n c1: x <= 4 ?\nEnd\n", 4},
        {"bad.qtb", "Name: Задача\nAim: max\nAccuracy: 5 5\nSize: 1 2\nMatrix:\n1 0\n1 1 0\nFile: r.txt\n", 3},
        {"bad.qtt",
         "Name: Перевозки\nAim: min\nSize: 2 2\nSupplies: 10 10\nDemands: 5 15\nCosts:\n1 2\n3 ?\nFile: r.txt\n", 8},
    };
    for (const auto& c : cases) {
        write_problem(c.file, c.text);
        window.Edit1->setText(c.file);
        ProblemEditor& editor = open("EditProblemItem");
        EXPECT_EQ(editor.TextEdit->toPlainText(), QString::fromUtf8(c.text));
        EXPECT_FALSE(editor.check());
        ASSERT_EQ(editor.FaultList->count(), 1) << c.file;
        QListWidgetItem* fault = editor.FaultList->item(0);
        EXPECT_TRUE(fault->text().startsWith(QStringLiteral("Строка %1: ").arg(c.line))) << fault->text().toStdString();
        ASSERT_EQ(editor.TextEdit->extraSelections().size(), 1);
        EXPECT_EQ(editor.TextEdit->extraSelections()[0].cursor.blockNumber(), c.line - 1);
        editor.TextEdit->moveCursor(QTextCursor::End);
        emit editor.FaultList->itemActivated(fault);
        EXPECT_EQ(editor.TextEdit->textCursor().blockNumber(), c.line - 1);
    }
}

TEST_F(Editor, EscapeClosesAndUnsavedChangesAreAskedFor) {
    QPointer<ProblemEditor> editor = &open("NewProblemItem");
    QApplication::setActiveWindow(editor);
    QTest::keyClick(editor->TextEdit, Qt::Key_Escape);
    EXPECT_TRUE(editor.isNull() || !editor->isVisible());  // the untouched template goes without a question

    editor = &open("NewProblemItem");
    editor->TextEdit->insertPlainText("\\ changed\n");
    QApplication::setActiveWindow(editor);
    QTest::keyClick(editor->TextEdit, Qt::Key_Escape);
    ASSERT_FALSE(editor.isNull());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(window.close());  // the main window's end asks the same
    answer = ProblemEditor::UnsavedAnswer::discard;
    QTest::keyClick(editor->TextEdit, Qt::Key_Escape);
    EXPECT_TRUE(editor.isNull() || !editor->isVisible());
}

TEST_F(Editor, CtrlEFromTheFileBoxAndTheStatusBarsButtonShowTheNamedFilesFaults) {
    write_problem("good.qtb", kTwoPivotProblem);
    write_problem("faults.qtb", "Aim: sideways\nSize: 1 2\nMatrix:\n 1 1\n 1  1 0\n");
    for (const char* name : {"good.qtb", "faults.qtb"}) {
        window.Edit1->setText(name);
        window.Button3->click();
    }
    messages.take();
    EXPECT_EQ(window.StatusBar1->currentMessage(), "Файл не загружен: в нём есть ошибки.");
    EXPECT_TRUE(window.ShowFaults1->isVisible());
    const std::function<void()> ways[] = {
        [this] {
            QApplication::setActiveWindow(&window);
            window.Edit1->setFocus();
            QTest::keyClick(window.Edit1, Qt::Key_E, Qt::ControlModifier);
        },
        [this] { window.ShowFaults1->click(); },
    };
    for (const auto& way : ways) {
        way();
        const QList<ProblemEditor*> open = window.findChildren<ProblemEditor*>();
        ASSERT_EQ(open.size(), 1);
        EXPECT_TRUE(open[0]->file_name().endsWith("/faults.qtb"));  // not the loaded good.qtb
        ASSERT_EQ(open[0]->FaultList->count(), 3);
        EXPECT_TRUE(open[0]->FaultList->item(0)->text().startsWith("Строка 1: "));
        delete open[0];
    }
    window.Edit1->setText("good.qtb");
    EXPECT_FALSE(window.ShowFaults1->isVisible());
    EXPECT_TRUE(window.Button1->isEnabled());  // the record is still good.qtb's
}

TEST_F(Editor, OpensAnyFileAndReadsAMathProgModelWithItsDataFile) {
    write_text("plan.mod", kMathProgModel);
    write_text("plan.dat", kMathProgData);
    write_text("bad.dat", "data;\nparam c := ?;\nend;\n");
    ProblemEditor& editor = open("NewProblemItem");
    editor.dialogs.open_name = [this](QWidget*, const QString&, const QString&, const QString&) {
        return folder.path() + "/plan.mod";
    };
    QApplication::setActiveWindow(&editor);
    QTest::keyClick(editor.TextEdit, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(editor.TextEdit->toPlainText(), QString::fromStdString(kMathProgModel));
    EXPECT_EQ(editor.DataFileEdit->text(), folder.path() + "/plan.dat");  // offered beside the model
    EXPECT_TRUE(editor.DataFileEdit->isEnabled());

    const struct {
        QString data;
        QString fault;  // in the only fault, which stands at no line of the model; empty: none
    } cases[] = {{"bad.dat", "bad.dat:2: "}, {"", "нет значения для c"}, {"plan.dat", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data.toStdString());
        editor.set_data_file(c.data);
        EXPECT_EQ(editor.check(), c.fault.isEmpty());
        if (c.fault.isEmpty()) continue;
        ASSERT_EQ(editor.FaultList->count(), 1);
        EXPECT_TRUE(editor.FaultList->item(0)->text().contains(c.fault))
            << editor.FaultList->item(0)->text().toStdString();
        if (!c.data.isEmpty()) {
            EXPECT_EQ(editor.FaultList->item(0)->data(Qt::UserRole).toInt(), 0);
        }
    }
    editor.SolveAction->trigger();
    EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}}));
    EXPECT_EQ(window.DataEdit1->text(), "plan.dat");
    EXPECT_TRUE(window.Button1->isEnabled());
}

TEST_F(Editor, EscapeClosesTheOpenFormatListBeforeTheWindow) {
    QPointer<ProblemEditor> editor = &open("NewProblemItem");
    QApplication::setActiveWindow(editor);
    editor->FormatBox->showPopup();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(editor->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_FALSE(editor.isNull());
    EXPECT_TRUE(editor->isVisible());
    // The offscreen platform leaves the closed list the focus window; a desktop gives the editor back its focus.
    editor->activateWindow();
    QApplication::setActiveWindow(editor);
    QTest::keyClick(editor->windowHandle(), Qt::Key_Escape);  // nothing open: the window goes
    EXPECT_TRUE(editor.isNull() || !editor->isVisible());
}

}  // namespace
