// Loading models (CPLEX LP here; the reader's formats are tested with the reader): the report of a
// solved model and the one box of a model that cannot be taken.
#include <QApplication>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "problem/model_loading.h"
#include "ui/failure_text.h"
#include "ui/main_form.h"
#include "ui_test_support.h"

namespace {

const Message kSolved{"Решение получено!", "QTB"};

// Two "<=" rows and one ">=" row: a slack, a surplus and an artificial column.
const std::string kPlan =
    "Maximize\n"
    " profit: 3 x + 2 y\n"
    "Subject To\n"
    " wood: x + y <= 4\n"
    " time: x + 3 y <= 6\n"
    " some: x >= 1\n"
    "End\n";

class ModelLoad : public testing::Test {
protected:
    void load(const QString& file_name) {
        window.Edit1->setText(file_name);
        window.Button3->click();
    }
    static void write_text(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages};
};

TEST_F(ModelLoad, ASolvedModelsReportOpensWithTheConstructionAndEndsWithTheAnswer) {
    write_text("plan.lp", kPlan);
    load("plan.lp");
    ASSERT_TRUE(messages.take().empty());
    EXPECT_TRUE(window.Button1->isEnabled());
    EXPECT_TRUE(window.RadioButton1->isChecked());
    EXPECT_EQ(window.Edit4->text(), QString::number(SimplexIteration().width));
    EXPECT_EQ(window.Edit5->text(), QString::number(SimplexIteration().precision));
    EXPECT_EQ(record.file, "plan.txt");

    std::string opening;  // the construction, as the report writes it
    for (const std::string& line : load_model("plan.lp", ModelFormat::cplex_lp).construction)
        opening += cp1251::to_utf8(line) + "\r\n";
    for (int run = 0; run < 2; ++run) {  // a second solve writes the same frame again
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({kSolved}));
        const std::optional<std::string> report = read_report("plan.txt");
        ASSERT_TRUE(report);
        EXPECT_EQ(report->substr(0, opening.size()), opening);
        EXPECT_EQ(count_of(*report, opening), 1);
        EXPECT_NE(report->find("Ответ в переменных модели:"), std::string::npos);
    }

    // A problem file loaded afterwards has no frame.
    write_problem("plain.qtb", kTwoPivotProblem);
    load("plain.qtb");
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    EXPECT_EQ(count_of(read_report("report.txt").value(), opening), 0);
}

TEST_F(ModelLoad, AModelThatCannotBeTakenGivesOneBoxAndKeepsTheRecord) {
    std::string too_large = "Minimize\n obj: x\nSubject To\n";
    for (int row = 0; row < 301; ++row) too_large += " r" + std::to_string(row) + ": x <= 1\n";
    too_large += "End\n";
    const struct {
        std::string text;
        std::string part;  // of the box's text
    } cases[] = {
        {"Maximize\n obj: x\nSubject To\n c1: x <= 4 ?\nEnd\n", "bad.lp:4:"},  // GLPK's message and line
        {too_large, "300"},
        {"Maximize\n obj: x\nSubject To\n c1: x <= 4\n c2: 0 x >= 1\nEnd\n", status_message(13).toStdString()},
    };
    write_problem("good.qtb", kTwoPivotProblem);
    load("good.qtb");
    ASSERT_TRUE(messages.take().empty());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part);
        write_text("bad.lp", c.text);
        load("bad.lp");
        const std::vector<Message> shown = messages.take();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].caption, kErrorCaption);
        EXPECT_NE(shown[0].text.toStdString().find(c.part), std::string::npos) << shown[0].text.toStdString();
        EXPECT_FALSE(window.Button1->isEnabled());
        EXPECT_EQ(record.file, "report.txt");
        EXPECT_EQ(record.table.rows, 3u);
    }
}

}  // namespace
