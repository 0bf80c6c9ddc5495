// Runs in a worker: the same report as the engine writes, the stop command, the question before a huge
// report, the report beside the problem and the commands that open it, the switches; Enter and Escape.
#include <QApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QUrl>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "problem/cp1251.h"
#include "solver/run_observer.h"
#include "solver/simplex_engine.h"
#include "ui/About.h"
#include "ui/main_form.h"
#include "ui_test_support.h"

namespace {

const Message kSolved{"Решение получено!", "QTB"};

void press_key(QWidget* widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

std::string file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Runs : public testing::Test {
protected:
    Runs() {
        window.desktop = {[this](const QString& text, const QString&) {
                              questions.push_back(text);
                              return false;
                          },
                          [this](const QUrl& url) {
                              opened.push_back(url);
                              return true;
                          }};
    }

    // Loads by Enter in the file name box.
    void load(const std::string& name, const std::string& problem) {
        write_problem(name, problem);
        window.Edit1->setText(QString::fromStdString(name));
        press_key(window.Edit1, Qt::Key_Return);
        ASSERT_TRUE(messages.take().empty());
        ASSERT_TRUE(window.Button1->isEnabled());
    }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages};
    std::vector<QString> questions;
    std::vector<QUrl> opened;
};

TEST_F(Runs, AWorkerWritesTheReportTheEngineWrites) {
    load("problem.qtb", kTwoPivotProblem);
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    SimplexIteration direct = record;
    direct.file = "direct.txt";
    static_cast<void>(solve(direct));
    EXPECT_EQ(file_bytes("report.txt"), file_bytes("direct.txt"));
    ASSERT_NE(window.last_run(), nullptr);
    EXPECT_EQ(window.last_run()->tables.size(), 3U);
    EXPECT_TRUE(window.Edit1->isEnabled());
    EXPECT_FALSE(window.StopRun1->isEnabled());
}

TEST_F(Runs, TheReportLandsBesideTheProblemAndItsCommandsFindIt) {
    EXPECT_EQ(window.ReportPath1->text(), "");
    std::filesystem::create_directory("sub");
    load("sub/problem.qtb", kTwoPivotProblem);
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    const std::filesystem::path report = std::filesystem::absolute("sub/report.txt");
    EXPECT_TRUE(std::filesystem::exists(report));
    EXPECT_FALSE(std::filesystem::exists("report.txt"));
    EXPECT_EQ(window.ReportPath1->text(), "Отчёт: " + QString::fromStdString(report.string()));
    window.OpenReport1->trigger();
    window.OpenReportFolder1->trigger();
    EXPECT_EQ(opened, (std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(report.string())),
                                         QUrl::fromLocalFile(QString::fromStdString(report.parent_path().string()))}));
}

TEST_F(Runs, TheSwitchesReachTheRun) {
    const struct {
        QAction* TForm1::*toggle;
        const char* in_report;  // UTF-8
        bool utf8;
    } cases[] = {
        {nullptr, "0.5000", false},
        {&TForm1::ExactArithmetic1, "1/2", false},
        {&TForm1::BlandRule1, "0.5000", false},
        {&TForm1::Utf8Report1, "0.5000", true},
    };
    load("problem.qtb", kTwoPivotProblem);
    for (const auto& c : cases) {
        for (QAction* action : {window.ExactArithmetic1, window.BlandRule1, window.Utf8Report1})
            action->setChecked(c.toggle != nullptr && action == window.*c.toggle);
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({kSolved}));
        const std::string bytes = file_bytes("report.txt");
        const std::string text = c.utf8 ? bytes : cp1251::to_utf8(bytes);
        EXPECT_NE(text.find(c.in_report), std::string::npos) << text;
        EXPECT_NE(text.find("исходная таблица"), std::string::npos);
        EXPECT_EQ(bytes.find('\r') == std::string::npos, c.utf8);
        const RunSettings& used = window.last_run()->outcome.settings;
        EXPECT_EQ(used.arithmetic == Arithmetic::exact, c.toggle == &TForm1::ExactArithmetic1);
        EXPECT_EQ(used.rule == PivotRule::bland, c.toggle == &TForm1::BlandRule1);
    }
}

TEST_F(Runs, AHugeReportIsAskedForAndNoWritesNothing) {
    load("problem.qtb", kTwoPivotProblem);
    window.Edit4->setText("2147483647");
    window.Button1->click();
    ASSERT_EQ(questions.size(), 1U);
    EXPECT_TRUE(questions[0].startsWith("Отчёт может занять около ")) << questions[0].toStdString();
    EXPECT_TRUE(questions[0].endsWith(" ГБ. Продолжить?"));
    EXPECT_TRUE(messages.take().empty());
    EXPECT_FALSE(std::filesystem::exists("report.txt"));
    EXPECT_EQ(window.last_run(), nullptr);
}

TEST(RunStop, TheStopCommandEndsARunAtItsNextTable) {
    TemporaryCurrentFolder folder;
    std::filesystem::copy_file(QTB_SOURCE_DIR "/examples/models/klee_minty.lp", "klee_minty.lp");
    SimplexIteration record;
    RecordedMessages messages;
    ModelCalls calls = ModelCalls::real();
    TForm1* window = nullptr;
    bool held_during_run = false;
    // After the first pivot the run waits until the window, still taking events, has been told to stop.
    calls.watched_solve = [real = calls.watched_solve, &window, &held_during_run](
                              SimplexIteration run, const RunSettings& settings, const ReportFrame& frame,
                              const RunObserver& observer) {
        RunObserver watched = observer;
        watched.progress = [&](std::int32_t pivots, std::int32_t limit) {
            observer.progress(pivots, limit);
            if (pivots != 1) return;
            QMetaObject::invokeMethod(window, [&] {
                held_during_run = !window->Button1->isEnabled() && !window->Edit1->isEnabled() &&
                                  !window->FileOpenItem->isEnabled() && !window->ProgressBar1->isHidden();
                window->StopRun1->trigger();
            });
            while (!observer.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
        return real(std::move(run), settings, frame, watched);
    };
    TForm1 form(record, messages, calls);
    window = &form;
    form.Edit1->setText("klee_minty.lp");
    form.Button3->click();
    ASSERT_TRUE(messages.take().empty());
    form.Button1->click();

    EXPECT_TRUE(held_during_run);
    EXPECT_EQ(messages.take(), boxes({{"Решение остановлено.", "QTB"}}));
    EXPECT_TRUE(form.ReportPath1->text().startsWith("Решение остановлено. Отчёт: "));
    const std::string report = cp1251::to_utf8(file_bytes("klee_minty.txt"));
    EXPECT_TRUE(report.ends_with(stopped_run_text(1) + "\r\n")) << report;
    ASSERT_NE(form.last_run(), nullptr);
    EXPECT_TRUE(form.last_run()->outcome.stopped);
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_TRUE(form.ProgressBar1->isHidden());
}

TEST(AboutWindow, EscapeClosesIt) {
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window(record, messages);
    window.About1->trigger();
    const QPointer<TForm2> about = Form2;
    ASSERT_TRUE(about && about->isVisible());
    press_key(about, Qt::Key_Escape);
    EXPECT_TRUE(!about || !about->isVisible());
}

}  // namespace
