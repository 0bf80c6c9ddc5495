// Reading a model beside the window: the window takes its events meanwhile, the reading can be stopped,
// and one load (or the editor's check and solve) reads the model once.
#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

#include "problem/glpk_model_reader.h"
#include "ui/main_form.h"
#include "ui/problem_editor.h"
#include "ui_test_support.h"

namespace {

const char kPlan[] = "Maximize\n obj: 3 x + 2 y\nSubject To\n c1: x + y <= 4\n c2: x >= 1\nEnd\n";

struct ModelReadingBeside : testing::Test {
    // The real reading, counted; with `while_reading` set the reading runs that in the window's thread and
    // then waits until it is stopped.
    ModelCalls counted_calls() {
        ModelCalls calls = ModelCalls::real();
        calls.load = [this, real = calls.load](const LoadRequest& request) {
            if (format_of(request) == ModelFormat::problem_file) return real(request);
            ++reads;
            if (!while_reading) return real(request);
            QMetaObject::invokeMethod(&window, while_reading);
            while (!request.stop->requested()) std::this_thread::yield();
            throw ModelReadError("чтение модели прервано");
        };
        return calls;
    }
    ProblemEditor& open_editor(const char* command) {
        window.findChild<QAction*>(command)->trigger();
        ProblemEditor* editor = window.findChildren<ProblemEditor*>().constLast();
        editor->dialogs.save_name = [](QWidget*, const QString&, const EditorFormat&) {
            return QStringLiteral("plan.lp");
        };
        return *editor;
    }
    ~ModelReadingBeside() override {
        for (ProblemEditor* open : window.findChildren<ProblemEditor*>()) delete open;
    }

    std::atomic<int> reads{0};
    std::function<void()> while_reading;
    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages, counted_calls()};
};

TEST_F(ModelReadingBeside, AReadingHoldsTheCommandsAndStopsByTheStopCommandOrByClosing) {
    const struct {
        const char* name;
        bool close;
        std::vector<Message> shown;
    } cases[] = {
        {"stop command", false, {{"Загрузка модели остановлена.", "QTB"}}},
        {"closing the window", true, {}},
    };
    for (const auto& c : cases) {
        window.show();
        write_problem("good.qtb", kTwoPivotProblem);
        window.Edit1->setText("good.qtb");
        window.Button3->click();
        std::ofstream("plan.lp", std::ios::binary) << kPlan;
        bool held = false;
        while_reading = [&] {
            held = !window.Button3->isEnabled() && !window.Button1->isEnabled() && !window.Edit1->isEnabled() &&
                   window.StopRun1->isEnabled() && window.StopRun1->text() == "Остановить загрузку" &&
                   window.ReportPath1->text().startsWith("Загрузка модели plan.lp…") &&
                   !window.ProgressBar1->isHidden();
            if (c.close)
                window.close();
            else
                window.StopRun1->trigger();
        };
        reads = 0;
        window.Edit1->setText("plan.lp");
        window.Button3->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(held) << c.name;
        EXPECT_EQ(reads, 1) << c.name;
        EXPECT_EQ(messages.take(), c.shown) << c.name;
        EXPECT_FALSE(window.Button1->isEnabled()) << c.name;
        EXPECT_TRUE(window.Button3->isEnabled()) << c.name;
        EXPECT_FALSE(window.StopRun1->isEnabled()) << c.name;
        EXPECT_EQ(window.StopRun1->text(), "Остановить решение") << c.name;
        EXPECT_EQ(window.isVisible(), !c.close) << c.name;
        EXPECT_EQ(record.file, "report.txt") << c.name;  // the problem loaded before stays
    }
}

TEST_F(ModelReadingBeside, ALoadReadsTheModelOnceAndSoDoesTheEditorsSolve) {
    std::ofstream("plan.lp", std::ios::binary) << kPlan;
    window.Edit1->setText("plan.lp");
    window.Button3->click();
    window.Button1->click();
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}, {"Решение получено!", "QTB"}}));
    EXPECT_EQ(reads, 1);

    ProblemEditor& editor = open_editor("EditProblemItem");  // its check lists the faults: one reading
    reads = 0;
    editor.SolveAction->trigger();
    EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}}));
    EXPECT_EQ(reads, 1);  // the check's reading is the load's
    EXPECT_TRUE(read_report("plan.txt"));
}

TEST_F(ModelReadingBeside, TheCheckOfAnEditedTextLeavesNoTemporaryFile) {
    QTemporaryDir temporary;
    const std::optional<QByteArray> previous =
        qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    ProblemEditor& editor = open_editor("NewProblemItem");
    for (const char* text : {"Maximize\n obj: x\nSubject To\n c1: x <= 4 ?\nEnd\n", kPlan}) {
        editor.TextEdit->setPlainText(QString::fromUtf8(text));
        editor.check();
        EXPECT_TRUE(QDir(temporary.path()).entryList(QDir::Files).isEmpty()) << text;
    }
    EXPECT_EQ(reads, 2);
    if (previous)
        qputenv("TMPDIR", *previous);
    else
        qunsetenv("TMPDIR");
}

TEST_F(ModelReadingBeside, ClosingTheEditorStopsItsCheckAndClosesItAfterwards) {
    QPointer<ProblemEditor> editor = &open_editor("NewProblemItem");
    editor->dialogs.unsaved_changes = [](QWidget*, const QString&) { return ProblemEditor::UnsavedAnswer::discard; };
    editor->show();
    editor->TextEdit->setPlainText(QString::fromUtf8(kPlan));
    while_reading = [&] { editor->close(); };
    EXPECT_FALSE(editor->check());
    ASSERT_FALSE(editor.isNull());  // still on the stack of its check: it closes afterwards
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull());
    EXPECT_FALSE(window.busy());
    EXPECT_TRUE(messages.take().empty());
}

}  // namespace
