// The solution window on runs recorded by the core, as the main window hands them over.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>

#include "problem/record_columns.h"
#include "solver/engine/run_observer.h"
#include "solver/report/branch_texts.h"
#include "solver/report/report_frame.h"
#include "solver/session/run_with_report.h"
#include "solver/session/table_recorder.h"
#include "ui/solution_window.h"
#include "ui_test_support.h"

namespace {

// A run of an example with no tables in its report: the window still gets every one.
std::shared_ptr<RecordedRun> recorded(const std::string& example, Arithmetic arithmetic = Arithmetic::double_precision,
                                      std::size_t bound = kRecordedTablesBound) {
    SimplexIteration problem(std::string(QTB_SOURCE_DIR) + "/examples/" + example);
    problem.no_table = true;
    TableRecorder recorder(bound);
    RunSettings settings;
    settings.arithmetic = arithmetic;
    settings.keep_final_table = true;
    run_simplex(problem, settings, ReportFrame{}, RunObserver{&recorder, {}, nullptr});
    return recorder.take();
}

bool grid_has(const TableGridModel& grid, const std::string& part) {
    for (const auto& row : grid.cells().rows) {
        for (const TableCell& cell : row) {
            if (cell.text.find(part) != std::string::npos) return true;
        }
    }
    return false;
}

struct RunCase {
    const char* example;
    Arithmetic arithmetic;
    const char* last_item;  // the end of the list's last line
    const char* outcome;    // in the outcome tab
    bool picture;
    const char* in_some_table;  // a cell text found in some table
};

class SolutionWindowRuns : public testing::TestWithParam<RunCase> {};

TEST_P(SolutionWindowRuns, ListsEveryTableAndTheOutcome) {
    const RunCase& c = GetParam();
    RecordedMessages messages;
    SolutionWindow window(messages);
    const auto run = recorded(c.example, c.arithmetic);
    window.show_run(run);

    ASSERT_EQ(window.TableList->count(), static_cast<int>(run->tables.size()));
    EXPECT_EQ(window.TableList->count(), run->outcome.iterations + 1);
    EXPECT_TRUE(window.TableList->item(window.TableList->count() - 1)->text().endsWith(QString::fromUtf8(c.last_item)));
    EXPECT_TRUE(window.OutcomeView->toPlainText().contains(QString::fromUtf8(c.outcome)))
        << window.OutcomeView->toPlainText().toStdString();
    EXPECT_EQ(window.Tabs->indexOf(window.PicturePage) >= 0, c.picture);
    EXPECT_FALSE(window.MissingLabel->isVisibleTo(&window));

    bool found = false;
    for (int row = 0; row < window.TableList->count() && !found; ++row) {
        window.TableList->setCurrentRow(row);
        found = grid_has(window.Grid->grid(), c.in_some_table);
    }
    EXPECT_TRUE(found) << c.in_some_table;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SolutionWindowRuns,
    testing::Values(RunCase{"maximize.qtb", Arithmetic::double_precision, "оптимум", "F = 10", true, "0.50"},
                    RunCase{"diet.qtb", Arithmetic::exact, "оптимум", "F = 9", true, "1/3"},
                    RunCase{"production.qtb", Arithmetic::double_precision, "оптимум", "Двойственн", false, "M"},
                    RunCase{"unbounded.qtb", Arithmetic::double_precision, "функция не ограничена",
                            "Решение не получено", true, "-2.0"},
                    RunCase{"infeasible.qtb", Arithmetic::double_precision, "система несовместна",
                            "Решение не получено", true, "-M"}),
    [](const testing::TestParamInfo<RunCase>& info) {
        const std::string example = info.param.example;
        return example.substr(0, example.find('.'));
    });

TEST(SolutionWindow, MarksTheKeyElementInTheGridAndTheCopies) {
    RecordedMessages messages;
    SolutionWindow window(messages);
    window.show_run(recorded("maximize.qtb"));
    window.TableList->setCurrentRow(0);
    const TableCells& cells = window.Grid->grid().cells();
    const TableSnapshot& first = window.run()->tables.front();
    int keys = 0;
    for (const auto& row : cells.rows) {
        for (const TableCell& cell : row) keys += cell.key ? 1 : 0;
    }
    EXPECT_EQ(keys, 1);
    EXPECT_TRUE(cells.rows.at(cells.first_constraint_row + first.key_row - 1).at(2 + first.key_column).key);

    const struct {
        void (SolutionWindow::*copy)();
        const char* mark;
    } copies[] = {{&SolutionWindow::CopyText, "["},
                  {&SolutionWindow::CopyLatex, "\\fbox{"},
                  {&SolutionWindow::CopyHtml, "<td class=\"key\">"}};
    for (const auto& copy : copies) {
        QApplication::clipboard()->clear();
        (window.*copy.copy)();
        EXPECT_TRUE(QApplication::clipboard()->text().contains(QString::fromUtf8(copy.mark))) << copy.mark;
    }
}

TEST(SolutionWindow, ExportsTheWholeRunInTheChosenForm) {
    const TemporaryCurrentFolder folder;
    RecordedMessages messages;
    SolutionWindow window(messages);
    const auto run = recorded("production.qtb");
    window.show_run(run);
    const struct {
        const char* file;
        const char* table_mark;
    } forms[] = {{"решение.html", "<div class=\"table\">"}, {"решение.tex", "{$c_j$}"}, {"решение.txt", "C баз"}};
    for (const auto& form : forms) {
        QString path = folder.path() + '/' + QString::fromUtf8(form.file);
        window.choose_file = [&](const QString&, const QString&, const QString&, QString*) { return path; };
        window.ExportRun();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << form.file;
        std::string text = file.readAll().toStdString();
        if (QString(form.file).endsWith(".txt")) text = cp1251::to_utf8(text);
        EXPECT_EQ(count_of(text, form.table_mark), static_cast<int>(run->tables.size())) << form.file;
    }
    EXPECT_TRUE(messages.take().empty());
}

TEST(SolutionWindow, SavesNothingOverTheRunsInput) {
    const TemporaryCurrentFolder folder;
    RecordedMessages messages;
    SolutionWindow window(messages);
    window.show_run(recorded("production.qtb"));
    write_problem("p.qtb", kTwoPivotProblem);
    const std::optional<std::string> problem = read_report("p.qtb");
    window.run_inputs = {std::filesystem::absolute("p.qtb")};
    window.choose_file = [&](const QString&, const QString&, const QString&, QString*) {
        return folder.path() + "/./p.qtb";
    };
    window.ExportRun();
    EXPECT_EQ(read_report("p.qtb"), problem);
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_TRUE(messages.take()[0].text.contains("совпадает с входным файлом решения"));
}

TEST(SolutionWindow, SaysWhereTheTablesBeyondTheBoundAre) {
    RecordedMessages messages;
    SolutionWindow window(messages);
    const auto run = recorded("production.qtb", Arithmetic::double_precision, 1);
    ASSERT_GT(run->omitted_count, 0U);
    window.show_run(run);
    EXPECT_TRUE(window.MissingLabel->isVisibleTo(&window));
    EXPECT_TRUE(window.MissingLabel->text().contains(QStringLiteral("не сохранены в окне")));
}

TEST(SolutionWindow, EscapeCloses) {
    RecordedMessages messages;
    SolutionWindow window(messages);
    window.show_run(recorded("maximize.qtb"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Table1->popup(window.mapToGlobal(QPoint(10, 10)));  // an open menu closes first
    ASSERT_EQ(QApplication::activePopupWidget(), window.Table1);
    QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(window.isVisible());
    // The offscreen platform leaves the closed menu the focus window; a desktop gives the window back its focus.
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

int grid_width(const TableGrid& grid) {
    int width = 0;
    for (int k = 0; k < grid.model()->columnCount(); ++k) width += grid.columnWidth(k);
    return width;
}

TEST(SolutionWindow, TheGridZoomsAndTheNextWindowKeepsTheZoom) {
    RecordedMessages messages;
    SolutionWindow window(messages);
    window.show_run(recorded("maximize.qtb"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.ZoomResetItem->trigger();
    TableGrid& grid = *window.Grid;
    const int normal_row = grid.rowHeight(0);
    const int normal_width = grid_width(grid);

    window.ZoomInItem->trigger();
    QTest::keyClick(window.windowHandle(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(grid.zoom(), 125);
    EXPECT_GT(grid.rowHeight(0), normal_row);
    EXPECT_GT(grid_width(grid), normal_width);
    QWheelEvent wheel(QPointF(5, 5), grid.viewport()->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
    EXPECT_EQ(grid.zoom(), 110);
    QTest::keyClick(window.windowHandle(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(window.windowHandle(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(grid.zoom(), 90);
    EXPECT_LT(grid.rowHeight(0), normal_row + 1);
    {
        SolutionWindow next(messages);
        EXPECT_EQ(next.Grid->zoom(), 90);
    }
    QTest::keyClick(window.windowHandle(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(grid.zoom(), 100);
    EXPECT_EQ(grid.rowHeight(0), normal_row);
    EXPECT_EQ(grid_width(grid), normal_width);
}

TEST(SolutionWindow, SavingSuggestsANameAfterTheProblemAndAddsTheChosenFiltersExtension) {
    const TemporaryCurrentFolder folder;
    RecordedMessages messages;
    SolutionWindow window(messages);
    window.show_run(recorded("maximize.qtb"));
    window.run_inputs = {std::filesystem::absolute("p.qtb")};
    const struct {
        void (SolutionWindow::*save)();
        const char* suggested;
        const char* filter;
        const char* saved;
    } cases[] = {{&SolutionWindow::ExportRun, "p-решение.html", "HTML (*.html)", "maximize-run.html"},
                 {&SolutionWindow::ExportRun, "p-решение.html", "LaTeX (*.tex)", "maximize-run.tex"},
                 {&SolutionWindow::SavePicture, "p-рисунок.png", "SVG (*.svg)", "maximize-run.svg"}};
    for (const auto& c : cases) {
        QString suggested;
        window.choose_file = [&](const QString&, const QString&, const QString& suggestion, QString* filter) {
            suggested = suggestion;
            *filter = QString::fromUtf8(c.filter);
            return folder.path() + "/maximize-run";
        };
        (window.*c.save)();
        EXPECT_EQ(QFileInfo(suggested).fileName(), QString::fromUtf8(c.suggested));
        EXPECT_EQ(QFileInfo(QFileInfo(suggested).absolutePath()).canonicalFilePath(),
                  QFileInfo(folder.path()).canonicalFilePath());
        EXPECT_TRUE(QFile::exists(folder.path() + '/' + QString::fromUtf8(c.saved))) << c.saved;
    }
    EXPECT_FALSE(QFile::exists(folder.path() + "/maximize-run"));
    EXPECT_TRUE(messages.take().empty());
}

}  // namespace

// Gomory's cuts: each table listed under the part it belongs to, the relaxation or its cut.
TEST(SolutionWindowCuts, ListsEachTableUnderItsCut) {
    SimplexIteration problem = SimplexIteration::from_bytes(
        "Aim: max\r\nSize: 2 4\r\nInteger: 2 1 2\r\nMatrix:\r\n7 10 0 0\r\n6 -1 3 1 0\r\n35 7 1 0 1\r\nFile: "
        "r.txt\r\n");
    problem.no_table = true;
    TableRecorder recorder;
    RunSettings settings;
    settings.integer = IntegerMethod::gomory;
    run_simplex(problem, settings, ReportFrame{}, RunObserver{&recorder, {}, nullptr});
    RecordedMessages messages;
    SolutionWindow window(messages);
    window.show_run(recorder.take());
    const std::vector<std::string> starts = {"Задача без условий целочисленности. Исходная таблица",
                                             "Задача без условий целочисленности. Итерация 1",
                                             "Задача без условий целочисленности. Итерация 2",
                                             "Отсечение 1. Итерация 2",
                                             "Отсечение 1. Итерация 3",
                                             "Отсечение 2. Итерация 3",
                                             "Отсечение 2. Итерация 4"};
    ASSERT_EQ(window.TableList->count(), static_cast<int>(starts.size()));
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::string item = window.TableList->item(static_cast<int>(k))->text().toStdString();
        EXPECT_TRUE(item.starts_with(starts[k])) << item;
    }
}

namespace {

// max 7 x1 + 10 x2: -x1 + 3 x2 <= 6, 7 x1 + x2 <= 35, both integer: a tree of several levels.
const char* const kIntegerProblem =
    "Aim: max\r\nSize: 2 4\r\nInteger: 2 1 2\r\nMatrix:\r\n7 10 0 0\r\n6 -1 3 1 0\r\n35 7 1 0 1\r\nFile: r.txt\r\n";

std::shared_ptr<RecordedRun> branch_and_bound(std::int32_t node_limit, std::size_t bound) {
    SimplexIteration problem = SimplexIteration::from_bytes(kIntegerProblem);
    problem.no_table = true;
    TableRecorder recorder(bound);
    RunSettings settings;
    settings.node_limit = node_limit;
    run_simplex(problem, settings, ReportFrame{}, RunObserver{&recorder, {}, nullptr});
    return recorder.take();
}

}  // namespace

// Branch and bound: a box for every node, the answer's framed; a click on a node lists its first table,
// or says in the status bar why the window has none.
TEST(SolutionWindowTree, AClickOnANodeShowsItsFirstTable) {
    const std::size_t table = snapshot_bytes(branch_and_bound(kDefaultNodeLimit, kRecordedTablesBound)->tables[0]);
    const struct {
        std::int32_t node_limit;
        std::size_t bound;
        const char* missing;  // said of some node, or nothing when every node's tables are at hand
    } cases[] = {{kDefaultNodeLimit, kRecordedTablesBound, nullptr},
                 {3, kRecordedTablesBound, "не решался: предел числа узлов"},
                 {kDefaultNodeLimit, 8 * table, "не сохранены в окне"}};
    for (const auto& c : cases) {
        const auto run = branch_and_bound(c.node_limit, c.bound);
        RecordedMessages messages;
        SolutionWindow window(messages);
        window.show_run(run);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_GE(window.Tabs->indexOf(window.TreePage), 0);
        window.Tabs->setCurrentWidget(window.TreePage);
        const std::vector<BranchNode>& nodes = run->outcome.nodes;
        ASSERT_GT(nodes.size(), 3U);
        EXPECT_EQ(window.Tree->node_count(), static_cast<int>(nodes.size()));
        const auto answer = std::find_if(nodes.begin(), nodes.end(), [](const BranchNode& n) { return n.incumbent; });
        EXPECT_EQ(window.Tree->answer_node(), answer == nodes.end() ? 0 : answer->id);

        bool missing_said = false;
        for (const BranchNode& node : nodes) {
            window.Tabs->setCurrentWidget(window.TreePage);
            window.TableList->setCurrentRow(-1);
            window.statusBar()->clearMessage();
            window.Tree->ensureVisible(window.Tree->node_box(node.id));
            QTest::mouseClick(window.Tree->viewport(), Qt::LeftButton, {},
                              window.Tree->mapFromScene(window.Tree->node_box(node.id).center()));
            const QString said = window.statusBar()->currentMessage();
            if (!said.isEmpty()) {
                EXPECT_TRUE(said.contains(QString::fromUtf8(c.missing ? c.missing : "?"))) << said.toStdString();
                missing_said = true;
                continue;
            }
            // The list's line names the node's part, and the line before it another part.
            const QString part = QString::fromStdString(node_heading(node, utf8_variable_names(*run->problem))) + ". ";
            const int row = window.TableList->currentRow();
            ASSERT_GE(row, 0) << node.id;
            EXPECT_EQ(window.Tabs->currentWidget(), window.TablesPage);
            EXPECT_TRUE(window.TableList->item(row)->text().contains(part)) << node.id;
            if (row > 0) {
                EXPECT_FALSE(window.TableList->item(row - 1)->text().contains(part)) << node.id;
            }
        }
        EXPECT_EQ(missing_said, c.missing != nullptr);
    }
}
