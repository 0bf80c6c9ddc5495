// The main window's files: the data file of a MathProg model beside the problem's name, and the named files
// against the loaded ones. "Решить задачу" solves only what the window shows as loaded; whatever keeps it
// from acting is said in the status bar.

#include <QFile>
#include <QFileInfo>

#include <system_error>

#include "solver/session/load_request.h"
#include "ui/editor_commands.h"
#include "ui/main_form.h"
#include "ui/main_form_controls.h"
#include "ui/main_form_layout.h"
#include "ui/menu_keys.h"
#include "ui/window_look.h"

namespace {

const QString kOnlyBesideMathProg = QStringLiteral("только для модели MathProg (.mod)");
const QString kDataInTheModel = QStringLiteral("нет: данные в самой модели");
// Edit1 as the window starts: nothing to say about it yet.
const QString kStartingName = QStringLiteral("*.qtb");

std::filesystem::path absolute_path(const QString& name) {
    std::error_code error;
    return std::filesystem::absolute(file_system_path(name), error).lexically_normal();
}

bool names_mathprog_model(const QString& name) {
    return model_format_of_path(file_system_path(name).string()) == ModelFormat::mathprog;
}

}  // namespace

void TForm1::build_data_file_controls(QWidget* client) {
    DataLabel1 = place<QLabel>(client, "DataLabel1", QStringLiteral("Данные:"));
    DataLabel1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place_growing_label(DataLabel1, main_form_layout::place_of("DataLabel1"));
    DataEdit1 = place<QLineEdit>(client, "DataEdit1");
    DataEdit1->setToolTip(
        QStringLiteral("Файл данных модели MathProg (data; …). По умолчанию — файл .dat с именем модели рядом с ней."));
    DataLabel1->setBuddy(DataEdit1);
    DataButton1 = place<QPushButton>(client, "DataButton1", QStringLiteral("Обзор…"));
    setTabOrder(Edit5, DataEdit1);
    setTabOrder(DataEdit1, DataButton1);

    ShowFaults1 = new QToolButton(StatusBar1);
    ShowFaults1->setObjectName(QStringLiteral("ShowFaults1"));
    ShowFaults1->setText(QStringLiteral("Показать ошибки в редакторе"));
    ShowFaults1->setMaximumHeight(main_form_layout::kStatusBarHeight - 2);
    StatusBar1->addPermanentWidget(ShowFaults1);
    ShowFaults1->hide();

    for (QLineEdit* edit : centralWidget()->findChildren<QLineEdit*>())
        let_menu_keys_pass(edit, {MainMenu1, ExtraMenus1});

    choose_open_file = [this](OpenTarget target) { return choose_in_open_dialog(target); };
    connect(Edit1, &QLineEdit::textChanged, this, &TForm1::problem_name_changed);
    connect(DataEdit1, &QLineEdit::textChanged, this, &TForm1::show_load_state);
    connect(DataEdit1, &QLineEdit::returnPressed, Button3, &QPushButton::click);  // Enter loads, as in Edit1
    connect(DataButton1, &QPushButton::clicked, this, &TForm1::DataButton1Click);
    connect(ShowFaults1, &QToolButton::clicked, this, &TForm1::ShowFaults1Click);
    problem_name_changed();
}

QString TForm1::data_file_name() const {
    return names_mathprog_model(Edit1->text()) ? DataEdit1->text().trimmed() : QString();
}

void TForm1::say_in_status_bar(const QString& text) {
    status_note_ = text;
    StatusBar1->showMessage(text);
}

TForm1::NamedFiles TForm1::named_files() const {
    NamedFiles named{absolute_path(Edit1->text()), std::nullopt};
    if (const QString data = data_file_name(); !data.isEmpty()) named.data = absolute_path(data);
    return named;
}

// The offer follows the model's name until the user writes or chooses a data file of his own.
void TForm1::problem_name_changed() {
    const bool mathprog = names_mathprog_model(Edit1->text());
    DataEdit1->setEnabled(mathprog);
    DataButton1->setEnabled(mathprog);
    DataEdit1->setPlaceholderText(mathprog ? kDataInTheModel : kOnlyBesideMathProg);
    if (DataEdit1->text().isEmpty() || DataEdit1->text() == offered_data_file_) {
        const std::optional<std::string> beside = data_file_beside(file_system_path(Edit1->text()).string());
        offered_data_file_ = beside ? QFile::decodeName(beside->c_str()) : QString();
        DataEdit1->setText(offered_data_file_);
    }
    show_load_state();
}

void TForm1::DataButton1Click() {
    const QString chosen = choose_open_file(OpenTarget::model_data);
    if (chosen.isEmpty()) return;
    DataEdit1->setText(chosen);
    Button3Click();
}

void TForm1::ShowFaults1Click() { open_problem_for_editing(*this, messages_); }

void TForm1::load_failed(const QString& why, bool faults) {
    failed_load_ = FailedLoad{named_files(), why, faults};
    show_load_state();
}

void TForm1::show_load_state() {
    const NamedFiles named = named_files();
    NamedFiles loaded_files{loaded_problem_file_.lexically_normal(), std::nullopt};
    if (loaded_data_file_) loaded_files.data = loaded_data_file_->lexically_normal();
    const bool loaded = !loaded_problem_file_.empty() && named == loaded_files;
    const FailedLoad* failed = failed_load_ && failed_load_->files == named ? &*failed_load_ : nullptr;
    ShowFaults1->setVisible(failed != nullptr && failed->faults);
    if (!busy()) Button1->setEnabled(loaded && !failed);  // a run holds the button as it was
    if (failed) {
        say_in_status_bar(failed->why);
    } else if (!loaded && (!loaded_problem_file_.empty() || Edit1->text() != kStartingName)) {
        const bool other_data = !loaded_problem_file_.empty() && named.problem == loaded_files.problem;
        say_in_status_bar(other_data
                              ? QStringLiteral("Файл данных модели не тот, что загружен: нажмите «Загрузить данные».")
                              : QStringLiteral("Файл в поле «Файл данных» не загружен: нажмите «Загрузить данные»."));
    } else if (!status_note_.isEmpty() && StatusBar1->currentMessage() == status_note_) {
        StatusBar1->clearMessage();
    }
}
