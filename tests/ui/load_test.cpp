// Loading a problem file: the checks of the name, the reader's faults, the options shown afterwards.
#include <QApplication>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"
#include "ui/failure_text.h"
#include "ui/main_form.h"
#include "ui_test_support.h"

namespace {

const Message kNeedFileName{"Необходимо указать имя файла данных!", "Сообщение об ошибке"};
const Message kCannotOpen{"Ошибка открытия файла!", "Сообщение об ошибке"};
const Message kInputErrors{"Есть ошибки при вводе!!!", "QTB"};

class Load : public MainWindowInFolder {};

TEST_F(Load, TheBarePatternAsksForAFileName) {
    write_problem("good.qtb", kTwoPivotProblem);
    load("good.qtb");
    ASSERT_TRUE(messages.take().empty());
    ASSERT_TRUE(window.Button1->isEnabled());

    load("*.qtb");
    EXPECT_EQ(messages.take(), boxes({kNeedFileName}));
    EXPECT_FALSE(window.Button1->isEnabled());
}

TEST_F(Load, OtherNamesGoOnToTheExistenceTest) {
    for (const QString name : {"*.QTB", " *.qtb", "", "missing.qtb"}) {
        load(name);
        EXPECT_EQ(messages.take(), boxes({kCannotOpen})) << name.toStdString();
        EXPECT_FALSE(window.Button1->isEnabled());
    }
}

TEST_F(Load, AFolderPassesTheExistenceTestAndReachesTheReader) {
    load(folder.path());
    const std::vector<Message> shown = messages.take();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), kInputErrors);
    EXPECT_FALSE(window.Button1->isEnabled());
}

TEST_F(Load, AFileWithThreeFaultsGivesFourBoxesInOrder) {
    // A bad aim (with its line), then no aim and no report file at the end.
    write_problem("faults.qtb", "Aim: sideways\nSize: 1 2\nMatrix:\n 1 1\n 1  1 0\n");
    load("faults.qtb");
    const std::vector<Message> expected = {kInputErrors,
                                           {"строка 1: " + status_message(kBadAim), kErrorCaption},
                                           {status_message(kMissingAim), kErrorCaption},
                                           {status_message(kMissingReportFile), kErrorCaption}};
    EXPECT_EQ(messages.take(), expected);
    EXPECT_FALSE(window.Button1->isEnabled());
    EXPECT_TRUE(record.table.empty());
}

TEST_F(Load, ASkippedKeywordIsAWarningInTheStatusBar) {
    write_problem("warned.qtb", kTwoPivotProblem + "Prnt: 1 2\n");
    load("warned.qtb");
    EXPECT_TRUE(messages.take().empty());
    EXPECT_TRUE(window.Button1->isEnabled());
    EXPECT_TRUE(window.StatusBar1->currentMessage().startsWith("Предупреждение: строка "));
    EXPECT_TRUE(window.StatusBar1->currentMessage().endsWith("«Prnt:» не ключевое слово, оно пропущено"));

    write_problem("good.qtb", kTwoPivotProblem);
    load("good.qtb");
    EXPECT_EQ(window.StatusBar1->currentMessage(), "");
}

TEST_F(Load, ASuccessfulLoadShowsTheRecordsNumberFormatAndEnablesSolving) {
    write_problem("good.qtb", kTwoPivotProblem + "Accuracy: 8 2\n");
    load("good.qtb");
    EXPECT_TRUE(messages.take().empty());
    EXPECT_EQ(window.Edit4->text(), "8");
    EXPECT_EQ(window.Edit5->text(), "2");
    EXPECT_TRUE(window.Edit4->isEnabled());
    EXPECT_TRUE(window.Edit5->isEnabled());
    EXPECT_TRUE(window.Button1->isEnabled());
    EXPECT_TRUE(window.RadioButton1->isChecked());
    EXPECT_EQ(record.width, 8);
    EXPECT_EQ(record.table.rows, 3u);
    EXPECT_EQ(record.file, "report.txt");
}

TEST_F(Load, AFileNameWithCyrillicLettersIsAFileSystemPath) {
    write_problem("задача.qtb", kTwoPivotProblem);
    load("задача.qtb");
    EXPECT_TRUE(messages.take().empty());
    EXPECT_TRUE(window.Button1->isEnabled());
}

