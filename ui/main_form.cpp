#include "ui/main_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QScrollArea>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <system_error>
#include <utility>

#include "problem/canonical_form.h"
#include "problem/fault_texts.h"
#include "problem/glpk_model_reader.h"
#include "problem/model_loading.h"
#include "problem/print_rules.h"
#include "problem/status_texts.h"
#include "solver/engine/dual_simplex_run.h"
#include "solver/engine/integer_run.h"
#include "ui/About.h"
#include "ui/app_icon.h"
#include "ui/captioned_frame.h"
#include "ui/edit_number.h"
#include "ui/editor_commands.h"
#include "ui/failure_text.h"
#include "ui/fit_to_screen.h"
#include "ui/main_form_controls.h"
#include "ui/main_form_layout.h"
#include "ui/variants_dialog.h"
#include "ui/window_look.h"

QPointer<TForm1> Form1;

namespace {

const QString kErrorCaption = QStringLiteral("сообщение об ошибке");
// The two messages about the file name carry the caption with a capital letter.
const QString kFileNameCaption = QStringLiteral("Сообщение об ошибке");
const QString kProgramCaption = QStringLiteral("QTB");
const QString kBarePattern = QStringLiteral("*.qtb");
const QString kModelDataFilter = QStringLiteral("Данные моделей MathProg (*.dat)");
const QString kNotLoaded = QStringLiteral("Файл в поле «Файл данных» не загружен.");
const QString kFaultsNotLoaded = QStringLiteral("Файл не загружен: в нём есть ошибки.");

QString busy_text(const QAction& stop) {
    return QStringLiteral("Идёт решение или загрузка: дождитесь конца или остановите (%1).")
        .arg(stop.shortcut().toString(QKeySequence::NativeText));
}

QLabel* place_label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = place<QLabel>(parent, name, text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place_growing_label(label, main_form_layout::place_of(name));
    return label;
}

// Something of the name exists (a file, a folder, anything); nothing is opened.
bool something_exists(const QString& name) {
    std::error_code error;
    return std::filesystem::exists(file_system_path(name), error);
}

// The one radio button of the window that is checked is its tab stop, as in the other toolkits'
// radio groups; the arrow keys move between the six.
void keep_tab_stop_on_checked(QRadioButton* button) {
    button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    QObject::connect(button, &QRadioButton::toggled, button,
                     [button](bool checked) { button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); });
}

