// The main window's commands about the solution of its latest run, and about the loaded model's dual.

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "problem/dual_model.h"
#include "solver/analysis/dual_solution.h"
#include "ui/main_form.h"
#include "ui/solution_window.h"

namespace {

const QString kNoDual = QStringLiteral("Двойственная задача строится только для модели (.lp, .mps, .mod).");

}  // namespace

void TForm1::build_solution_menu() {
    ShowSolutionItem = Solution1->addAction(QStringLiteral("&Показать решение"));
    ShowSolutionItem->setObjectName(QStringLiteral("ShowSolutionItem"));
    ShowSolutionItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    connect(ShowSolutionItem, &QAction::triggered, this, [this] { ShowSolution(); });
    DualProblemItem = Solution1->addAction(QStringLiteral("&Двойственная задача"));
    DualProblemItem->setObjectName(QStringLiteral("DualProblemItem"));
    connect(DualProblemItem, &QAction::triggered, this, [this] { ShowDualProblem(); });
    DualProblemItem->setEnabled(false);
    DualProblemItem->setStatusTip(kNoDual);
    CheckTablesItem = Solution1->addAction(QStringLiteral("Проверить &таблицы учащегося..."));
    CheckTablesItem->setObjectName(QStringLiteral("CheckTablesItem"));
    connect(CheckTablesItem, &QAction::triggered, this, [this] { CheckStudentTables(); });
}

void TForm1::ShowSolution() {
    if (!last_run_ && !last_transport_)
        return say_in_status_bar(QStringLiteral("Решения ещё нет: загрузите задачу и нажмите «Решить задачу»."));
    if (!SolutionWindow1) SolutionWindow1 = new SolutionWindow(messages_, this);
    if (last_transport_) {
        SolutionWindow1->show_transport(last_transport_);
    } else {
        SolutionWindow1->show_run(last_run_);
    }
    SolutionWindow1->run_inputs = {last_run_input_};
    SolutionWindow1->setWindowFlag(Qt::Window);
    SolutionWindow1->show();
    SolutionWindow1->raise();
    SolutionWindow1->activateWindow();
}

QStringList TForm1::dual_problem_text() const {
    QStringList text;
    if (!model_loaded() || !loaded_->model->source) return text;
    const LpModel& primal = *loaded_->model->source;
    const DualProblem dual = dual_problem(primal);
    std::vector<std::string> lines = dual_problem_lines(dual, primal);
    // The solution only from a run of this very load that reached its optimum.
    const RecordedRun* run = last_run_.get();
    if (const SolveOutcome* outcome = last_outcome_.get(); run && outcome && run->ended &&
                                                           run->model == loaded_->model && outcome->status.empty() &&
                                                           outcome->end == RunEnd::optimal && outcome->final_table) {
        lines.emplace_back();
        const DualSolution solution = dual_solution(dual, *loaded_->model, record_, *outcome, *outcome->final_table);
        for (std::string& line : dual_solution_lines(solution)) lines.push_back(std::move(line));
    }
    for (const std::string& line : lines) text << QString::fromStdString(line);
    return text;
}

void TForm1::ShowDualProblem() {
    const QStringList text = dual_problem_text();
    if (text.isEmpty()) return say_in_status_bar(kNoDual);
    if (!DualWindow1) {
        auto* window = new QWidget(this, Qt::Window);
        window->setObjectName(QStringLiteral("DualWindow1"));
        window->setWindowTitle(QStringLiteral("Двойственная задача"));
        auto* view = new QPlainTextEdit(window);
        view->setObjectName(QStringLiteral("DualText1"));
        view->setReadOnly(true);
        view->setLineWrapMode(QPlainTextEdit::NoWrap);
        view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(view);
        window->resize(720, 420);
        DualWindow1 = window;
    }
    DualWindow1->findChild<QPlainTextEdit*>(QStringLiteral("DualText1"))->setPlainText(text.join('\n'));
    DualWindow1->show();
    DualWindow1->raise();
    DualWindow1->activateWindow();
}

void TForm1::show_dual_state() {
    DualProblemItem->setEnabled(model_loaded());
    DualProblemItem->setStatusTip(model_loaded() ? QString() : kNoDual);
    // An open window shows the dual of what is loaded now, or goes with the model it showed.
    if (!DualWindow1 || !DualWindow1->isVisible()) return;
    if (model_loaded()) {
        DualWindow1->findChild<QPlainTextEdit*>(QStringLiteral("DualText1"))
            ->setPlainText(dual_problem_text().join('\n'));
    } else {
        DualWindow1->hide();
    }
}
