#include "ui/variants_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include <functional>
#include <initializer_list>
#include <variant>

#include "solver/variants/variant_set.h"
#include "ui/main_form.h"
#include "ui/message_sink.h"

namespace {

const QString kCaption = QStringLiteral("Варианты");

QSpinBox* spin(QWidget* parent, const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QComboBox* choice(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    return box;
}

// A line edit with a «Обзор…» button that fills it.
QWidget* with_browse(QWidget* parent, QLineEdit* edit, const std::function<QString()>& browse) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    auto* button = new QPushButton(QStringLiteral("Обзор…"), row);
    layout->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, edit, [edit, browse] {
        if (const QString chosen = browse(); !chosen.isEmpty()) edit->setText(chosen);
    });
    return row;
}

}  // namespace

VariantsDialog::VariantsDialog(QWidget* parent, MessageSink& messages) : QDialog(parent), messages_(messages) {
    setObjectName(QStringLiteral("VariantsDialog"));
    setWindowTitle(QStringLiteral("Варианты задач для группы"));
    auto* form = new QFormLayout(this);
    Count = spin(this, "Count", 1, static_cast<int>(kMaxVariantCount), 30);
    form->addRow(QStringLiteral("Число вариантов:"), Count);
    Seed = new QLineEdit(QStringLiteral("1"), this);
    Seed->setObjectName(QStringLiteral("Seed"));
    Seed->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,19}")), Seed));
    form->addRow(QStringLiteral("Зерно (те же варианты при том же зерне):"), Seed);
    Rows = spin(this, "Rows", 1, static_cast<int>(kMaxVariantRows), 2);
    form->addRow(QStringLiteral("Ограничений:"), Rows);
    Columns = spin(this, "Columns", 1, static_cast<int>(kMaxVariantColumns), 3);
    form->addRow(QStringLiteral("Переменных:"), Columns);
    Sense = choice(this, "Sense", {QStringLiteral("максимум"), QStringLiteral("минимум")});
    form->addRow(QStringLiteral("Цель:"), Sense);
    auto* kinds = new QWidget(this);
    auto* kinds_layout = new QHBoxLayout(kinds);
    kinds_layout->setContentsMargins(0, 0, 0, 0);
    LessEqual = new QCheckBox(QStringLiteral("≤"), kinds);
    GreaterEqual = new QCheckBox(QStringLiteral("≥"), kinds);
    Equal = new QCheckBox(QStringLiteral("="), kinds);
    LessEqual->setObjectName(QStringLiteral("LessEqual"));
    GreaterEqual->setObjectName(QStringLiteral("GreaterEqual"));
    Equal->setObjectName(QStringLiteral("Equal"));
    LessEqual->setChecked(true);
    for (QCheckBox* box : {LessEqual, GreaterEqual, Equal}) kinds_layout->addWidget(box);
    form->addRow(QStringLiteral("Виды строк:"), kinds);
    Artificial =
        choice(this, "Artificial",
               {QStringLiteral("как выйдет по видам строк"), QStringLiteral("нужны"), QStringLiteral("не нужны")});
    form->addRow(QStringLiteral("Искусственные переменные:"), Artificial);
    Iterations = spin(this, "Iterations", 0, static_cast<int>(kMaxVariantIterations), 0);
    Iterations->setSpecialValueText(QStringLiteral("по числу строк"));
    form->addRow(QStringLiteral("Итераций M-метода:"), Iterations);
    Numbers = choice(this, "Numbers", {QStringLiteral("целые"), QStringLiteral("с одним знаком после запятой")});
    form->addRow(QStringLiteral("Числа:"), Numbers);
    Template = new QLineEdit(this);
    Template->setObjectName(QStringLiteral("Template"));
    Template->setPlaceholderText(QStringLiteral("нет: вид задан выше"));
    form->addRow(QStringLiteral("Образец (задача или модель):"), with_browse(this, Template, [this] {
                     return QFileDialog::getOpenFileName(
                         this, QStringLiteral("Образец вариантов"), {},
                         QStringLiteral("Задачи и модели (*.qtb *.lp *.mps *.mod);;Все файлы (*)"));
                 }));
    Folder = new QLineEdit(this);
    Folder->setObjectName(QStringLiteral("Folder"));
    form->addRow(QStringLiteral("Каталог вариантов:"), with_browse(this, Folder, [this] {
                     return QFileDialog::getExistingDirectory(this, QStringLiteral("Каталог вариантов"));
                 }));
    Force = new QCheckBox(QStringLiteral("заменять в каталоге файлы, записанные не этой программой"), this);
    Force->setObjectName(QStringLiteral("Force"));
    form->addRow(Force);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* make_button = buttons->addButton(QStringLiteral("Составить"), QDialogButtonBox::AcceptRole);
    make_button->setObjectName(QStringLiteral("MakeButton"));
    buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (make()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Template, &QLineEdit::textChanged, this, [this] { show_template_state(); });
}

