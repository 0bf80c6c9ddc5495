// Runs in a worker: the engine's report, beside the problem; the stop command; the question before a
// huge report; the switches; Enter loads and Escape closes About.
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QProgressBar>
#include <QSettings>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "solver/engine/run_observer.h"
#include "solver/report/outcome_texts.h"
#include "solver/session/run_with_report.h"
#include "ui/About.h"
#include "ui/main_form.h"
#include "ui/solution_window.h"
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
    // The real calls; with stop_after_first_pivot the run waits after its first pivot until the window,
    // still taking events, has been told to stop.
    ModelCalls watched_calls() {
        ModelCalls calls = ModelCalls::real();
        calls.run = [this, real = calls.run](const LoadedProblem& loaded, SimplexIteration run,
                                             const SessionSettings& settings, const RunObserver& observer) {
            RunObserver watched = observer;
            watched.progress = [&](std::int32_t pivots, std::int32_t limit) {
                observer.progress(pivots, limit);
                if (pivots != 1 || !stop_after_first_pivot) return;
                QMetaObject::invokeMethod(&window, [this] {
                    held_during_run = !window.Button1->isEnabled() && !window.Edit1->isEnabled() &&
                                      !window.FileOpenItem->isEnabled() && !window.ProgressBar1->isHidden();
                    window.StopRun1->trigger();
                    stopping_shown = window.ReportPath1->text() == "Останавливаю…";
                });
                while (!observer.stop_requested()) std::this_thread::yield();
            };
            return real(loaded, std::move(run), settings, watched);
        };
        return calls;
    }

    void load_by_enter(const std::string& name) {
        window.Edit1->setText(QString::fromStdString(name));
        press_key(window.Edit1, Qt::Key_Return);
        ASSERT_TRUE(messages.take().empty());
        ASSERT_TRUE(window.Button1->isEnabled());
    }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages, watched_calls()};
    std::vector<QString> questions;
    std::vector<QUrl> opened;
    bool stop_after_first_pivot = false;
    bool held_during_run = false;
    bool stopping_shown = false;  // at once, as the stop was asked
};

// The bar at the end of a run: the pivots made of the pivots made.
void expect_full_progress(const QProgressBar& bar, int pivots) {
    EXPECT_EQ(bar.maximum(), pivots);
    EXPECT_EQ(bar.value(), pivots);
}

TEST_F(Runs, AWorkerWritesTheEnginesReportBesideTheProblem) {
    window.desktop.open_url = [this](const QUrl& url) { return opened.push_back(url), true; };
    std::filesystem::create_directory("sub");
    write_problem("sub/problem.qtb", kTwoPivotProblem);
    load_by_enter("sub/problem.qtb");
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    expect_full_progress(*window.ProgressBar1, 2);
    SimplexIteration direct = record;
    direct.file = "direct.txt";
    static_cast<void>(solve(direct));
    const std::filesystem::path report = std::filesystem::absolute("sub/report.txt");
    EXPECT_EQ(file_bytes(report), file_bytes("direct.txt"));
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
    } cases[] = {{&TForm1::ExactArithmetic1, "1/2"},
                 {&TForm1::BlandRule1, "0.5000"},
                 {&TForm1::Utf8Report1, "0.5000"},
                 {&TForm1::Explain1, "Разрешающий элемент"}};
    write_problem("problem.qtb", kTwoPivotProblem);
    load_by_enter("problem.qtb");
    for (const auto& c : cases) {
        (window.*c.toggle)->setChecked(true);
        window.Button1->click();
        (window.*c.toggle)->setChecked(false);
        EXPECT_EQ(messages.take(), boxes({kSolved}));
        const bool utf8 = c.toggle == &TForm1::Utf8Report1;
        const std::string bytes = file_bytes("report.txt");
        EXPECT_NE((utf8 ? bytes : cp1251::to_utf8(bytes)).find(c.in_report), std::string::npos) << bytes;
        EXPECT_EQ(bytes.find('\r') == std::string::npos, utf8);
        const RunSettings& used = window.last_run()->outcome.settings;
        EXPECT_EQ(used.arithmetic == Arithmetic::exact, c.toggle == &TForm1::ExactArithmetic1);
        EXPECT_EQ(used.rule == PivotRule::bland, c.toggle == &TForm1::BlandRule1);
        EXPECT_EQ(used.explain, c.toggle == &TForm1::Explain1);
        EXPECT_EQ(bytes.find("b / a") != std::string::npos, c.toggle == &TForm1::Explain1);
    }
}

// The integer method of the menu: branch and bound gives the tree its page, Gomory's cuts their rows, the
// relaxation neither; the choice is kept in the settings.
TEST_F(Runs, TheIntegerMethodReachesTheRun) {
    const struct {
        QAction* TForm1::*choice;
        IntegerMethod method;
        bool tree;
        bool cuts;
    } cases[] = {{&TForm1::BranchAndBound1, IntegerMethod::branch, true, false},
                 {&TForm1::RelaxIntegers1, IntegerMethod::relax, false, false},
                 {&TForm1::GomoryCuts1, IntegerMethod::gomory, false, true},
                 {&TForm1::BranchAndBound1, IntegerMethod::branch, true, false}};
    window.KeepRunSwitchesInSettings();
    // Whether an earlier report may be replaced is asked about elsewhere; here the answer is yes.
    window.desktop.ask = [](const QString&, const QString&) { return true; };
    write_problem("integer.qtb",
                  "Aim: max\nSize: 2 4\nInteger: 2 1 2\nMatrix:\n7 10 0 0\n6 -1 3 1 0\n35 7 1 0 1\nFile: r.txt\n");
    load_by_enter("integer.qtb");
    for (const auto& c : cases) {
        (window.*c.choice)->trigger();
        EXPECT_EQ(QSettings(QStringLiteral("QTB"), QStringLiteral("qtb")).value("runs/integer").toString(),
                  QString::fromLatin1(integer_method_word(c.method)));
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({kSolved}));
        const SolveOutcome& outcome = window.last_run()->outcome;
        EXPECT_EQ(outcome.settings.integer, c.method);
        EXPECT_EQ(!outcome.nodes.empty(), c.tree);
        EXPECT_EQ(!outcome.cuts.empty(), c.cuts);
        const auto* solution = window.findChild<SolutionWindow*>();
        ASSERT_NE(solution, nullptr);
        EXPECT_EQ(solution->Tabs->indexOf(solution->TreePage) >= 0, c.tree);
    }
}

