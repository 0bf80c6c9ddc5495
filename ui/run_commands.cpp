// The main window's runs: in a worker while the window goes on, with their progress, the stop command,
// the switches of how they run, the question before a huge report, and the commands about the report.

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QKeySequence>
#include <QSettings>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <system_error>
#include <utility>

#include "problem/cp1251.h"
#include "problem/status_texts.h"
#include "solver/analysis/sensitivity.h"
#include "solver/analysis/sensitivity_query.h"
#include "solver/report/outcome_story.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/output_guard.h"
#include "solver/report/report_size_estimate.h"
#include "solver/report/report_target.h"
#include "ui/failure_text.h"
#include "ui/main_form.h"
#include "ui/run_beside_events.h"
#include "ui/solution_window.h"

namespace {

const QString kProgramCaption = QStringLiteral("QTB");
const QString kErrorCaption = QStringLiteral("сообщение об ошибке");
constexpr std::chrono::milliseconds kProgressInterval{50};
const QString kNoReport = QStringLiteral("Отчёта нет: задача после загрузки не решалась или таблицы не выводились.");

QAction* add_switch(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setShortcut(shortcut);
    return action;
}

QString shown_path(const std::filesystem::path& path) { return QFile::decodeName(path.c_str()); }

}  // namespace

void TForm1::build_run_commands() {
    desktop = DesktopCalls::real(this);
    Solution1->addSeparator();
    StopRun1 = Solution1->addAction(QStringLiteral("Остановить решение"));
    StopRun1->setObjectName(QStringLiteral("StopRun1"));
    StopRun1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Period), QKeySequence(Qt::CTRL | Qt::Key_Pause)});
    StopRun1->setEnabled(false);
    Solution1->addSeparator();
    ExactArithmetic1 = add_switch(Solution1, "ExactArithmetic1", QStringLiteral("Точная арифметика (дроби)"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    BlandRule1 =
        add_switch(Solution1, "BlandRule1", QString::fromStdString("Правило " + pivot_rule_surname(PivotRule::bland)),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
    Utf8Report1 = add_switch(Solution1, "Utf8Report1", QStringLiteral("Отчёт в UTF-8"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
    Explain1 = add_switch(Solution1, "Explain1", QStringLiteral("Пояснять выбор (столбец отношений)"),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    Method1 = Solution1->addMenu(QStringLiteral("&Метод"));
    Method1->setObjectName(QStringLiteral("Method1"));
    auto* methods = new QActionGroup(Method1);
    const auto add_method = [&](const char* name, SolveMethod method, const QString& text) {
        QAction* action = methods->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setData(QString::fromLatin1(method_word(method)));
        Method1->addAction(action);
        return action;
    };
    BigMMethod1 = add_method("BigMMethod1", SolveMethod::big_m, QStringLiteral("Искусственный базис (большое M)"));
    TwoPhaseMethod1 = add_method("TwoPhaseMethod1", SolveMethod::two_phase, QStringLiteral("Двухфазный метод"));
    DualSimplexMethod1 =
        add_method("DualSimplexMethod1", SolveMethod::dual_simplex, QStringLiteral("Двойственный симплекс-метод"));
    BigMMethod1->setChecked(true);
    Integer1 = Solution1->addMenu(QStringLiteral("&Целочисленные переменные"));
    Integer1->setObjectName(QStringLiteral("Integer1"));
    auto* integer_methods = new QActionGroup(Integer1);
    const auto add_integer_method = [&](const char* name, IntegerMethod method, const QString& text) {
        QAction* action = integer_methods->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setData(QString::fromLatin1(integer_method_word(method)));
        Integer1->addAction(action);
        return action;
    };
    BranchAndBound1 = add_integer_method("BranchAndBound1", IntegerMethod::branch, QStringLiteral("Ветви и границы"));
    GomoryCuts1 = add_integer_method("GomoryCuts1", IntegerMethod::gomory, QStringLiteral("Отсечения Гомори"));
    RelaxIntegers1 = add_integer_method("RelaxIntegers1", IntegerMethod::relax,
                                        QStringLiteral("Без условий целочисленности (релаксация)"));
    BranchAndBound1->setChecked(true);
    Solution1->addSeparator();
    OpenReport1 = Solution1->addAction(QStringLiteral("Открыть отчёт"));
    OpenReport1->setObjectName(QStringLiteral("OpenReport1"));
    OpenReport1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    OpenReportFolder1 = Solution1->addAction(QStringLiteral("Открыть папку отчёта"));
    OpenReportFolder1->setObjectName(QStringLiteral("OpenReportFolder1"));
    OpenReportFolder1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    keep_report({});

    connect(StopRun1, &QAction::triggered, this, &TForm1::StopRun1Click);
    connect(OpenReport1, &QAction::triggered, this, &TForm1::OpenReport1Click);
    connect(OpenReportFolder1, &QAction::triggered, this, &TForm1::OpenReportFolder1Click);

    // The status bar's own message stays free for the hints of the menus.
    ReportPath1 = new QLabel(StatusBar1);
    ReportPath1->setObjectName(QStringLiteral("ReportPath1"));
    ReportPath1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    StatusBar1->addWidget(ReportPath1, 1);
    ProgressBar1 = new QProgressBar(StatusBar1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setMaximumSize(160, 15);
    ProgressBar1->setFormat(QStringLiteral("%v из %m"));
    StatusBar1->addPermanentWidget(ProgressBar1);
    ProgressBar1->hide();
}

void TForm1::KeepRunSwitchesInSettings() {
    const std::pair<QAction*, QString> switches[] = {
        {ExactArithmetic1, QStringLiteral("runs/exact_arithmetic")},
        {BlandRule1, QStringLiteral("runs/bland_rule")},
        {Utf8Report1, QStringLiteral("runs/utf8_report")},
        {Explain1, QStringLiteral("runs/explain")},
    };
    for (const auto& entry : switches) {
        const QString key = entry.second;
        entry.first->setChecked(QSettings(QStringLiteral("QTB"), QStringLiteral("qtb")).value(key, false).toBool());
        connect(entry.first, &QAction::toggled, this,
                [key](bool on) { QSettings(QStringLiteral("QTB"), QStringLiteral("qtb")).setValue(key, on); });
    }
    // Each exclusive choice is kept by the word of its checked action.
    const auto keep_choice = [this](const QString& key, std::initializer_list<QAction*> actions) {
        const QString kept = QSettings(QStringLiteral("QTB"), QStringLiteral("qtb")).value(key).toString();
        for (QAction* action : actions) {
            if (action->data().toString() == kept) action->setChecked(true);
            connect(action, &QAction::toggled, this, [action, key](bool on) {
                if (on) QSettings(QStringLiteral("QTB"), QStringLiteral("qtb")).setValue(key, action->data());
            });
        }
    };
    keep_choice(QStringLiteral("runs/method"), {BigMMethod1, TwoPhaseMethod1, DualSimplexMethod1});
    keep_choice(QStringLiteral("runs/integer"), {BranchAndBound1, GomoryCuts1, RelaxIntegers1});
}

SolveMethod TForm1::chosen_method() const {
    if (TwoPhaseMethod1->isChecked()) return SolveMethod::two_phase;
    if (DualSimplexMethod1->isChecked()) return SolveMethod::dual_simplex;
    return SolveMethod::big_m;
}

IntegerMethod TForm1::chosen_integer_method() const {
    if (GomoryCuts1->isChecked()) return IntegerMethod::gomory;
    if (RelaxIntegers1->isChecked()) return IntegerMethod::relax;
    return IntegerMethod::branch;
}

RunSettings TForm1::run_settings() const {
    RunSettings settings;
    settings.arithmetic = ExactArithmetic1->isChecked() ? Arithmetic::exact : Arithmetic::double_precision;
    settings.rule = BlandRule1->isChecked() ? PivotRule::bland : PivotRule::dantzig;
    settings.encoding = Utf8Report1->isChecked() ? TextEncoding::utf8 : TextEncoding::cp1251;
    settings.method = chosen_method();
    settings.explain = Explain1->isChecked();
    settings.integer = chosen_integer_method();  // the node and cut limits stay at their defaults
    settings.keep_final_table = true;            // for the solution window
    return settings;
}

bool TForm1::confirm_report_size(const SimplexIteration& run) {
    const double bytes = estimated_report_bytes(run, run_settings().encoding);
    if (bytes <= kLargeReportBytes) return true;
    const QString size = QString::number(std::round(bytes / kLargeReportBytes), 'f', 0);
    return desktop.ask(QStringLiteral("Отчёт может занять около %1 ГБ. Продолжить?").arg(size), kProgramCaption);
}

// A relative report name of a problem file is taken from that file's folder, where the user looks for
// it, and not from the program's current folder. A model's report is named after the model and
// already lies beside it.
void TForm1::place_report_beside_problem(SimplexIteration& run) const {
    if (!run.file || model_loaded() || loaded_problem_file_.empty()) return;
    const std::filesystem::path name = report_path(*run.file);
    std::error_code error;
    const std::filesystem::path folder = loaded_problem_file_.parent_path();
    // The name as written when it leads there already.
    if (name.is_absolute() || std::filesystem::equivalent(folder, std::filesystem::current_path(error), error)) return;
    // A folder whose name Windows-1251 cannot spell keeps the name as it was.
    if (auto beside = cp1251::from_utf8((folder / name).string())) {
        run.file = std::move(*beside);
    }
}

bool TForm1::confirm_report_target(const SimplexIteration& run) {
    if (run.no_table || !run.file) return true;
    std::error_code error;
    const std::filesystem::path report = std::filesystem::absolute(report_path(*run.file), error).lexically_normal();
    const RunInput inputs[] = {{loaded_problem_file_, model_loaded() ? "файлом модели" : "файлом задачи"}};
    const OutputCheck check = check_output({report, OutputKind::text_report, false}, inputs);
    if (check.verdict == OutputVerdict::input_file) {
        // A run empties its report first: over the loaded file it would destroy the problem.
        messages_.show(status_message(kCannotOpenReportFile), kErrorCaption);
        return false;
    }
    // The name as the problem file gives it, taken from the problem's folder.
    if (!model_loaded() && record_.file &&
        report_name_leaves_folder(*record_.file, loaded_problem_file_.parent_path()) &&
        !desktop.ask(QString::fromStdString(report_path_question(report)), kProgramCaption)) {
        return false;
    }
    return check.verdict == OutputVerdict::write ||
           desktop.ask(QString::fromStdString(foreign_file_question(report)), kProgramCaption);
}

void TForm1::run_and_report(SimplexIteration run) {
    std::filesystem::path report;
    if (!run.no_table && run.file) {
        std::error_code error;
        report = std::filesystem::absolute(report_path(*run.file), error).lexically_normal();
    }
    // A load meanwhile leaves the run's own be; a model's picture is in its own variables.
    const std::shared_ptr<const LoadedProblem> loaded = loaded_ ? loaded_ : std::make_shared<const LoadedProblem>();
    SessionSettings settings;
    settings.run = run_settings();
    settings.sensitivity = loaded->from_model();  // a model's report ends with its analysis, in its own terms

    std::atomic<bool> stop{false};
    std::atomic<std::int32_t> pivots{0};
    std::atomic<std::int32_t> limit{0};
    TableRecorder recorder;
    std::optional<SessionRun> done;
    std::optional<SimplexIteration::bad_simplex> failure;
    const auto work = [&] {
        const RunObserver observer{&recorder,
                                   [&](std::int32_t made, std::int32_t of) {
                                       limit.store(of, std::memory_order_relaxed);
                                       pivots.store(made, std::memory_order_relaxed);
                                   },
                                   &stop};
        try {
            done.emplace(model_.run(*loaded, std::move(run), settings, observer));
        } catch (const SimplexIteration::bad_simplex& codes) {
            failure = codes;
        }
    };
    const auto show_progress = [&] {
        if (const std::int32_t of = limit.load(std::memory_order_relaxed); of > 0) {
            const std::int32_t made = pivots.load(std::memory_order_relaxed);
            ProgressBar1->setRange(0, of);
            ProgressBar1->setValue(made);
            set_progress(QStringLiteral("Итерация:"), QString::number(made));
        }
    };

    // The bar stands full once the run has ended, and goes when its outcome has been told.
    struct HideProgress {
        QProgressBar* bar;
        ~HideProgress() { bar->hide(); }
    } hide_progress{ProgressBar1};
    {
        set_running(&stop);
        struct EndOfRun {
            TForm1* window;
            ~EndOfRun() { window->set_running(nullptr); }
        } end_of_run{this};
        run_beside_events(work, show_progress, kProgressInterval, [&stop] { stop.store(true); });
    }

    const SolveOutcome* outcome = done ? &done->outcome : nullptr;
    const bool stopped = outcome && outcome->stopped;
    bool solution_shown = false;
    show_full_progress(outcome ? outcome->iterations : pivots.load(std::memory_order_relaxed));
    if (outcome) {
        if (!outcome->status.empty()) failure = outcome->status;
        set_progress(QStringLiteral("Итерация:"), QString::number(outcome->iterations));
        if (std::shared_ptr<RecordedRun> tables = recorder.take(); !tables->tables.empty()) {
            tables->plane = done->plane;
            tables->model = loaded->model;
            tables->sensitivity = std::move(done->sensitivity);
            if (!tables->sensitivity && done->outcome.final_table &&
                done->outcome.settings.method == SolveMethod::dual_simplex) {
                // The recorded tables are the method's own start table's, the analysis is of the problem's.
                tables->sensitivity = sensitivity_report(*done->outcome.final_table, problem_file_query(record_));
            }
            last_run_ = std::move(tables);
            last_transport_.reset();
            last_outcome_ = std::make_shared<const SolveOutcome>(done->outcome);
            last_run_input_ = loaded_problem_file_;
            ShowSolution();
            solution_shown = true;
            show_dual_state();  // an open window of the dual gets the run's dual solution
        }
    }
    keep_report(report);
    const QString where = report.empty() ? QStringLiteral("Отчёт не записан: таблицы итераций не выводятся.")
                                         : QStringLiteral("Отчёт: ") + shown_path(report);
    ReportPath1->setText(stopped ? QStringLiteral("Решение остановлено. ") + where : where);

    if (close_after_run_) {
        // The window was closed meanwhile: it closes now, without the outcome's boxes.
        close_after_run_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    // The outcome's boxes hold the main window alone: the solution window in front of them takes clicks
    // and keys at once.
    QWidget* in_front = solution_shown ? SolutionWindow1.data() : nullptr;
    const auto tell = [&](const QString& text, const QString& caption) { messages_.tell(text, caption, in_front); };
    if (failure) {
        for (const BoxText& box : status_boxes(*failure)) tell(box.text, box.caption);
        if (outcome && outcome->limit_before_feasible) {
            tell(QString::fromStdString(limit_before_feasible_text()), kProgramCaption);
        }
        return;
    }
    if (stopped) {
        tell(QStringLiteral("Решение остановлено."), kProgramCaption);
        return;
    }
    if (const std::vector<std::string> end = outcome ? run_end_lines(*outcome) : std::vector<std::string>{};
        !end.empty()) {
        // The iteration limit or a repeated basis: no solution to announce.
        QStringList lines;
        for (const std::string& line : end) lines << QString::fromStdString(line);
        tell(lines.join('\n'), kProgramCaption);
        return;
    }
    // The iteration count stays beside the box until it is closed.
    messages_.tell(QStringLiteral("Решение получено!"), kProgramCaption, in_front, [window = QPointer<TForm1>(this)] {
        if (window) window->set_progress(QString(), QString());
    });
}

// While a run goes on, nothing that would change the record or start another run can be used.
void TForm1::set_running(std::atomic<bool>* stop) {
    run_stop_ = stop;
    StopRun1->setEnabled(stop != nullptr);
    hold_commands(stop != nullptr);
    if (stop == nullptr) return;  // the bar stays until the outcome has been told (run_and_report)
    ProgressBar1->setFormat(QStringLiteral("%v из %m"));
    ProgressBar1->setRange(0, 0);  // busy until the first pivot tells the limit
    ProgressBar1->show();
}

// The end of a run: the pivots made of the pivots made, whatever the limit was.
void TForm1::show_full_progress(std::int32_t pivots) {
    if (pivots > 0) {
        ProgressBar1->setRange(0, pivots);
        ProgressBar1->setValue(pivots);
        return;
    }
    ProgressBar1->setFormat(QStringLiteral("0 из 0"));  // a range of 0 would show the busy bar
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(1);
}

void TForm1::hold_commands(bool held) {
    if (!held) {
        for (const auto& restore : restore_after_run_) restore();
        restore_after_run_.clear();
        return;
    }
    for (QWidget* control : std::initializer_list<QWidget*>{Edit1, Button3, Button1, RadioButton1, RadioButton2,
                                                            RadioButton3, RadioButton4, RadioButton5, RadioButton6,
                                                            Edit2, Edit3, Edit4, Edit5, DataEdit1, DataButton1}) {
        restore_after_run_.push_back([control, enabled = control->isEnabled()] { control->setEnabled(enabled); });
        control->setEnabled(false);
    }
    for (QAction* action : {FileOpenItem, Problem1->menuAction(), ExactArithmetic1, BlandRule1, Utf8Report1, Explain1,
                            Method1->menuAction(), Integer1->menuAction()}) {
        restore_after_run_.push_back([action, enabled = action->isEnabled()] { action->setEnabled(enabled); });
        action->setEnabled(false);
    }
}

void TForm1::StopRun1Click() {
    if (run_stop_ != nullptr) {
        run_stop_->store(true);
        ReportPath1->setText(QStringLiteral("Останавливаю…"));  // at once: the run may take a moment to stop
    }
    if (load_stop_ != nullptr) load_stop_->request();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!busy()) {
        QMainWindow::closeEvent(event);
        // The program ends with its main window, by its close box as by "Выход": no solution or About window
        // stays behind it.
        QCoreApplication::quit();
        return;
    }
    // The run stops at its next table, a reading as soon as it notices; the window closes when it has ended.
    close_after_run_ = true;
    StopRun1Click();
    event->ignore();
}

void TForm1::keep_report(const std::filesystem::path& report) {
    last_report_ = report;
    for (QAction* action : {OpenReport1, OpenReportFolder1}) {
        action->setEnabled(!report.empty());
        action->setStatusTip(report.empty() ? kNoReport : QString());  // a disabled item says why
    }
}

void TForm1::OpenReport1Click() {
    if (last_report_.empty()) return say_in_status_bar(kNoReport);
    if (!desktop.open_url(QUrl::fromLocalFile(shown_path(last_report_))))
        messages_.show(QStringLiteral("Не удалось открыть отчёт ") + shown_path(last_report_), kErrorCaption);
}

void TForm1::OpenReportFolder1Click() {
    if (last_report_.empty()) return say_in_status_bar(kNoReport);
    const QString folder = shown_path(last_report_.parent_path());
    if (!desktop.open_url(QUrl::fromLocalFile(folder)))
        messages_.show(QStringLiteral("Не удалось открыть папку ") + folder, kErrorCaption);
}
