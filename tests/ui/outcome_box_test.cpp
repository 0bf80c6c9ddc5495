// The boxes of a run's outcome, shown as the program shows them: they hold the main window alone, so that
// the solution window in front takes clicks and keys while they are up, and they come one after another in
// the order the tests' recording sink gets them.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "ui/main_form.h"
#include "ui/solution_window.h"
#include "ui_test_support.h"

namespace {

struct OutcomeBoxes : testing::Test {
    OutcomeBoxes() {
        sink.set_parent(&window);
        window.show();
    }
    void solve(TForm1& main_window, const std::string& problem) {
        write_problem("p.qtb", problem);
        main_window.Edit1->setText("p.qtb");
        main_window.Button3->click();
        main_window.Button1->click();  // returns with the outcome's boxes up
    }
    // The boxes that are up, each closed with OK once seen.
    static std::vector<Message> close_boxes() {
        std::vector<Message> seen;
        while (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.push_back({box->text(), box->windowTitle()});
            box->button(QMessageBox::Ok)->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return seen;
    }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    MessageBoxSink sink;
    TForm1 window{record, sink};
};

TEST_F(OutcomeBoxes, TheSolutionWindowTakesKeysAndClicksWhileTheBoxIsUp) {
    solve(window, kTwoPivotProblem);
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Решение получено!");
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    EXPECT_EQ(box->parentWidget(), &window);
    EXPECT_EQ(window.Label1->text(), "Итерация:");  // until the box is closed

    auto* solution = window.findChild<SolutionWindow*>();
    ASSERT_NE(solution, nullptr);
    ASSERT_TRUE(solution->isVisible());
    // The offscreen platform gives the box the focus whatever it asks; a desktop leaves it with the solution
    // window, which the run has activated.
    solution->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(solution));
    EXPECT_EQ(QApplication::activeModalWidget(), box);
    ASSERT_EQ(solution->TableList->currentRow(), 2);
    QTest::keyClick(solution->windowHandle(), Qt::Key_PageUp);
    EXPECT_EQ(solution->TableList->currentRow(), 1);
    const QRect first = solution->TableList->visualItemRect(solution->TableList->item(0));
    QTest::mouseClick(solution->windowHandle(), Qt::LeftButton, {},
                      solution->TableList->viewport()->mapTo(solution, first.center()));
    EXPECT_EQ(solution->TableList->currentRow(), 0);

    EXPECT_EQ(close_boxes(), boxes({{"Решение получено!", "QTB"}}));
    EXPECT_EQ(window.Label1->text(), "");
}

TEST_F(OutcomeBoxes, ComeOneAfterAnotherInTheOrderTheyAreTold) {
    for (const std::string& problem : {kTwoPivotProblem, kUnboundedProblem}) {
        RecordedMessages recorded;
        SimplexIteration other_record;
        TForm1 recording_window{other_record, recorded};
        solve(recording_window, problem);
        solve(window, problem);
        EXPECT_EQ(close_boxes(), recorded.take());
    }
}

}  // namespace
