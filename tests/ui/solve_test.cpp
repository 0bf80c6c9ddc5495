// Solving: the options written into the record, their checks, the outcome boxes and labels, the report.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <string>

#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"
#include "ui/edit_number.h"
#include "ui/failure_text.h"
#include "ui/main_form.h"
#include "ui_test_support.h"

namespace {

const Message kSolved{"Решение получено!", "QTB"};
const Message kBadInterval{"Недопустимые границы вывода итераций!", "сообщение об ошибке"};
const Message kBadFormat{"Недопустимые параметры точности вывода!", "сообщение об ошибке"};

// The window with a model of its own: the reader hands out a small record, the engine records the copy
// it is given and then does what the test asks.
class SolveChecks : public testing::Test {
protected:
    SolveChecks() {
        ModelCalls model;
        model.load = [](const LoadRequest&) {
            LoadedProblem problem;
            SimplexIteration& loaded = problem.record;
            loaded.aim = 1;
            loaded.table.resize(2, 3);
            loaded.estimates.resize(2, 3);
            loaded.basis = {0, 2};
            loaded.file = "report.txt";
            loaded.compute_col_widths();
            return problem;
        };
        model.run = [this](const LoadedProblem&, SimplexIteration run, const SessionSettings&, const RunObserver&) {
            ++runs;
            last_run = run;
            run.iterations = 5;  // a run changes its own copy only
            run.table(1, 1) = 99;
            if (fail_with) std::rethrow_exception(fail_with);
            SessionRun done;
            done.outcome.solution = Matrix(3, 1);
            return done;
        };
        window = std::make_unique<TForm1>(record, messages, model);
        write_problem("any.qtb", "");
        window->Edit1->setText("any.qtb");
        window->Button3->click();
        EXPECT_TRUE(messages.take().empty());
    }

    void solve(QRadioButton* TForm1::*mode, const QString& from = {}, const QString& to = {},
               const QString& width = "10", const QString& digits = "4") {
        (window.get()->*mode)->click();
        if (mode == &TForm1::RadioButton5) {
            window->Edit2->setText(from);
            window->Edit3->setText(to);
        }
        window->Edit4->setText(width);
        window->Edit5->setText(digits);
        window->Button1->click();
    }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    std::unique_ptr<TForm1> window;
    int runs = 0;
    SimplexIteration last_run;
    std::exception_ptr fail_with;
};

TEST_F(SolveChecks, EachModeWritesItsSwitchesAndInterval) {
    const struct {
        QRadioButton* TForm1::*mode;
        bool no_table, only_optimal, only_data;
        std::int32_t from, to;
    } cases[] = {
        {&TForm1::RadioButton1, false, false, false, 0, 0}, {&TForm1::RadioButton2, false, false, true, 0, 0},
        {&TForm1::RadioButton3, false, true, false, 0, 0},  {&TForm1::RadioButton4, false, true, true, 0, 0},
        {&TForm1::RadioButton5, false, false, false, 2, 6}, {&TForm1::RadioButton6, true, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        solve(c.mode, "2", "6");
        SCOPED_TRACE((window.get()->*c.mode)->objectName().toStdString());
        EXPECT_EQ(messages.take(), boxes({kSolved}));
        for (const SimplexIteration* r : {&record, &last_run}) {
            EXPECT_EQ(r->no_table, c.no_table);
            EXPECT_EQ(r->only_optimal_table, c.only_optimal);
            EXPECT_EQ(r->only_data_table, c.only_data);
            EXPECT_EQ(r->print_from, c.from);
            EXPECT_EQ(r->print_to, c.to);
        }
    }
    EXPECT_EQ(runs, 6);
}

TEST_F(SolveChecks, TheIntervalIsReadAsAtolReadsIt) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        QString from, to;
        std::int32_t stored_from, stored_to;
    } accepted[] = {
        {"-5", "4", -5, 4},
        {"", "", 0, 0},
        {"7", "7", 7, 7},
        {"12abc", "20", 12, 20},
        {" +4", "9", 4, 9},
        {"1", "99999999999", 1, kMax},
        {"-99999999999", "0", kMin, 0},
    };
    for (const auto& c : accepted) {
        SCOPED_TRACE(c.from.toStdString() + " .. " + c.to.toStdString());
        solve(&TForm1::RadioButton5, c.from, c.to);
        EXPECT_EQ(messages.take(), boxes({kSolved}));
        EXPECT_EQ(record.print_from, c.stored_from);
        EXPECT_EQ(record.print_to, c.stored_to);
    }
}

