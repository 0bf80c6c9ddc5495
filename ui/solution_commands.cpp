// The main window's commands about the solution of its latest run.

#include "ui/main_form.h"
#include "ui/solution_window.h"

void TForm1::build_solution_menu() {
    ShowSolutionItem = Solution1->addAction(QStringLiteral("&Показать решение"));
    ShowSolutionItem->setObjectName(QStringLiteral("ShowSolutionItem"));
    ShowSolutionItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    connect(ShowSolutionItem, &QAction::triggered, this, [this] { ShowSolution(); });
}

void TForm1::ShowSolution() {
    if (!last_run_)
        return say_in_status_bar(QStringLiteral("Решения ещё нет: загрузите задачу и нажмите «Решить задачу»."));
    if (!SolutionWindow1) SolutionWindow1 = new SolutionWindow(messages_, this);
    SolutionWindow1->show_run(last_run_);
    SolutionWindow1->run_inputs = {last_run_input_};
    SolutionWindow1->setWindowFlag(Qt::Window);
    SolutionWindow1->show();
    SolutionWindow1->raise();
    SolutionWindow1->activateWindow();
}