TEST_F(Runs, AHugeReportIsAskedForAndNoWritesNothing) {
    window.desktop.ask = [this](const QString& text, const QString&) { return questions.push_back(text), false; };
    write_problem("problem.qtb", kTwoPivotProblem);
    load_by_enter("problem.qtb");
    window.Edit4->setText("2147483647");
    window.Button1->click();
    ASSERT_EQ(questions.size(), 1U);
    EXPECT_TRUE(questions[0].startsWith("Отчёт может занять около ") && questions[0].endsWith(" ГБ. Продолжить?"));
    EXPECT_TRUE(messages.take().empty());
    EXPECT_FALSE(std::filesystem::exists("report.txt"));
}

// The window asks before its report replaces a file it did not write or leaves the problem's folder;
// "Нет" leaves the file as it was and runs nothing.
TEST_F(Runs, AsksBeforeTheReportReplacesAFileItDidNotWrite) {
    std::filesystem::create_directory("sub");
    const struct {
        const char* report;  // as the problem file names it, from sub/
        const char* kept;    // where it lands, from the current folder
        bool exists;         // a file the program did not write stands there
        const char* asked;   // the start of the first question
        std::size_t questions;
    } cases[] = {
        {"report.txt", "sub/report.txt", true, "Файл «", 1},
        {"../x", "x", false, "Файл задачи велит записать отчёт в «", 1},
        {"../grades.txt", "grades.txt", true, "Файл задачи велит записать отчёт в «", 2},  // then: not written by it
    };
    for (const bool yes : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.report) + (yes ? " yes" : " no"));
            questions.clear();
            window.desktop.ask = [&](const QString& text, const QString&) { return questions.push_back(text), yes; };
            std::filesystem::remove(c.kept);
            if (c.exists) write_problem(c.kept, "мои заметки\n");
            const std::string kept = file_bytes(c.kept);
            write_problem("sub/problem.qtb", kTwoPivotProblem + "File: " + c.report + "\n");
            load_by_enter("sub/problem.qtb");
            window.Button1->click();
            ASSERT_EQ(questions.size(), yes ? c.questions : 1U);
            EXPECT_TRUE(questions[0].startsWith(c.asked)) << questions[0].toStdString();
            EXPECT_EQ(messages.take(), yes ? boxes({kSolved}) : boxes({}));
            EXPECT_EQ(file_bytes(c.kept) == kept, !yes);
            EXPECT_EQ(std::filesystem::exists(c.kept), yes || c.exists);
        }
    }
    // Its own report, in the problem's folder, it writes again without a question.
    write_problem("sub/problem.qtb", kTwoPivotProblem);
    load_by_enter("sub/problem.qtb");
    questions.clear();
    window.Button1->click();
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(messages.take(), boxes({kSolved}));
}

TEST_F(Runs, TheStopCommandEndsARunAtItsNextTable) {
    std::filesystem::copy_file(QTB_SOURCE_DIR "/examples/models/klee_minty.lp", "klee_minty.lp");
    load_by_enter("klee_minty.lp");
    stop_after_first_pivot = true;
    window.Button1->click();
    EXPECT_TRUE(held_during_run);
    EXPECT_TRUE(stopping_shown);
    EXPECT_EQ(messages.take(), boxes({{"Решение остановлено.", "QTB"}}));
    expect_full_progress(*window.ProgressBar1, 1);
    // The solution's notes say only that it was stopped.
    auto* solution = window.findChild<SolutionWindow*>();
    ASSERT_NE(solution, nullptr);
    const QString notes = solution->OutcomeView->toPlainText();
    EXPECT_TRUE(notes.contains(QString::fromStdString(stopped_run_text(1)))) << notes.toStdString();
    EXPECT_FALSE(notes.contains("предел")) << notes.toStdString();
    EXPECT_TRUE(solution->TableList->item(solution->TableList->count() - 1)->text().endsWith(" — остановлено"));
    EXPECT_TRUE(window.ReportPath1->text().startsWith("Решение остановлено. Отчёт: "));
    EXPECT_TRUE(cp1251::to_utf8(file_bytes("klee_minty.txt")).ends_with(stopped_run_text(1) + "\r\n"));
    EXPECT_TRUE(window.Button1->isEnabled() && window.ProgressBar1->isHidden());
    // Its export stops where the run was stopped, and says so too.
    solution->choose_file = [](const QString&, const QString&, const QString&, QString*) {
        return QDir::current().absoluteFilePath("exported.txt");
    };
    solution->ExportRun();
    EXPECT_TRUE(cp1251::to_utf8(file_bytes("exported.txt")).ends_with(stopped_run_text(1) + "\r\n"));
}

TEST_F(Runs, EscapeClosesAbout) {
    window.About1->trigger();
    const QPointer<TForm2> about = Form2;
    press_key(about, Qt::Key_Escape);
    EXPECT_TRUE(!about || !about->isVisible());
}

}  // namespace