TEST_F(SolveChecks, ARefusedIntervalRestoresTheBoxesAndRunsNothing) {
    solve(&TForm1::RadioButton5, "1", "5");
    ASSERT_EQ(messages.take(), boxes({kSolved}));
    record.only_data_table = true;  // to see the switches written before the check
    for (const auto& [from, to] : {std::pair<QString, QString>{"3", "2"}, {"-5", "-1"}, {"0", "-2"}}) {
        solve(&TForm1::RadioButton5, from, to);
        EXPECT_EQ(messages.take(), boxes({kBadInterval}));
        EXPECT_EQ(window->Edit2->text(), "1");
        EXPECT_EQ(window->Edit3->text(), "5");
        EXPECT_EQ(record.print_from, 1);
        EXPECT_EQ(record.print_to, 5);
        EXPECT_FALSE(record.only_data_table);
        EXPECT_FALSE(record.only_optimal_table);
        EXPECT_FALSE(record.no_table);
    }
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(window->Label1->text(), "");
}

TEST_F(SolveChecks, TheNumberFormatNeedsDigitsBelowTheWidth) {
    for (const auto& [width, digits] : {std::pair<QString, QString>{"10", "9"}, {"1", "0"}, {"12x", " 3"}}) {
        solve(&TForm1::RadioButton1, {}, {}, width, digits);
        EXPECT_EQ(messages.take(), boxes({kSolved})) << width.toStdString();
        EXPECT_EQ(record.width, read_edit_number(width));
        EXPECT_EQ(record.precision, read_edit_number(digits));
        // The column widths follow the new width before the run.
        EXPECT_EQ(last_run.col_widths[1], static_cast<std::uint32_t>(record.width));
    }
    ASSERT_EQ(record.width, 12);
    for (const auto& [width, digits] : {std::pair<QString, QString>{"10", "10"}, {"0", "0"}, {"10", "-1"}}) {
        solve(&TForm1::RadioButton2, {}, {}, width, digits);
        EXPECT_EQ(messages.take(), boxes({kBadFormat}));
        EXPECT_EQ(window->Edit4->text(), "12");
        EXPECT_EQ(window->Edit5->text(), "3");
        EXPECT_EQ(record.width, 12);
        EXPECT_EQ(record.precision, 3);
        EXPECT_TRUE(record.only_data_table);  // the switches were written before the check
    }
    EXPECT_EQ(runs, 3);
}

TEST_F(SolveChecks, TheRunWorksOnACopy) {
    solve(&TForm1::RadioButton1);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(record.iterations, 0);
    EXPECT_EQ(record.table(1, 1), 0.0);
    EXPECT_EQ(last_run.file, record.file);
}

TEST_F(SolveChecks, ASuccessClearsTheLabelsAFailureKeepsThem) {
    solve(&TForm1::RadioButton1);
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    EXPECT_EQ(window->Label1->text(), "");
    EXPECT_EQ(window->Label2->text(), "");

    SimplexIteration::bad_simplex failure;
    failure.add(kUnbounded);
    failure.add(kInconsistent);
    fail_with = std::make_exception_ptr(failure);
    solve(&TForm1::RadioButton1);
    const std::vector<Message> expected = {{status_message(kUnbounded), kErrorCaption},
                                           {status_message(kInconsistent), kErrorCaption}};
    EXPECT_EQ(messages.take(), expected);
    EXPECT_EQ(window->Label1->text(), "Итерация:");
    EXPECT_EQ(window->Label2->text(), "0");
    EXPECT_GE(window->Label1->width(), window->Label1->fontMetrics().horizontalAdvance("Итерация:"));
    EXPECT_TRUE(window->Button1->isEnabled());
}

TEST_F(SolveChecks, AnyOtherFailureIsOneBoxAndTheWindowGoesOn) {
    fail_with = std::make_exception_ptr(Matrix::bad_matrix{Matrix::kOverrun});
    solve(&TForm1::RadioButton1);
    EXPECT_EQ(messages.take(),
              boxes({{QString::fromStdString(matrix_error_message(Matrix::kOverrun)), kErrorCaption}}));

    fail_with = std::make_exception_ptr(std::bad_alloc());
    solve(&TForm1::RadioButton1);
    const std::vector<Message> shown = messages.take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, kErrorCaption);

    fail_with = nullptr;
    solve(&TForm1::RadioButton1);
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    EXPECT_EQ(runs, 3);
}

// The real reader and engine: the report that each mode produces.
class SolveReport : public testing::Test {
protected:
    void load(const std::string& problem) {
        write_problem("problem.qtb", problem);
        window.Edit1->setText("problem.qtb");
        window.Button3->click();
        ASSERT_TRUE(messages.take().empty());
    }