// The client area, laid out in fixed pixels, scrolls inside a window made smaller than it.
void scroll_client_area(QMainWindow& window) {
    QWidget* client = window.takeCentralWidget();
    client->setFixedSize(main_form_layout::kClientWidth,
                         main_form_layout::kClientHeight - main_form_layout::kStatusBarHeight);
    auto* scroller = new QScrollArea(&window);
    scroller->setObjectName(QStringLiteral("ClientScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(client);
    window.setCentralWidget(scroller);
}

void set_editable(std::initializer_list<QLineEdit*> edits, bool editable) {
    for (QLineEdit* edit : edits) edit->setEnabled(editable);
}

}  // namespace

TForm1::TForm1(SimplexIteration& record, MessageSink& messages, ModelCalls model, QWidget* parent)
    : QMainWindow(parent), record_(record), messages_(messages), model_(std::move(model)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Симплекс метод"));
    setWindowIcon(app_icon());
    setFont(form_font());

    build_menu();
    add_editor_commands(*this, messages_);
    add_variants_command(*this, messages_);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    build_controls(client);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(main_form_layout::kStatusBarHeight);
    setStatusBar(StatusBar1);
    build_run_commands();

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    // "All files" is "*" here: on this system "*.*" would hide the names without a dot.
    OpenDialog1->setNameFilters({QStringLiteral("Файлы данных (*.qtb)"), QStringLiteral("Модели (*.lp *.mps *.mod)"),
                                 kModelDataFilter, QStringLiteral("Все файлы (*)")});

    set_tab_order();
    connect_handlers();
    build_data_file_controls(client);

    resize(main_form_layout::kClientWidth, MainMenu1->sizeHint().height() + main_form_layout::kClientHeight);
    move(197, 114);
    if (fit_to_screen(this)) scroll_client_area(*this);
}

void TForm1::build_menu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    File1 = MainMenu1->addMenu(QStringLiteral("File"));
    File1->setObjectName(QStringLiteral("File1"));
    // The shortcut belongs to the menu title and reaches no command.
    File1->menuAction()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));

    FileOpenItem = File1->addAction(QStringLiteral("Open ..."));
    FileOpenItem->setObjectName(QStringLiteral("FileOpenItem"));
    FileOpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // The hint is kept with the item; nothing displays it (a status tip would write to StatusBar1).
    FileOpenItem->setToolTip(QStringLiteral("Open|Open a file"));

    Exit1 = File1->addAction(QStringLiteral("Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));

    Help1 = MainMenu1->addMenu(QStringLiteral("Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    About1 = Help1->addAction(QStringLiteral("About..."));
    About1->setObjectName(QStringLiteral("About1"));

    // The menus that came after the window's first two keep to a bar of their own in the corner: File
    // and Help stay as they always were.
    ExtraMenus1 = new QMenuBar(MainMenu1);
    ExtraMenus1->setObjectName(QStringLiteral("ExtraMenus1"));
    MainMenu1->setCornerWidget(ExtraMenus1, Qt::TopRightCorner);
    Problem1 = ExtraMenus1->addMenu(QStringLiteral("&Задача"));
    Problem1->setObjectName(QStringLiteral("Problem1"));
    Solution1 = ExtraMenus1->addMenu(QStringLiteral("&Решение"));
    Solution1->setObjectName(QStringLiteral("Solution1"));
    build_solution_menu();
}

void TForm1::build_controls(QWidget* client) {
    Label3 = place_label(client, "Label3", QStringLiteral("Файл данных:"));
    Edit1 = place<QLineEdit>(client, "Edit1", kBarePattern);
    Button3 = place<QPushButton>(client, "Button3", QStringLiteral("Загрузить данные"));

    // The frame first, so that the radio buttons, children of the window, lie above it.
    RadioGroup1 = place<CaptionedFrame>(client, "RadioGroup1", QStringLiteral(" Вывод таблиц итераций "));
    RadioGroup1->setFocusPolicy(Qt::NoFocus);
    RadioButton1 = place<QRadioButton>(client, "RadioButton1", QStringLiteral("Таблицы всех итераций"));
    RadioButton2 = place<QRadioButton>(client, "RadioButton2", QStringLiteral("Только таблицу исходных данных"));
    RadioButton3 = place<QRadioButton>(client, "RadioButton3", QStringLiteral("Только таблицу оптимального решения"));
    RadioButton4 = place<QRadioButton>(
        client, "RadioButton4", QStringLiteral("Только таблицу исходных данных  и  таблицу оптимального решения"));
    RadioButton5 = place<QRadioButton>(client, "RadioButton5", QStringLiteral("Таблицы в указанном интервале "));
    Edit2 = place<QLineEdit>(client, "Edit2");
    Edit3 = place<QLineEdit>(client, "Edit3");
    RadioButton6 = place<QRadioButton>(client, "RadioButton6", QStringLiteral("Таблицы итераций не выводить"));
    RadioButton1->setChecked(true);
    for (QRadioButton* button : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6})
        keep_tab_stop_on_checked(button);
    Edit2->setEnabled(false);
    Edit3->setEnabled(false);

    GroupBox1 = place<CaptionedFrame>(client, "GroupBox1", QStringLiteral(" Точность вывода "));
    // One label; Edit4 and Edit5 stand in its two gaps, each after the text it answers.
    Label4 =
        place_label(GroupBox1, "Label4",
                    QStringLiteral("Разрядов под число:") + QString(17, u' ') + QStringLiteral("Цифр после запятой:"));
    Edit4 = place<QLineEdit>(GroupBox1, "Edit4");
    Edit5 = place<QLineEdit>(GroupBox1, "Edit5");
    Edit4->setEnabled(false);
    Edit5->setEnabled(false);

    Button1 = place<QPushButton>(client, "Button1", QStringLiteral("Решить задачу"));
    Button1->setEnabled(false);
    Button2 = place<QPushButton>(client, "Button2", QStringLiteral("Выход"));
    Label1 = place_label(client, "Label1");
    Label2 = place_label(client, "Label2");

    Edit1->installEventFilter(this);
}

void TForm1::set_tab_order() {
    QWidget* const chain[] = {Edit1,        Button1, Button2, RadioButton1, RadioButton2, RadioButton3, RadioButton4,
                              RadioButton5, Edit2,   Edit3,   RadioButton6, Button3,      Edit4,        Edit5};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) setTabOrder(chain[i], chain[i + 1]);
    Edit1->setFocus();
}

void TForm1::connect_handlers() {
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Edit1, &QLineEdit::returnPressed, Button3, &QPushButton::click);  // Enter loads
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(FileOpenItem, &QAction::triggered, this, &TForm1::FileOpenItemClick);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
    // A radio button's handler runs whenever it becomes checked, by the user or by the window itself.
    const std::pair<QRadioButton*, void (TForm1::*)()> radio_handlers[] = {
        {RadioButton1, &TForm1::RadioButton1Click}, {RadioButton2, &TForm1::RadioButton2Click},
        {RadioButton3, &TForm1::RadioButton3Click}, {RadioButton4, &TForm1::RadioButton4Click},
        {RadioButton5, &TForm1::RadioButton5Click}, {RadioButton6, &TForm1::RadioButton6Click},
    };
    for (const auto& entry : radio_handlers) {
        const auto handler = entry.second;
        connect(entry.first, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked) (this->*handler)();
        });
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::MouseButtonDblClick) {
        Edit1DblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

template <class Handler>
void TForm1::report_failures(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        messages_.show(failure_description(std::current_exception()), kErrorCaption);
    }
}