void VariantsDialog::show_template_state() {
    // A template fixes the size, the sense and the rows.
    const bool free_shape = Template->text().isEmpty();
    for (QWidget* control :
         std::initializer_list<QWidget*>{Rows, Columns, Sense, LessEqual, GreaterEqual, Equal, Artificial}) {
        control->setEnabled(free_shape);
    }
}

VariantSetRequest VariantsDialog::request() const {
    VariantSetRequest request;
    request.count = static_cast<std::uint32_t>(Count->value());
    request.seed = Seed->text().toULongLong();
    VariantShape& shape = request.shape;
    shape.rows = static_cast<std::uint32_t>(Rows->value());
    shape.columns = static_cast<std::uint32_t>(Columns->value());
    shape.maximize = Sense->currentIndex() == 0;
    shape.kinds.clear();
    if (LessEqual->isChecked()) shape.kinds.push_back(RowKind::less_equal);
    if (GreaterEqual->isChecked()) shape.kinds.push_back(RowKind::greater_equal);
    if (Equal->isChecked()) shape.kinds.push_back(RowKind::equal);
    if (Artificial->currentIndex() != 0) shape.artificial = Artificial->currentIndex() == 1;
    if (Iterations->value() != 0) shape.iterations = static_cast<std::uint32_t>(Iterations->value());
    shape.halves = Numbers->currentIndex() == 1;
    if (!Template->text().isEmpty()) request.template_file = Template->text().toStdString();
    request.folder = std::filesystem::path(Folder->text().toStdString());
    request.replace_foreign = Force->isChecked();
    return request;
}

bool VariantsDialog::make() {
    if (Folder->text().isEmpty()) {
        messages_.show(QStringLiteral("Укажите каталог вариантов."), kCaption);
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto written = write_variant_set(request());
    QApplication::restoreOverrideCursor();
    if (const auto* message = std::get_if<std::string>(&written)) {
        messages_.show(QString::fromStdString(*message), kCaption);
        return false;
    }
    const VariantSet& set = std::get<VariantSet>(written);
    messages_.show(QStringLiteral("Вариантов составлено: %1 в каталоге %2.\nЗадачи: %3 … %4; ключ: answer-key.tex, "
                                  "answer-key.html; листок: problems.tex, problems.html.")
                       .arg(set.variants.size())
                       .arg(Folder->text(), QString::fromStdString(set.variants.front().file),
                            QString::fromStdString(set.variants.back().file)),
                   kCaption);
    return true;
}

void add_variants_command(TForm1& window, MessageSink& messages) {
    auto* item = new QAction(QStringLiteral("Варианты…"), &window);
    item->setObjectName(QStringLiteral("VariantsItem"));
    window.Problem1->addAction(item);
    QObject::connect(item, &QAction::triggered, &window, [&window, &messages] {
        VariantsDialog dialog(&window, messages);
        dialog.exec();
    });
}