    // Tables in the report: each ends with a closing line naming the next pivot or the optimum.
    static int tables(const std::string& report) {
        return count_of(report, "ключевой столбец: ") + count_of(report, "получено оптимальное решение !");
    }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages};
};

TEST_F(SolveReport, EachModeReachesTheReport) {
    load(kTwoPivotProblem);
    const struct {
        QRadioButton* TForm1::*mode;
        int tables;          // -1: no report file
        int data_tables;     // "исходная таблица"
        int optimum_titles;  // "(оптимум)"
    } cases[] = {
        {&TForm1::RadioButton1, 3, 1, 1}, {&TForm1::RadioButton2, 1, 1, 0}, {&TForm1::RadioButton3, 1, 0, 1},
        {&TForm1::RadioButton4, 2, 1, 1}, {&TForm1::RadioButton5, 1, 0, 0}, {&TForm1::RadioButton6, -1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((window.*c.mode)->objectName().toStdString());
        std::filesystem::remove("report.txt");
        (window.*c.mode)->click();
        window.Edit2->setText("1");
        window.Edit3->setText("1");
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({kSolved}));
        const auto report = read_report("report.txt");
        if (c.tables < 0) {
            EXPECT_FALSE(report.has_value());
            continue;
        }
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(tables(*report), c.tables);
        EXPECT_EQ(count_of(*report, "исходная таблица"), c.data_tables);
        EXPECT_EQ(count_of(*report, "(оптимум)"), c.optimum_titles);
        if (c.mode == &TForm1::RadioButton5) {
            EXPECT_EQ(count_of(*report, "Итерация: 1"), 1);
        }
    }
}

TEST_F(SolveReport, TwoSolvesInARowRunTheSameProblemWithTheOptionsOfTheSecondPress) {
    load(kTwoPivotProblem);
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    const auto first = read_report("report.txt");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(tables(*first), 3);

    window.RadioButton3->click();
    window.Edit4->setText("12");
    window.Edit5->setText("1");
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    const auto second = read_report("report.txt");
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(tables(*second), 1);
    EXPECT_NE(second->find("10.0"), std::string::npos);  // the objective value, one digit after the point
    EXPECT_EQ(record.iterations, 0);
    EXPECT_EQ(record.width, 12);
}

TEST_F(SolveReport, AFailedRunShowsItsStatusTexts) {
    load(kUnboundedProblem);
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({{status_message(kUnbounded), "сообщение об ошибке"}}));
    EXPECT_EQ(window.Label1->text(), "Итерация:");
    EXPECT_EQ(window.Label2->text(), "0");
}

TEST_F(SolveReport, AReportThatIsTheProblemFileItselfIsRefused) {
    const std::string problem = kTwoPivotProblem + "File: problem.qtb\n";
    load(problem);
    for (const QString& name : {QString("problem.qtb"), folder.path() + "/problem.qtb"}) {
        window.Edit1->setText(name);
        window.Button3->click();
        ASSERT_TRUE(messages.take().empty());
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({{status_message(kCannotOpenReportFile), "сообщение об ошибке"}}));
        EXPECT_EQ(read_report("problem.qtb"), problem);
    }
    // Without tables the run writes no report and leaves the problem file alone.
    window.RadioButton6->click();
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({kSolved}));
    EXPECT_EQ(read_report("problem.qtb"), problem);
}

TEST_F(SolveReport, AReportThatLeadsToTheProblemFileThroughAnotherNameIsRefused) {
    write_problem("problem.qtb", "");
    std::filesystem::create_directory("sub");
    std::filesystem::create_symlink("problem.qtb", "link.qtb");
    std::filesystem::create_hard_link("problem.qtb", "hard.qtb");
    const struct {
        const char* report;     // as the problem file names it
        const char* loaded_as;  // as Edit1 names the problem file
    } cases[] = {
        {"sub/../problem.qtb", "problem.qtb"}, {"hard.qtb", "problem.qtb"}, {"link.qtb", "problem.qtb"},
        {"problem.qtb", "link.qtb"},           {"problem.qtb", "hard.qtb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.report) + " / " + c.loaded_as);
        const std::string problem = kTwoPivotProblem + "File: " + c.report + "\n";
        write_problem("problem.qtb", problem);  // in place: the links keep leading to it
        window.Edit1->setText(c.loaded_as);
        window.Button3->click();
        ASSERT_TRUE(messages.take().empty());
        window.Button1->click();
        EXPECT_EQ(messages.take(), boxes({{status_message(kCannotOpenReportFile), "сообщение об ошибке"}}));
        EXPECT_EQ(read_report("problem.qtb"), problem);
    }
}

}  // namespace
