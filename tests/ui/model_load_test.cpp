// Loading a model (CPLEX LP; the formats themselves are the reader's tests): its report and its failure.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include <fstream>
#include <string>

#include "main_window_fixture.h"
#include "problem/cp1251.h"
#include "problem/model_loading.h"
#include "ui/main_form.h"
#include "ui/solution_window.h"
#include "ui_test_support.h"

namespace {

// Writes the file, then loads it.
class ModelLoad : public MainWindowInFolder {
protected:
    void load(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
        MainWindowInFolder::load(name);
    }
};

TEST_F(ModelLoad, EachSolveWritesTheConstructionFirstUntilAProblemFileIsLoaded) {
    load("plan.lp", "Maximize\n obj: 3 x + 2 y\nSubject To\n c1: x + y <= 4\n c2: x >= 1\nEnd\n");
    std::string construction;
    for (const std::string& line : load_model("plan.lp", ModelFormat::cplex_lp).construction)
        construction += cp1251::to_utf8(line) + "\r\n";
    for (int run = 0; run < 2; ++run) {
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}}));
        EXPECT_EQ(read_report("plan.txt").value().find(construction), 0u);
    }
    load("plain.qtb", cp1251::from_utf8(kTwoPivotProblem).value());
    window.Button1->click();
    EXPECT_EQ(count_of(read_report("report.txt").value(), construction), 0);
}

// Beale's example cycles: the box names the repeat instead of announcing a solution, and the report
// ends with the same words, not with the model's answer.
TEST_F(ModelLoad, ACyclingModelSaysSoInItsBoxAndItsReport) {
    load("beale.lp",
         "Minimize\n cost: -0.75 x4 + 150 x5 - 0.02 x6 + 6 x7\nSubject To\n"
         " r1: 0.25 x4 - 60 x5 - 0.04 x6 + 9 x7 <= 0\n r2: 0.5 x4 - 90 x5 - 0.02 x6 + 3 x7 <= 0\n r3: x6 <= 1\nEnd\n");
    window.Button1->click();
    const std::vector<Message> shown = messages.take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.startsWith("Базис итерации 6 повторяет базис итерации 0")) << shown[0].text.toStdString();
    const std::string report = read_report("beale.txt").value();
    EXPECT_TRUE(report.ends_with("Счёт остановлен на итерации 6: оптимум не получен.\r\n")) << report;
}

TEST_F(ModelLoad, ABrokenModelIsOneBoxWithGlpksLineAndKeepsTheRecord) {
    load("good.qtb", cp1251::from_utf8(kTwoPivotProblem).value());
    load("bad.lp", "Maximize\n obj: x\nSubject To\n c1: x <= 4 ?\nEnd\n");
    const std::vector<Message> shown = messages.take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.startsWith("bad.lp:4: ")) << shown[0].text.toStdString();
    EXPECT_EQ(shown[0].caption, kErrorCaption);
    EXPECT_FALSE(window.Button1->isEnabled());
    EXPECT_EQ(record.file, "report.txt");
}

}  // namespace

// A model's solution window speaks of the model: its picture in its own two variables and the
// sensitivity analysis in its own rows.
TEST_F(ModelLoad, TheSolutionOfATwoVariableModelHasItsPictureAndItsAnalysis) {
    load("two.lp", "Minimize\n cost: 2 x + 3 y\nSubject To\n a: x + y >= 4\n b: x + 3 y >= 6\nEnd\n");
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}}));
    const std::shared_ptr<const RecordedRun> run = window.last_run();
    ASSERT_TRUE(run);
    EXPECT_TRUE(run->plane);
    ASSERT_FALSE(run->sections.empty());
    ASSERT_FALSE(run->sections.front().rows.empty());
    EXPECT_EQ(run->sections.front().rows.front().front(), "a");
}

// The «Результат» tab writes the answer and every number of the analysis, the ranges too, with the digits
// after the point the main window sets, for a model and for a problem file alike.
TEST_F(ModelLoad, TheResultFollowsTheDigitsAfterThePoint) {
    const std::string model =
        "Maximize\n profit: 5 tables + 4 chairs\nSubject To\n boards: 2 tables + 3 chairs <= 12\n"
        " labour: 4 tables + chairs <= 16\nEnd\n";
    const std::string problem_file = *cp1251::from_utf8(
        "Имя: Мебель\nЦель: max\nРазмерность: 2 4\nПеременные: столы стулья s1 s2\nМатрица:\n"
        "  5 4 0 0\n  12  2 3 1 0\n  16  4 1 0 1\nФайл: mebel.txt\n");
    const struct {
        const char* file;
        const std::string& text;
        const char* digits;
        std::vector<const char*> shown;
    } cases[] = {
        {"mebel.lp", model, "1", {"tables = 3.6", "24.4", "[2.7; 16.0]", "[4.0; 24.0]", "1.1"}},
        {"mebel.lp", model, "3", {"tables = 3.600", "24.400", "[2.667; 16.000]", "[4.000; 24.000]", "1.100"}},
        {"mebel.qtb", problem_file, "2", {"столы = 3.60", "F = 24.40", "[2.67; 16.00]", "[-∞; 1.10]", "0.70"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.digits);
        load(c.file, c.text);
        window.Edit5->setText(QString::fromUtf8(c.digits));
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}}));
        ASSERT_TRUE(window.last_run());
        SolutionWindow solution(messages);
        solution.show_run(window.last_run());
        const QString shown = solution.OutcomeView->toPlainText();
        for (const char* text : c.shown)
            EXPECT_TRUE(shown.contains(QString::fromUtf8(text))) << text << "\n" << shown.toStdString();
        EXPECT_FALSE(shown.contains(QStringLiteral("666666"))) << shown.toStdString();  // no ten digits left
    }
}

// «Двойственная задача» is the text of qtb-solve --dual: the dual of the model loaded, with the dual solution
// once a run of it reached its optimum; a problem file has none and the item is closed.
TEST_F(ModelLoad, TheDualOfTheLoadedModelAndItsSolution) {
    EXPECT_FALSE(window.DualProblemItem->isEnabled());
    load("plan.lp", "Maximize\n obj: 3 x + 2 y\nSubject To\n c1: x + y <= 4\n c2: x >= 1\nEnd\n");
    ASSERT_TRUE(window.DualProblemItem->isEnabled());
    window.DualProblemItem->trigger();
    auto* text = window.findChild<QPlainTextEdit*>(QStringLiteral("DualText1"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("Двойственная задача:\n  Цель: минимум 4 y_c1 + y_c2\n")))
        << text->toPlainText().toStdString();
    EXPECT_FALSE(text->toPlainText().contains(QStringLiteral("Двойственное решение")));
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}}));
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("  y_c1 = Δ3 = 3 (оценка столбца s1")))
        << text->toPlainText().toStdString();
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("— равны.")));

    load("plain.qtb", cp1251::from_utf8(kTwoPivotProblem).value());
    EXPECT_FALSE(window.DualProblemItem->isEnabled());
    EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("DualWindow1"))->isVisible());
    EXPECT_TRUE(window.dual_problem_text().isEmpty());
}