void TForm1::show_status_codes(const SimplexIteration::bad_simplex& failure) {
    for (const BoxText& box : status_boxes(failure)) messages_.show(box.text, box.caption);
}

// --- Load ---

void TForm1::Button3Click() {
    report_failures([this] {
        if (busy()) {  // one run or load at a time
            say_in_status_bar(busy_text(*StopRun1));
            return;
        }
        const QString file_name = Edit1->text();
        if (file_name == kBarePattern) {
            messages_.show(QStringLiteral("Необходимо указать имя файла данных!"), kFileNameCaption);
            load_failed(kNotLoaded, false);
            return;
        }
        if (!something_exists(file_name)) {
            messages_.show(QStringLiteral("Ошибка открытия файла!"), kFileNameCaption);
            load_failed(kNotLoaded, false);
            return;
        }
        RadioButton1->setChecked(true);
        LoadProblemFile(file_name);
    });
}

void TForm1::show_reading_warnings(const std::vector<SimplexIteration::bad_simplex::Hint>& warnings) {
    QStringList texts;
    for (const auto& warning : warnings) texts << QString::fromStdString(hint_text(warning));
    StatusBar1->setToolTip(texts.join('\n'));
    if (texts.isEmpty()) return;
    StatusBar1->showMessage(QStringLiteral("Предупреждение: ") + texts.join(QStringLiteral("; ")));
}

