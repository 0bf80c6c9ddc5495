// The main window's check of a student's tables against the loaded problem.

#include <QFileDialog>

#include <exception>

#include "solver/check/run_tables.h"
#include "solver/check/table_check.h"
#include "solver/check/written_tables.h"
#include "ui/check_window.h"
#include "ui/main_form.h"

namespace {

const QString kCheckCaption = QStringLiteral("проверка таблиц");

}  // namespace

void TForm1::CheckStudentTables() {
    if (!loaded_) return say_in_status_bar(QStringLiteral("Сначала загрузите задачу, по которой проверять таблицы."));
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Таблицы учащегося"), QString(),
                                                      QStringLiteral("Таблицы (*.txt);;Все файлы (*)"));
    if (!path.isEmpty()) open_check_window(path);
}

bool TForm1::open_check_window(const QString& path) {
    if (!loaded_) return false;
    if (chosen_method() != SolveMethod::big_m) {
        messages_.show(QStringLiteral("Таблицы проверяются только для M-метода."), kCheckCaption);
        return false;
    }
    try {
        WrittenTables written = read_written_tables_file(path.toStdString());
        const PivotRule rule = BlandRule1->isChecked() ? PivotRule::bland : PivotRule::dantzig;
        CheckResult result = check_tables(record_, rule, exact_run_tables(record_, rule), written);
        auto* window = new CheckWindow(record_, std::move(written), std::move(result), path, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        return true;
    } catch (const std::exception& failure) {
        messages_.show(QString::fromStdString(failure.what()), kCheckCaption);
        return false;
    }
}