TEST_F(Load, TheRecordsOptionsChooseTheRadioButton) {
    const struct {
        const char* options;
        QRadioButton* TForm1::*expected;
        QString from, to;  // Edit2 and Edit3 afterwards
    } cases[] = {
        {"NoTable OnlyDataTable OnlyOptimalTable Print: 2 7", &TForm1::RadioButton6, "a", "b"},
        {"OnlyDataTable OnlyOptimalTable", &TForm1::RadioButton4, "a", "b"},
        {"OnlyOptimalTable Print: 2 7", &TForm1::RadioButton3, "a", "b"},
        {"OnlyDataTable", &TForm1::RadioButton2, "a", "b"},
        {"Print: 2 7", &TForm1::RadioButton5, "2", "7"},
        {"Print: 0 7", &TForm1::RadioButton5, "0", "7"},  // an interval from 0 is kept too
        {"Print: -3 0", &TForm1::RadioButton5, "-3", "0"},
        {"Print: 0 0", &TForm1::RadioButton1, "a", "b"},  // no interval: the boxes keep their text
        {"", &TForm1::RadioButton1, "a", "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        window.RadioButton5->click();
        window.Edit2->setText("a");
        window.Edit3->setText("b");
        write_problem("options.qtb", kTwoPivotProblem + c.options + "\n");
        load("options.qtb");
        ASSERT_TRUE(messages.take().empty());
        EXPECT_TRUE((window.*c.expected)->isChecked());
        EXPECT_EQ(window.Edit2->text(), c.from);
        EXPECT_EQ(window.Edit3->text(), c.to);
        EXPECT_EQ(window.Edit2->isEnabled(), c.expected == &TForm1::RadioButton5);
        EXPECT_EQ(window.Edit3->isEnabled(), c.expected == &TForm1::RadioButton5);
    }
}

TEST_F(Load, AFailedLoadAfterASuccessfulOneKeepsTheRecordAndTheNumberFormat) {
    write_problem("good.qtb", kTwoPivotProblem + "Accuracy: 9 3\nPrint: 1 2\n");
    load("good.qtb");
    ASSERT_TRUE(window.RadioButton5->isChecked());
    write_problem("bad.qtb", "Size: 0 4\n");
    load("bad.qtb");

    const std::vector<Message> expected = {kInputErrors, {"строка 1: " + status_message(kBadSize), kErrorCaption}};
    EXPECT_EQ(messages.take(), expected);
    EXPECT_FALSE(window.Button1->isEnabled());
    EXPECT_TRUE(window.Edit4->isEnabled());
    EXPECT_TRUE(window.Edit5->isEnabled());
    EXPECT_EQ(window.Edit4->text(), "9");
    EXPECT_EQ(window.Edit5->text(), "3");
    EXPECT_TRUE(window.RadioButton1->isChecked());
    EXPECT_FALSE(window.Edit2->isEnabled());
    EXPECT_FALSE(window.Edit3->isEnabled());
    EXPECT_EQ(record.width, 9);
    EXPECT_EQ(record.print_to, 2);
    EXPECT_EQ(record.file, "report.txt");
}

TEST_F(Load, AnUnexpectedFailureIsOneBoxAndLeavesTheRecordUsable) {
    write_problem("good.qtb", kTwoPivotProblem);
    load("good.qtb");
    ASSERT_TRUE(window.Button1->isEnabled());

    RecordedMessages own_messages;
    ModelCalls failing = ModelCalls::real();
    failing.load = [](const LoadRequest&) -> LoadedProblem { throw Matrix::bad_matrix{Matrix::kNoMemory}; };
    TForm1 other(record, own_messages, failing);
    other.Edit1->setText("good.qtb");
    other.Button3->click();
    const std::vector<Message> expected = {
        {QString::fromStdString(matrix_error_message(Matrix::kNoMemory)), kErrorCaption}};
    EXPECT_EQ(own_messages.take(), expected);
    EXPECT_EQ(record.table.rows, 3u);
    EXPECT_EQ(record.file, "report.txt");
}

}  // namespace
