#include "ui/check_window.h"

#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

#include <utility>

#include "solver/check/check_snapshot.h"

namespace {

QString verdict_text(const CheckResult& result) {
    switch (result.verdict()) {
        case CheckVerdict::correct:
            return QStringLiteral("Все таблицы верны.");
        case CheckVerdict::unfinished:
            return QStringLiteral("Таблицы верны, но решение не закончено.");
        case CheckVerdict::wrong:
            break;
    }
    return QStringLiteral("В таблицах есть ошибки: отмечены красным, верное значение — в подсказке клетки.");
}

std::size_t faults_in(const CheckResult& result, std::size_t table) {
    std::size_t count = 0;
    for (const CheckError& e : result.errors) count += e.table == table ? 1 : 0;
    return count;
}

QWidget* captioned(const QString& caption, QWidget* content) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(caption));
    layout->addWidget(content);
    return box;
}

}  // namespace

TableCells written_cells(TableCells cells, const WrittenTable& written) {
    const auto put = [&cells](std::size_t row, const std::vector<WrittenNumber>* numbers) {
        for (std::size_t k = 2; k < cells.columns; ++k) {
            const std::size_t j = k - 2;
            cells.rows[row][k].text = numbers && j < numbers->size() ? (*numbers)[j].text : std::string();
            cells.rows[row][k].key = cells.rows[row][k].key_column = cells.rows[row][k].key_row = false;
        }
    };
    for (std::uint32_t i = 1; i <= cells.constraint_count; ++i) {
        const std::size_t row = cells.first_constraint_row + i - 1;
        const WrittenRow* given = i <= written.rows.size() ? &written.rows[i - 1] : nullptr;
        cells.rows[row][0].text.clear();  // the cost follows the name, which may be wrong
        cells.rows[row][1].text = given ? given->name : std::string();
        put(row, given ? &given->cells : nullptr);
    }
    const std::vector<WrittenNumber> none;
    put(cells.m_parts_row(), written.m_parts ? &*written.m_parts : &none);
    put(cells.plain_parts_row(), written.plain_parts ? &*written.plain_parts : nullptr);
    return cells;
}

TableGridModel::Marks fault_marks(const TableCells& cells, const CheckResult& result, std::size_t table) {
    TableGridModel::Marks marks;
    for (const CheckError& e : result.errors) {
        if (e.table != table) continue;
        int row = -1;
        int column = static_cast<int>(e.column_index) + 2;
        switch (e.part) {
            case CellPart::basis_name:
                if (e.row_index > cells.constraint_count) continue;
                row = static_cast<int>(cells.first_constraint_row + e.row_index - 1);
                column = 1;
                break;
            case CellPart::element:
                if (e.row_index > cells.constraint_count) continue;
                row = static_cast<int>(cells.first_constraint_row + e.row_index - 1);
                break;
            case CellPart::m_part:
                row = static_cast<int>(cells.m_parts_row());
                break;
            case CellPart::plain_part:
                row = static_cast<int>(cells.plain_parts_row());
                break;
            case CellPart::table:
                continue;
        }
        if (column >= static_cast<int>(cells.columns)) continue;
        marks[{row, column}] = e.expected ? QStringLiteral("Должно быть: ") + QString::fromStdString(*e.expected)
                                          : QStringLiteral("Лишнее");
    }
    return marks;
}

CheckWindow::CheckWindow(SimplexIteration problem, WrittenTables written, CheckResult result, const QString& file,
                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      problem_(std::move(problem)),
      written_(std::move(written)),
      result_(std::move(result)),
      verdict_(new QLabel(verdict_text(result_), this)),
      tables_(new QListWidget(this)),
      written_grid_(new TableGrid),
      right_grid_(new TableGrid),
      faults_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("CheckWindow1"));
    setWindowTitle(QStringLiteral("Проверка таблиц: ") + file);
    tables_->setObjectName(QStringLiteral("CheckTables1"));
    written_grid_->setObjectName(QStringLiteral("WrittenGrid1"));
    right_grid_->setObjectName(QStringLiteral("RightGrid1"));
    faults_->setObjectName(QStringLiteral("CheckFaults1"));
    faults_->setReadOnly(true);
    QStringList lines;
    for (const CheckError& e : result_.errors) lines << QString::fromStdString(check_error_text(e));
    faults_->setPlainText(lines.join('\n'));
    faults_->setMaximumHeight(120);
    for (std::size_t k = 0; k < written_.tables.size(); ++k) {
        const std::size_t faults = faults_in(result_, k);
        tables_->addItem(QStringLiteral("Таблица %1 — %2")
                             .arg(k)
                             .arg(faults == 0 ? QStringLiteral("верно") : QStringLiteral("ошибок: %1").arg(faults)));
    }
    tables_->setMaximumWidth(220);
    auto* grids = new QSplitter(Qt::Vertical);
    grids->addWidget(captioned(QStringLiteral("Записано учащимся"), written_grid_));
    grids->addWidget(captioned(QStringLiteral("Верная таблица"), right_grid_));
    auto* middle = new QHBoxLayout;
    middle->addWidget(tables_);
    middle->addWidget(grids, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict_);
    layout->addLayout(middle, 1);
    layout->addWidget(faults_);
    connect(tables_, &QListWidget::currentRowChanged, this, [this](int k) { show_table(k); });
    if (!written_.tables.empty()) tables_->setCurrentRow(0);
    resize(1000, 640);
}

void CheckWindow::show_table(int k) {
    if (k < 0 || static_cast<std::size_t>(k) >= written_.tables.size()) return;
    const auto index = static_cast<std::size_t>(k);
    const std::optional<ExactTable>& right = index < result_.right.size() ? result_.right[index] : std::nullopt;
    if (!right) {
        written_grid_->show_cells({});
        right_grid_->show_cells({});
        return;
    }
    const TableSnapshot snapshot = snapshot_of(problem_, *right, k);
    right_grid_->show_table(snapshot);
    TableCells cells = written_cells(table_cells(snapshot), written_.tables[index]);
    TableGridModel::Marks marks = fault_marks(cells, result_, index);
    written_grid_->show_cells(std::move(cells), std::move(marks));
}