void TForm1::LoadProblemFile(const QString& file_name) {
    StatusBar1->clearMessage();  // the warnings of an earlier load
    StatusBar1->setToolTip(QString());
    const std::filesystem::path path = file_system_path(file_name);
    const QString data_file = data_file_name();
    if (const ModelFormat format = model_format_of_path(path.string()); format != ModelFormat::problem_file) {
        const QString shown_name = QFile::decodeName(path.filename().c_str());
        LoadRequest request{path.string(), std::nullopt, format, {}, nullptr};
        if (!data_file.isEmpty()) request.data_file = file_system_path(data_file).string();
        ModelReading reading =
            ReadModelBeside(std::move(request), QStringLiteral("Загрузка модели %1…").arg(shown_name));
        if (!reading.loaded && !reading.failure) {
            // Stopped: a window that closes meanwhile shows nothing more.
            if (!reading.window_closes) messages_.show(QStringLiteral("Загрузка модели остановлена."), kProgramCaption);
            load_failed(kNotLoaded, false);
            return;
        }
        if (!take_model(std::move(reading))) {
            load_failed(kFaultsNotLoaded, true);
            return;
        }
    } else {
        try {
            LoadedProblem loaded = model_.load(LoadRequest{path.string(), std::nullopt, format, {}, nullptr});
            record_ = std::move(loaded.record);
            show_reading_warnings(record_.reading_hints);
            keep_load(std::move(loaded));
        } catch (const SimplexIteration::bad_simplex& failure) {
            messages_.show(QStringLiteral("Есть ошибки при вводе!!!"), kProgramCaption);
            show_status_codes(failure);
            load_failed(kFaultsNotLoaded, true);
            return;
        }
    }
    finish_load(path, data_file);
}

void TForm1::LoadReadModel(const QString& file_name, const QString& data_file, LoadedProblem model) {
    report_failures([&] {
        if (busy()) {
            say_in_status_bar(busy_text(*StopRun1));
            return;
        }
        Edit1->setText(QDir::toNativeSeparators(file_name));
        DataEdit1->setText(QDir::toNativeSeparators(data_file));
        RadioButton1->setChecked(true);
        ModelReading reading;
        reading.loaded.emplace(std::move(model));
        if (!take_model(std::move(reading))) {
            load_failed(kFaultsNotLoaded, true);
            return;
        }
        finish_load(file_system_path(file_name), data_file_name());
    });
}

void TForm1::finish_load(const std::filesystem::path& path, const QString& data_file) {
    std::error_code error;
    loaded_problem_file_ = std::filesystem::absolute(path, error);
    loaded_data_file_.reset();
    if (!data_file.isEmpty()) loaded_data_file_ = std::filesystem::absolute(file_system_path(data_file), error);
    failed_load_.reset();
    keep_report({});  // the report of the problem loaded before is not this one's
    ReportPath1->clear();
    ProgressBar1->hide();  // so are the pivots of its run
    show_options_of_record();
    show_load_state();
}

bool TForm1::take_model(ModelReading reading) {
    LoadedProblem loaded;
    try {
        if (reading.failure) std::rethrow_exception(reading.failure);
        loaded = std::move(reading.loaded.value());
    } catch (const ModelReadError& failure) {
        messages_.show(QString::fromStdString(failure.what()), kErrorCaption);
        return false;
    } catch (const CanonicalFormError& failure) {
        messages_.show(QString::fromStdString(failure.what()), kErrorCaption);
        return false;
    } catch (const SimplexIteration::bad_simplex& failure) {
        show_status_codes(failure);  // a row without coefficients that cannot hold, as a run would fail
        return false;
    }
    if (loaded.needs_report_name()) {
        // Here no other name can be given.
        messages_.show(QString::fromUtf8(kModelReportNameOutsideCp1251.data(),
                                         static_cast<qsizetype>(kModelReportNameOutsideCp1251.size())),
                       kErrorCaption);
        return false;
    }
    if (!loaded.model->model_output.empty()) {
        messages_.show(QString::fromStdString(loaded.model->model_output), QStringLiteral("Вывод модели"));
    }
    record_ = std::move(loaded.record);
    keep_load(std::move(loaded));
    return true;
}

