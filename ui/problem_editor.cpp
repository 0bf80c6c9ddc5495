#include "ui/problem_editor.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTimer>
#include <QToolBar>

#include "problem/cp1251.h"
#include "solver/session/load_request.h"
#include "ui/editor_formats.h"
#include "ui/escape_key.h"
#include "ui/fit_to_screen.h"
#include "ui/main_form.h"

namespace {

const QString kErrorCaption = QStringLiteral("сообщение об ошибке");

QAction* make_action(QWidget* window, const char* name, const QString& text, const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

// A file's text: UTF-8 when its bytes are UTF-8 (a byte-order mark dropped), Windows-1251 otherwise,
// as the problem-file reader tells them apart.
QString decoded_text(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text.startsWith(QChar::ByteOrderMark) ? text.mid(1) : text;
    return QString::fromStdString(cp1251::to_utf8(bytes.toStdString()));
}

QString file_filter(const EditorFormat& entry) {
    return entry.title + QStringLiteral(" (*") + entry.extension + QStringLiteral(")");
}

bool is_template(const QString& text) {
    if (text.trimmed().isEmpty()) return true;
    for (const EditorFormat& entry : editor_formats()) {
        if (text == entry.template_text) return true;
    }
    return false;
}

}  // namespace

ProblemEditor::Dialogs ProblemEditor::Dialogs::real() {
    return {
        [](QWidget* parent, const QString& suggestion, const EditorFormat& format) {
            return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить задачу"), suggestion,
                                                file_filter(format) + QStringLiteral(";;Все файлы (*)"));
        },
        [](QWidget* parent, const QString& name) {
            QMessageBox box(QMessageBox::Question, QStringLiteral("Редактор задачи"),
                            QStringLiteral("Сохранить изменения в «%1»?").arg(name),
                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
            box.setDefaultButton(QMessageBox::Save);
            switch (box.exec()) {
                case QMessageBox::Save:
                    return UnsavedAnswer::save;
                case QMessageBox::Discard:
                    return UnsavedAnswer::discard;
                default:
                    return UnsavedAnswer::cancel;
            }
        },
        [](QWidget* parent, const QString& caption, const QString& folder, const QString& filters) {
            return QFileDialog::getOpenFileName(parent, caption, folder, filters);
        },
    };
}

ProblemEditor::ProblemEditor(TForm1& main_window, MessageSink& messages, Dialogs dialogs)
    : QMainWindow(&main_window, Qt::Window),
      dialogs(std::move(dialogs)),
      main_window_(main_window),
      messages_(messages) {
    setObjectName(QStringLiteral("ProblemEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    build_actions();
    build_window();
    resize(680, 520);
    fit_to_screen(this);
    start_new(ModelFormat::cplex_lp);
}

void ProblemEditor::build_actions() {
    OpenAction = make_action(this, "OpenAction", QStringLiteral("Открыть…"), {QKeySequence(Qt::CTRL | Qt::Key_O)});
    ChooseDataAction = make_action(this, "ChooseDataAction", QStringLiteral("Обзор…"), {});
    ChooseDataAction->setToolTip(QStringLiteral("Выбрать файл данных модели MathProg"));
    CheckAction = make_action(this, "CheckAction", QStringLiteral("Проверить"),
                              {QKeySequence(Qt::Key_F7), QKeySequence(Qt::CTRL | Qt::Key_K)});
    SaveAction = make_action(this, "SaveAction", QStringLiteral("Сохранить"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    SaveAsAction = make_action(this, "SaveAsAction", QStringLiteral("Сохранить как…"),
                               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    SolveAction = make_action(
        this, "SolveAction", QStringLiteral("Решить"),
        {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    CloseAction = make_action(this, "CloseAction", QStringLiteral("Закрыть"), {QKeySequence(Qt::Key_Escape)});
    give_escape_to_popups_first();  // the format list closes before the window

    connect(OpenAction, &QAction::triggered, this, [this] { open_chosen_file(); });
    connect(ChooseDataAction, &QAction::triggered, this, &ProblemEditor::choose_data_file);
    connect(CheckAction, &QAction::triggered, this, [this] { check(); });
    connect(SaveAction, &QAction::triggered, this, [this] { save(); });
    connect(SaveAsAction, &QAction::triggered, this, [this] { save_as(); });
    connect(SolveAction, &QAction::triggered, this, &ProblemEditor::solve);
    connect(CloseAction, &QAction::triggered, this, &QWidget::close);
}

void ProblemEditor::build_window() {
    QMenu* file_menu = menuBar()->addMenu(QStringLiteral("Файл"));
    file_menu->addActions({OpenAction, SaveAction, SaveAsAction});
    file_menu->addSeparator();
    file_menu->addAction(CloseAction);
    QMenu* problem_menu = menuBar()->addMenu(QStringLiteral("Задача"));
    problem_menu->addActions({CheckAction, SolveAction});

    QToolBar* bar = addToolBar(QStringLiteral("Команды"));
    bar->setObjectName(QStringLiteral("EditorToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* format_label = new QLabel(QStringLiteral(" Формат: "), bar);
    bar->addWidget(format_label);
    FormatBox = new QComboBox(bar);
    FormatBox->setObjectName(QStringLiteral("FormatBox"));
    for (const EditorFormat& entry : editor_formats())
        FormatBox->addItem(entry.title + QStringLiteral(" (") + entry.extension + QStringLiteral(")"));
    format_label->setBuddy(FormatBox);
    bar->addWidget(FormatBox);
    bar->addSeparator();
    bar->addActions({CheckAction, SaveAction, SolveAction});

    // A row of its own: the commands keep their room beside the format.
    addToolBarBreak();
    QToolBar* data_bar = addToolBar(QStringLiteral("Данные модели"));
    data_bar->setObjectName(QStringLiteral("DataToolBar"));
    data_bar->setMovable(false);
    data_bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* data_label = new QLabel(QStringLiteral(" Данные модели: "), data_bar);
    data_bar->addWidget(data_label);
    DataFileEdit = new QLineEdit(data_bar);
    DataFileEdit->setObjectName(QStringLiteral("DataFileEdit"));
    DataFileEdit->setToolTip(
        QStringLiteral("Файл данных модели MathProg (data; …). По умолчанию — файл .dat с именем модели рядом с ней."));
    data_label->setBuddy(DataFileEdit);
    data_bar->addWidget(DataFileEdit);
    data_bar->addAction(ChooseDataAction);
    connect(FormatBox, &QComboBox::activated, this, &ProblemEditor::format_chosen);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    TextEdit = new LineNumberedEdit(splitter);
    TextEdit->setObjectName(QStringLiteral("TextEdit"));
    FaultList = new QListWidget(splitter);
    FaultList->setObjectName(QStringLiteral("FaultList"));
    splitter->addWidget(TextEdit);
    splitter->addWidget(FaultList);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);
    connect(FaultList, &QListWidget::itemActivated, this, &ProblemEditor::go_to_fault);
    connect(FaultList, &QListWidget::itemClicked, this, &ProblemEditor::go_to_fault);
    connect(TextEdit->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);

    statusBar()->setObjectName(QStringLiteral("EditorStatus"));
    setTabOrder(TextEdit, FaultList);
    setTabOrder(FaultList, FormatBox);
}

const EditorFormat& ProblemEditor::edited_format() const {
    return editor_formats()[static_cast<std::size_t>(std::max(0, FormatBox->currentIndex()))];
}

void ProblemEditor::set_format(const EditorFormat& format) {
    FormatBox->setCurrentIndex(static_cast<int>(&format - editor_formats().data()));
    shown_format_ = &format;
    show_data_file_state();
}

// Only a MathProg model has a data file; its field says so for the other formats.
void ProblemEditor::show_data_file_state() {
    const bool mathprog = shown_format_->format == ModelFormat::mathprog;
    DataFileEdit->setEnabled(mathprog);
    ChooseDataAction->setEnabled(mathprog);
    DataFileEdit->setPlaceholderText(mathprog ? QStringLiteral("нет: данные в самой модели")
                                              : QStringLiteral("только для модели MathProg (.mod)"));
}

void ProblemEditor::set_data_file(const QString& file_name) { DataFileEdit->setText(file_name); }

QString ProblemEditor::data_file() const {
    return format() == ModelFormat::mathprog ? DataFileEdit->text().trimmed() : QString();
}

void ProblemEditor::choose_data_file() {
    const QString folder = file_name_.isEmpty() ? QDir::currentPath() : QFileInfo(file_name_).absolutePath();
    const QString chosen = dialogs.open_name(this, QStringLiteral("Файл данных модели"), folder,
                                             QStringLiteral("Данные моделей MathProg (*.dat);;Все файлы (*)"));
    if (!chosen.isEmpty()) set_data_file(QFileInfo(chosen).absoluteFilePath());
}

// A text still as it was started (a template or nothing) follows the format chosen; any other
// text stays and is read in the new format from now on.
void ProblemEditor::format_chosen(int index) {
    const EditorFormat& chosen = editor_formats()[static_cast<std::size_t>(index)];
    if (&chosen == shown_format_) return;
    shown_format_ = &chosen;
    show_data_file_state();
    if (is_template(TextEdit->toPlainText())) {
        const bool was_modified = TextEdit->document()->isModified();
        set_text(chosen.template_text);
        TextEdit->document()->setModified(was_modified || !file_name_.isEmpty());
    }
    FaultList->clear();
    update_title();
}

void ProblemEditor::set_text(const QString& text) {
    TextEdit->setPlainText(text);
    TextEdit->document()->setModified(false);
    TextEdit->mark_lines({});
    FaultList->clear();
}

void ProblemEditor::start_new(const EditorFormat& format) {
    file_name_.clear();
    set_format(format);
    set_text(format.template_text);
    update_title();
}

bool ProblemEditor::open_file(const QString& file_name) {
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly)) {
        messages_.show(QStringLiteral("Не удаётся прочитать файл %1").arg(file_name), kErrorCaption);
        return false;
    }
    file_name_ = QFileInfo(file_name).absoluteFilePath();
    set_format(editor_format_of(file_name));
    set_text(decoded_text(file.readAll()));
    const std::optional<std::string> beside = data_file_beside(QFile::encodeName(file_name_).toStdString());
    set_data_file(beside ? QFile::decodeName(beside->c_str()) : QString());
    update_title();
    return true;
}

bool ProblemEditor::open_chosen_file() {
    if (!may_leave_text()) return false;
    const QString folder = file_name_.isEmpty() ? QDir::currentPath() : QFileInfo(file_name_).absolutePath();
    const QString chosen =
        dialogs.open_name(this, QStringLiteral("Открыть задачу"), folder,
                          QStringLiteral("Задачи и модели (*.qtb *.qtt *.lp *.mps *.mod);;Данные моделей MathProg "
                                         "(*.dat);;Все файлы (*)"));
    return !chosen.isEmpty() && open_file(chosen);
}

void ProblemEditor::update_title() {
    const QString name = file_name_.isEmpty() ? QStringLiteral("Новая задача") : QFileInfo(file_name_).fileName();
    setWindowTitle(QStringLiteral("Редактор задачи — %1[*]").arg(name));
}

// --- Check ---

bool ProblemEditor::check() {
    const TextCheck checked = run_check();
    return !checked.stopped && checked.faults.empty();
}

bool ProblemEditor::text_is_saved_model() const {
    return format() != ModelFormat::problem_file && !file_name_.isEmpty() && !TextEdit->document()->isModified() &&
           with_extension_of(file_name_, edited_format()) == file_name_;
}

TextCheck ProblemEditor::run_check() {
    if (format() != ModelFormat::problem_file && (checking_ || main_window_.busy())) {
        statusBar()->showMessage(QStringLiteral("Главное окно занято: дождитесь конца загрузки или решения."));
        return {{}, {}, true};
    }
    const ModelFileReader read = [this](const LoadRequest& request) -> std::optional<LoadedProblem> {
        TForm1::ModelReading reading = main_window_.ReadModelBeside(request, QStringLiteral("Проверка модели…"));
        if (reading.failure) std::rethrow_exception(reading.failure);
        return std::move(reading.loaded);
    };
    checking_ = true;
    TextCheck checked = text_is_saved_model()
                            ? check_model_file(file_name_, format(), read, data_file())
                            : check_problem_text(TextEdit->toPlainText(), edited_format(), read, data_file());
    checking_ = false;
    if (close_after_check_) {
        close_after_check_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
        return {{}, {}, true};
    }
    if (checked.stopped) {
        FaultList->clear();
        statusBar()->showMessage(QStringLiteral("Проверка остановлена."));
        return checked;
    }
    show_faults(checked.faults);
    return checked;
}

void ProblemEditor::show_faults(const std::vector<TextFault>& faults) {
    FaultList->clear();
    QList<int> lines;
    for (const TextFault& fault : faults) {
        const QString text =
            fault.line == 0 ? fault.message : QStringLiteral("Строка %1: %2").arg(fault.line).arg(fault.message);
        auto* item = new QListWidgetItem(text, FaultList);
        item->setData(Qt::UserRole, fault.line);
        if (fault.line != 0) lines.push_back(static_cast<int>(fault.line));
    }
    TextEdit->mark_lines(lines);
    if (faults.empty()) {
        auto* item = new QListWidgetItem(QStringLiteral("Ошибок не найдено."), FaultList);
        item->setData(Qt::UserRole, 0);
        statusBar()->showMessage(QStringLiteral("Ошибок не найдено."));
    } else {
        statusBar()->showMessage(QStringLiteral("Найдено ошибок: %1").arg(faults.size()));
        if (!lines.isEmpty()) TextEdit->go_to_line(lines.front());
    }
}

void ProblemEditor::go_to_fault(const QListWidgetItem* item) {
    if (const int line = item->data(Qt::UserRole).toInt(); line > 0) TextEdit->go_to_line(line);
}

// --- Save ---

bool ProblemEditor::save() {
    if (file_name_.isEmpty() || with_extension_of(file_name_, edited_format()) != file_name_) return save_as();
    return write_to(file_name_);
}

bool ProblemEditor::save_as() {
    const EditorFormat& entry = edited_format();
    const QString suggestion =
        file_name_.isEmpty()
            ? QDir::current().filePath(QStringLiteral("задача") + entry.extension)
            : QFileInfo(file_name_).dir().filePath(QFileInfo(file_name_).completeBaseName() + entry.extension);
    const QString chosen = dialogs.save_name(this, suggestion, entry);
    if (chosen.isEmpty()) return false;
    return write_to(QFileInfo(with_extension_of(chosen, entry)).absoluteFilePath());
}

bool ProblemEditor::write_to(const QString& file_name) {
    QSaveFile file(file_name);
    const QByteArray bytes = TextEdit->toPlainText().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        messages_.show(QStringLiteral("Не удаётся сохранить файл %1").arg(file_name), kErrorCaption);
        return false;
    }
    file_name_ = file_name;
    TextEdit->document()->setModified(false);
    update_title();
    statusBar()->showMessage(QStringLiteral("Сохранено: %1").arg(file_name_));
    return true;
}

// --- Solve ---

void ProblemEditor::solve() {
    // The main window reads the file, in the format its extension names.
    const bool unsaved =
        TextEdit->document()->isModified() || with_extension_of(file_name_, edited_format()) != file_name_;
    if (unsaved && !save()) return;
    TextCheck checked = run_check();
    if (checked.stopped || !checked.faults.empty()) return;
    // As "Загрузить данные" with the name in the main window's box, then "Решить задачу"; a model the
    // check has read is taken as it is.
    if (checked.model) {
        main_window_.LoadReadModel(file_name_, data_file(), std::move(*checked.model));
    } else {
        main_window_.Edit1->setText(QDir::toNativeSeparators(file_name_));
        main_window_.Button3Click();
    }
    if (main_window_.Button1->isEnabled()) main_window_.Button1Click();
}

// --- Close ---

void ProblemEditor::closeEvent(QCloseEvent* event) {
    if (checking_) {
        // The check's reading stops; the window closes when it has ended.
        close_after_check_ = true;
        main_window_.StopRun1Click();
        return event->ignore();
    }
    if (!may_leave_text()) return event->ignore();
    event->accept();
}

bool ProblemEditor::may_leave_text() {
    if (!TextEdit->document()->isModified()) return true;
    const QString name = file_name_.isEmpty() ? QStringLiteral("Новая задача") : QFileInfo(file_name_).fileName();
    switch (dialogs.unsaved_changes(this, name)) {
        case UnsavedAnswer::save:
            return save();
        case UnsavedAnswer::discard:
            return true;
        case UnsavedAnswer::cancel:
            return false;
    }
    return false;
}
