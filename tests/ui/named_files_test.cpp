// The main window's files: a MathProg model with its data file, the open dialog's choice, and solving only
// what is loaded; the status bar says why a command cannot act.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "main_window_fixture.h"
#include "ui/main_form.h"
#include "ui_test_support.h"

namespace {

const Message kSolved{"Решение получено!", "QTB"};
const QString kNotLoaded = "Файл в поле «Файл данных» не загружен: нажмите «Загрузить данные».";

class NamedFiles : public MainWindowInFolder {};

TEST_F(NamedFiles, AMathProgModelLoadsWithTheDataFileBesideItOrTheOneNamed) {
    write_text("plan.mod", kMathProgModel);
    write_text("other.mod", kMathProgModel);
    write_text("plan.dat", kMathProgData);
    write_text("mine.dat", "data;\nparam c := 3;\nend;\n");
    const struct {
        const char* model;
        std::optional<QString> data;  // typed into DataEdit1 after the model's name; none: the offer stays
        QString offered;              // DataEdit1 once the model is named
        bool loads;
    } cases[] = {
        {"plan.mod", std::nullopt, "plan.dat", true},
        {"plan.mod", "mine.dat", "plan.dat", true},
        {"other.mod", std::nullopt, "", false},  // no data: GLPK has no value for c
        {"other.mod", "missing.dat", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " " + c.data.value_or("-").toStdString());
        window.Edit1->clear();
        window.DataEdit1->clear();
        window.Edit1->setText(c.model);
        EXPECT_TRUE(window.DataEdit1->isEnabled());
        EXPECT_EQ(window.DataEdit1->text(), c.offered);
        if (c.data) window.DataEdit1->setText(*c.data);
        window.Button3->click();
        const std::vector<Message> shown = messages.take();
        EXPECT_EQ(shown.empty(), c.loads) << (shown.empty() ? "" : shown.front().text.toStdString());
        EXPECT_EQ(window.Button1->isEnabled(), c.loads);
        if (!c.loads) continue;
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({kSolved}));
        EXPECT_TRUE(read_report("plan.txt"));
    }
    // Beside a problem file the field is closed.
    window.Edit1->setText("plan.qtb");
    EXPECT_FALSE(window.DataEdit1->isEnabled());
    EXPECT_FALSE(window.DataButton1->isEnabled());
}

TEST_F(NamedFiles, ADialogsChoiceLoadsAndADataFileGoesBesideTheModel) {
    write_problem("good.qtb", kTwoPivotProblem);
    write_text("plan.mod", kMathProgModel);
    write_text("data.dat", kMathProgData);
    std::vector<TForm1::OpenTarget> asked;
    QString answer;
    window.choose_open_file = [&](TForm1::OpenTarget target) {
        asked.push_back(target);
        return answer;
    };
    answer = folder.path() + "/good.qtb";
    window.FileOpenItem->trigger();
    EXPECT_EQ(window.Edit1->text(), answer);
    EXPECT_TRUE(window.Button1->isEnabled());
    EXPECT_EQ(record.table.rows, 3u);

    answer = folder.path() + "/plan.mod";  // no data beside it: the load fails without one
    window.FileOpenItem->trigger();
    EXPECT_FALSE(messages.take().empty());
    answer = folder.path() + "/data.dat";
    window.DataButton1->click();
    EXPECT_EQ(window.DataEdit1->text(), answer);
    EXPECT_TRUE(messages.take().empty());
    EXPECT_TRUE(window.Button1->isEnabled());
    EXPECT_EQ(asked,
              (std::vector{TForm1::OpenTarget::problem, TForm1::OpenTarget::problem, TForm1::OpenTarget::model_data}));

    answer.clear();  // cancelled: nothing changes
    window.FileOpenItem->trigger();
    EXPECT_EQ(window.Edit1->text(), folder.path() + "/plan.mod");
    EXPECT_TRUE(window.Button1->isEnabled());
}

TEST_F(NamedFiles, OnlyTheLoadedFilesCanBeSolved) {
    write_problem("good.qtb", kTwoPivotProblem);
    write_text("plan.mod", kMathProgModel);
    write_text("plan.dat", kMathProgData);
    write_text("mine.dat", kMathProgData);
    load("plan.mod");
    ASSERT_TRUE(messages.take().empty());
    const struct {
        QString problem, data;
        bool solvable;
        QString said;
    } steps[] = {
        {"good.qtb", "plan.dat", false, kNotLoaded},
        {"plan.mod", "plan.dat", true, ""},
        {folder.path() + "/./plan.mod", "plan.dat", true, ""},  // the same file by another spelling
        {"plan.mod", "mine.dat", false, "Файл данных модели не тот, что загружен: нажмите «Загрузить данные»."},
        {"plan.mod", "plan.dat", true, ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE((step.problem + " " + step.data).toStdString());
        window.Edit1->setText(step.problem);
        window.DataEdit1->setText(step.data);
        EXPECT_EQ(window.Button1->isEnabled(), step.solvable);
        EXPECT_EQ(window.StatusBar1->currentMessage(), step.said);
    }
}

TEST_F(NamedFiles, ANewLoadForgetsTheLastReportAndCommandsThatCannotActSaySo) {
    const struct {
        QAction* TForm1::*command;
        QString said;
    } idle[] = {
        {&TForm1::ShowSolutionItem, "Решения ещё нет: загрузите задачу и нажмите «Решить задачу»."},
        {&TForm1::OpenReport1, "Отчёта нет: задача после загрузки не решалась или таблицы не выводились."},
    };
    for (const auto& c : idle) {
        window.StatusBar1->clearMessage();
        (window.*c.command)->setEnabled(true);  // as a shortcut would reach it
        (window.*c.command)->trigger();
        EXPECT_EQ(window.StatusBar1->currentMessage(), c.said);
    }

    write_problem("good.qtb", kTwoPivotProblem);
    load("good.qtb");
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    EXPECT_TRUE(window.ReportPath1->text().startsWith("Отчёт: "));
    EXPECT_TRUE(window.OpenReport1->isEnabled());
    load("good.qtb");
    EXPECT_EQ(window.ReportPath1->text(), "");
    EXPECT_FALSE(window.OpenReport1->isEnabled());
    EXPECT_FALSE(window.OpenReportFolder1->isEnabled());
}

}  // namespace