void TForm1::keep_load(LoadedProblem loaded) {
    loaded.record = SimplexIteration();  // the record lives in record_; the rest needs only the model
    loaded_ = std::make_shared<const LoadedProblem>(std::move(loaded));
    show_dual_state();
}

void TForm1::show_options_of_record() {
    if (record_.no_table) {
        RadioButton6->setChecked(true);
    } else if (record_.only_optimal_table && record_.only_data_table) {
        RadioButton4->setChecked(true);
    } else if (record_.only_optimal_table) {
        RadioButton3->setChecked(true);
    } else if (record_.only_data_table) {
        RadioButton2->setChecked(true);
    } else if (record_.print_from != 0 || record_.print_to != 0) {
        // Any interval the file sets, 0..7 included, is shown with its own radio button.
        Edit2->setEnabled(true);
        Edit3->setEnabled(true);
        RadioButton5->setChecked(true);
        Edit2->setText(edit_number_text(record_.print_from));
        Edit3->setText(edit_number_text(record_.print_to));
    }
    Edit4->setText(edit_number_text(record_.width));
    Edit5->setText(edit_number_text(record_.precision));
    Edit4->setEnabled(true);
    Edit5->setEnabled(true);
    Button1->setEnabled(true);
}

// --- Solve ---

void TForm1::Button1Click() {
    report_failures([this] { SolveProblem(); });
}

void TForm1::SolveProblem() {
    if (busy()) {  // one run or load at a time
        say_in_status_bar(busy_text(*StopRun1));
        return;
    }
    SimplexIteration& record = record_;

    record.no_table = RadioButton6->isChecked();
    record.only_optimal_table = RadioButton3->isChecked();
    record.only_data_table = RadioButton2->isChecked();
    if (RadioButton4->isChecked()) {
        record.only_optimal_table = true;
        record.only_data_table = true;
    }

    if (RadioButton5->isChecked()) {
        const std::int32_t from = read_edit_number(Edit2->text());
        const std::int32_t to = read_edit_number(Edit3->text());
        if (!accepts_print_interval(from, to)) {
            messages_.show(QStringLiteral("Недопустимые границы вывода итераций!"), kErrorCaption);
            Edit2->setText(edit_number_text(record.print_from));
            Edit3->setText(edit_number_text(record.print_to));
            return;
        }
        record.print_from = from;
        record.print_to = to;
    } else {
        record.print_from = 0;
        record.print_to = 0;
    }

    const std::int32_t width = read_edit_number(Edit4->text());
    const std::int32_t digits = read_edit_number(Edit5->text());
    if (!accepts_number_format(width, digits)) {
        messages_.show(QStringLiteral("Недопустимые параметры точности вывода!"), kErrorCaption);
        Edit4->setText(edit_number_text(record.width));
        Edit5->setText(edit_number_text(record.precision));
        return;
    }
    record.width = width;
    record.compute_col_widths();
    record.precision = digits;

    if (!confirm_report_size(record)) return;
    const RunSettings settings = run_settings();
    if (settings.method == SolveMethod::dual_simplex) {
        // Refused before anything is written, as the tool refuses it.
        if (const auto refusal = dual_simplex_refusal(record, settings.arithmetic, MethodNaming::menu)) {
            messages_.show(QString::fromStdString(*refusal), kErrorCaption);
            return;
        }
    }
    if (keeps_integer_conditions(record, settings)) {
        std::optional<std::string> refusal = integer_method_refusal(record, settings);
        if (model_loaded() && !loaded_->model->integer_fault.empty()) refusal = loaded_->model->integer_fault;
        if (refusal) {
            messages_.show(QString::fromStdString(*refusal), kErrorCaption);
            return;
        }
    }
    set_progress(QStringLiteral("Итерация:"), QStringLiteral("0"));

    // A copy: the record itself is never changed by a run.
    SimplexIteration run = record;
    place_report_beside_problem(run);
    if (!confirm_report_target(run)) return;
    run_and_report(std::move(run));
}

