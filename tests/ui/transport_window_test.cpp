// Transport problems in the desktop program: loaded and solved from the main window, their plans
// stepped through in the solution window, the cycle drawn through its corners.
#include <QFile>

#include <gtest/gtest.h>

#include <string>

#include "main_window_fixture.h"
#include "ui/solution_window.h"
#include "ui/transport_grid.h"

namespace {

struct TransportCase {
    const char* example;
    bool exact;
    const char* report;     // the report file the example names, written beside it
    const char* last_cost;  // the last plan's cost line; empty: not checked
};

class TransportInWindow : public MainWindowInFolder, public testing::WithParamInterface<TransportCase> {};

TEST_P(TransportInWindow, SolvesAndShowsEveryPlanWithItsCycle) {
    const TransportCase& c = GetParam();
    const QString copy = folder.path() + "/" + QString::fromLatin1(c.example);
    ASSERT_TRUE(QFile::copy(QStringLiteral(QTB_SOURCE_DIR "/examples/transport/") + c.example, copy));
    window.ExactArithmetic1->setChecked(c.exact);
    load(copy);
    ASSERT_TRUE(window.Button1->isEnabled()) << messages.shown.size();
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({{QStringLiteral("Решение получено!"), QStringLiteral("QTB")}}));
    EXPECT_TRUE(QFile::exists(folder.path() + "/" + QString::fromLatin1(c.report)));

    const auto pages = window.last_transport();
    ASSERT_TRUE(pages);
    auto* solution = window.findChild<SolutionWindow*>();
    ASSERT_NE(solution, nullptr);
    ASSERT_EQ(solution->TableList->count(), static_cast<int>(pages->plans.size()));
    EXPECT_TRUE(
        solution->TableList->item(solution->TableList->count() - 1)->text().endsWith(QStringLiteral("оптимум")));
    EXPECT_TRUE(solution->OutcomeView->toPlainText().contains(QStringLiteral("Оптимальный план перевозок")));
    if (*c.last_cost != '\0') {
        EXPECT_TRUE(solution->ClosingLabel->text().startsWith(QString::fromUtf8(c.last_cost)));
    }

    for (int k = 0; k < solution->TableList->count(); ++k) {
        solution->TableList->setCurrentRow(k);
        const TransportPlanPage& page = pages->plans[static_cast<std::size_t>(k)];
        EXPECT_EQ(solution->TitleLabel->text().toStdString(), page.title);
        const std::vector<QPoint> path = solution->PlanGrid->cycle_path();
        ASSERT_EQ(path.size(), page.cycle.size());
        EXPECT_EQ(page.cycle.empty(), k + 1 == solution->TableList->count()) << k;
        for (std::size_t p = 0; p < path.size(); ++p) {
            // Each corner in its own cell, which carries its sign; the line turns at every corner.
            const transport::CycleCell& corner = page.cycle[p];
            const int row = static_cast<int>(corner.cell.row) + 1;
            const int column = static_cast<int>(corner.cell.column) + 1;
            EXPECT_TRUE(solution->PlanGrid->cell_rect(row, column).contains(path[p]));
            EXPECT_EQ(page.grid.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].sign,
                      corner.plus ? '+' : '-');
            EXPECT_EQ(corner.plus, p % 2 == 0);
            const QPoint& next = path[(p + 1) % path.size()];
            const bool along_row = next.y() == path[p].y();
            EXPECT_NE(along_row, next.x() == path[p].x()) << "plan " << k << ", corner " << p;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, TransportInWindow,
                         testing::Values(TransportCase{"transport.qtt", false, "transport.txt",
                                                       "Стоимость плана: 435."},
                                         TransportCase{"transport.qtt", true, "transport.txt", "Стоимость плана: 435."},
                                         TransportCase{"profit.qtt", false, "profit.txt", "Прибыль плана: "},
                                         TransportCase{"open_forbidden_ru.qtt", false, "open_forbidden_ru.txt", ""}));

TEST_F(MainWindowInFolder, ATransportFileWithFaultsIsNotLoaded) {
    write_text("bad.qtt", "Size: 2 2\nSupplies: 10 x\nDemands: 5 5\nCosts:\n1 2\n3 4\n");
    load("bad.qtt");
    const std::vector<Message> shown = messages.take();
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_TRUE(shown.front().text.startsWith(QStringLiteral("Есть ошибки при вводе!!!\nСтрока 2: ")))
        << shown.front().text.toStdString();
    EXPECT_FALSE(window.Button1->isEnabled());
    EXPECT_EQ(window.last_transport(), nullptr);
}

TEST_F(MainWindowInFolder, ASimplexRunAfterATransportRunShowsItsTables) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QTB_SOURCE_DIR "/examples/transport/transport.qtt"), "transport.qtt"));
    load("transport.qtt");
    window.Button1->click();
    ASSERT_TRUE(window.last_transport());
    write_problem("two.qtb", kTwoPivotProblem);
    load("two.qtb");
    window.Button1->click();
    EXPECT_EQ(window.last_transport(), nullptr);
    auto* solution = window.findChild<SolutionWindow*>();
    ASSERT_NE(solution, nullptr);
    EXPECT_EQ(solution->GridStack->currentWidget(), solution->Grid);
    EXPECT_EQ(solution->TableList->count(), static_cast<int>(window.last_run()->tables.size()));
    EXPECT_TRUE(solution->CopyTextItem->isEnabled());
}

}  // namespace