void TForm1::set_progress(const QString& label1, const QString& label2) {
    Label1->setText(label1);
    place_growing_label(Label1, main_form_layout::place_of("Label1"));
    Label2->setText(label2);
    place_growing_label(Label2, main_form_layout::place_of("Label2"));
}

// --- Other commands ---

void TForm1::Button2Click() {
    // Closing the main window ends the event loop; quit() ends it even if another window is open. A close
    // that is refused (an editor's changes kept, on the user's word) ends nothing: quit() would ask again.
    if (close()) QCoreApplication::quit();
}

void TForm1::Exit1Click() { Button2Click(); }

// The chosen file is loaded, as Enter in Edit1 loads it; a model's data file goes into DataEdit1.
void TForm1::FileOpenItemClick() {
    report_failures([this] {
        const QString chosen = choose_open_file(OpenTarget::problem);
        if (chosen.isEmpty()) return;
        if (QFileInfo(chosen).suffix().compare(QStringLiteral("dat"), Qt::CaseInsensitive) == 0) {
            DataEdit1->setText(chosen);
            if (!DataEdit1->isEnabled()) {  // open only beside a MathProg model
                say_in_status_bar(
                    QStringLiteral("Файл данных модели выбран: назовите в поле «Файл данных» модель MathProg (.mod)."));
                return;
            }
        } else {
            Edit1->setText(chosen);
        }
        Button3Click();
    });
}

QString TForm1::choose_in_open_dialog(OpenTarget target) {
    // Until a file has been chosen the dialog starts in the current folder with the pattern as the name;
    // afterwards it offers the last chosen file again.
    if (last_chosen_file_.isEmpty()) {
        OpenDialog1->setDirectory(QDir::currentPath());
        OpenDialog1->selectFile(kBarePattern);
        OpenDialog1->selectNameFilter(OpenDialog1->nameFilters().constFirst());
    } else if (target == OpenTarget::problem && OpenDialog1->selectedNameFilter() == kModelDataFilter) {
        OpenDialog1->selectNameFilter(OpenDialog1->nameFilters().constFirst());
    }
    if (target == OpenTarget::model_data) {
        // A model's data usually lies beside it.
        const QFileInfo model(Edit1->text());
        OpenDialog1->setDirectory(model.absolutePath());
        OpenDialog1->selectNameFilter(kModelDataFilter);
        OpenDialog1->selectFile(QFileInfo(DataEdit1->text()).fileName());
    }
    if (OpenDialog1->exec() != QDialog::Accepted) return {};
    const QStringList chosen = OpenDialog1->selectedFiles();
    if (chosen.isEmpty()) return {};
    const QFileInfo file(chosen.constFirst());
    last_chosen_file_ = file.absoluteFilePath();
    OpenDialog1->setDirectory(file.absolutePath());
    OpenDialog1->selectFile(file.fileName());
    return file.absoluteFilePath();
}

void TForm1::Edit1DblClick() { FileOpenItemClick(); }

void TForm1::About1Click() {
    report_failures([this] {
        // Each command opens one more About window; the window deletes itself when it is closed.
        auto* about = new TForm2(this);
        Form2 = about;
        about->show();
    });
}

// Edit2 and Edit3, the interval of printed tables, are open only beside RadioButton5.
void TForm1::RadioButton1Click() { set_editable({Edit2, Edit3}, false); }
void TForm1::RadioButton2Click() { set_editable({Edit2, Edit3}, false); }
void TForm1::RadioButton3Click() { set_editable({Edit2, Edit3}, false); }
void TForm1::RadioButton4Click() { set_editable({Edit2, Edit3}, false); }
void TForm1::RadioButton5Click() { set_editable({Edit2, Edit3}, true); }
void TForm1::RadioButton6Click() { set_editable({Edit2, Edit3}, false); }
