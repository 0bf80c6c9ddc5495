#pragma once

#include <QAction>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringList>
#include <QToolButton>

#include <atomic>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/model_format.h"
#include "problem/model_load_stop.h"
#include "problem/simplex_iteration.h"
#include "solver/session/table_recorder.h"
#include "ui/desktop_calls.h"
#include "ui/message_sink.h"
#include "ui/model_calls.h"

class SolutionWindow;
struct TransportPages;

// The main window: the user names a problem file, loads it into the program's problem record, chooses
// the tables of the report and the format of its numbers, and solves. The window keeps no problem data
// of its own; the record lives outside it and is handed in. Every message goes through `messages`.
//
// The controls are laid out in fixed pixels, positions relative to the client area below the menu bar
// (the area of the central widget and the status bar); each control's object name is its member name.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    TForm1(SimplexIteration& record, MessageSink& messages, ModelCalls model = ModelCalls::real(),
           QWidget* parent = nullptr);

    // --- Menu ---
    QMenuBar* MainMenu1;
    QMenu* File1;
    QAction* FileOpenItem;
    QAction* Exit1;
    QMenu* Help1;
    QAction* About1;
    QMenuBar* ExtraMenus1;  // the bar of the later menus, in the right corner of MainMenu1
    QMenu* Problem1;        // "Задача": writing and editing problems
    QMenu* Solution1;       // "Решение": the latest run, how runs are made, their reports
    QAction* ShowSolutionItem;
    QAction* DualProblemItem;  // "Двойственная задача": open only while a model is loaded
    QAction* CheckTablesItem;  // "Проверить таблицы учащегося...": a student's file against the loaded problem

    // --- Controls (children of the central widget unless noted) ---
    QLabel* Label3;
    QLineEdit* Edit1;
    QPushButton* Button3;
    QGroupBox* RadioGroup1;  // only a captioned frame around the six radio buttons
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    QRadioButton* RadioButton5;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QRadioButton* RadioButton6;
    QGroupBox* GroupBox1;
    QLabel* Label4;    // in GroupBox1
    QLineEdit* Edit4;  // in GroupBox1: characters per number
    QLineEdit* Edit5;  // in GroupBox1: digits after the decimal point
    QPushButton* Button1;
    QPushButton* Button2;
    QLabel* Label1;
    QLabel* Label2;
    QStatusBar* StatusBar1;  // the window's status bar: the latest run's report and a running run's progress
    QFileDialog* OpenDialog1;

    // --- The data file of a MathProg model and the named files against the loaded ones (ui/named_files.cpp) ---
    QLabel* DataLabel1;
    QLineEdit* DataEdit1;      // a MathProg model's data file; offered the model's .dat; open only beside a .mod
    QPushButton* DataButton1;  // chooses the data file in the open dialog
    QToolButton* ShowFaults1;  // in StatusBar1 after a load failed on the file's faults: the editor on them
    enum class OpenTarget { problem, model_data };
    // The open dialog: the chosen file (absolute), empty when none is chosen. OpenDialog1 unless a test puts
    // its own in.
    std::function<QString(OpenTarget target)> choose_open_file;
    void DataButton1Click();
    void ShowFaults1Click();
    // The data file a load of the named file reads: DataEdit1's name beside a MathProg model, else empty.
    QString data_file_name() const;
    // Why a command cannot act, or what the window's files are, in the status bar.
    void say_in_status_bar(const QString& text);

    // --- Handlers ---
    void Button3Click();  // load
    void Button1Click();  // solve
    void Button2Click();  // "Выход"
    void Exit1Click();
    void FileOpenItemClick();
    void Edit1DblClick();
    void About1Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();

    // Reads the problem file, or the model its extension names, into the record and shows its options
    // (the end of the load).
    void LoadProblemFile(const QString& file_name);
    // Writes the options into the record, checks them and runs the engine on a copy of the record.
    void SolveProblem();
    // Opens (or raises) the solution window on the latest run; nothing when no run has tables.
    void ShowSolution();
    // Opens (or raises) the window of the loaded model's dual, with the dual solution after the model's
    // latest run when it ended at an optimum; a problem file has no dual: said in the status bar.
    void ShowDualProblem();
    // The text that window shows (UTF-8 lines): empty when no model is loaded.
    QStringList dual_problem_text() const;
    // Asks for a student's file of tables and checks it against the loaded problem (ui/check_commands.cpp).
    void CheckStudentTables();
    // Checks the student's file and opens its window; false, after a message, when it cannot be checked.
    bool open_check_window(const QString& path);
    // The latest run that produced tables, as the window keeps it; null before the first.
    std::shared_ptr<const RecordedRun> last_run() const { return last_run_; }
    // The plans of the latest run of a transport problem, when that was the latest run; else null.
    std::shared_ptr<const TransportPages> last_transport() const { return last_transport_; }
    // The problem or model file loaded last (absolute); empty until a load succeeds.
    const std::filesystem::path& loaded_file() const { return loaded_problem_file_; }

    // --- Runs and their reports (ui/run_commands.cpp) ---
    QAction* StopRun1;          // "Остановить решение": enabled only while a run goes on
    QAction* ExactArithmetic1;  // checkable switches of the runs
    QAction* BlandRule1;
    QAction* Utf8Report1;
    QAction* Explain1;  // each table with its ratio column and why each choice was made
    // "Метод": the big-M method (the default), the two-phase method or the dual simplex method, one of them
    // checked; kept in the settings.
    QMenu* Method1;
    QAction* BigMMethod1;
    QAction* TwoPhaseMethod1;
    QAction* DualSimplexMethod1;
    // "Целочисленные переменные": branch and bound (the default), Gomory's cuts, or the conditions dropped;
    // one of them checked, kept in the settings.
    QMenu* Integer1;
    QAction* BranchAndBound1;
    QAction* GomoryCuts1;
    QAction* RelaxIntegers1;
    QAction* OpenReport1;  // the latest run's report, or its folder, with the desktop's viewer
    QAction* OpenReportFolder1;
    QProgressBar*
        ProgressBar1;      // in StatusBar1 while a run goes on: pivots made of the iteration limit; full at its end
    QLabel* ReportPath1;   // in StatusBar1: the latest run's report; empty until the first run
    DesktopCalls desktop;  // its questions and the viewer
    bool run_active() const { return run_stop_ != nullptr; }
    // "Остановить решение" stops a run; while a model is read it reads "Остановить загрузку" and stops that.
    void StopRun1Click();
    void OpenReport1Click();
    void OpenReportFolder1Click();
    // Keeps the switches of the runs in the user's settings, from one start of the program to the next.
    void KeepRunSwitchesInSettings();
    SolveMethod chosen_method() const;
    IntegerMethod chosen_integer_method() const;

    // --- Reading models beside the window (ui/model_reading_commands.cpp) ---
    // How a reading beside the window ended: the model, or what the reading threw, or neither when it was
    // stopped; window_closes when the window was closed meanwhile (it closes once the caller has returned).
    struct ModelReading {
        std::optional<LoadedProblem> loaded;
        std::exception_ptr failure;
        bool window_closes = false;
    };
    // Reads a model on a worker while the window takes its events; `doing` stands in the status bar
    // meanwhile, and StopRun1 (or closing the window) stops it. Nothing is read, as if stopped, while a
    // run or another reading goes on.
    ModelReading ReadModelBeside(LoadRequest request, const QString& doing);
    bool load_active() const { return load_stop_ != nullptr; }
    // A run or a reading goes on: nothing else may change the record meanwhile.
    bool busy() const { return run_active() || load_active(); }
    // The load of a model that is read already (the editor's check has read the file): the same as
    // "Загрузить данные" with the file's name in Edit1 and its data file's in DataEdit1, without a second reading.
    void LoadReadModel(const QString& file_name, const QString& data_file, LoadedProblem model);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_menu();
    void build_solution_menu();
    void build_controls(QWidget* client);
    void set_tab_order();
    void connect_handlers();

    // Runs a handler; a failure that leaves it is shown in one box and the window goes on.
    template <class Handler>
    void report_failures(Handler&& handler);
    // The warnings of a problem file that loaded, in the status bar (its tooltip holds them all).
    void show_reading_warnings(const std::vector<SimplexIteration::bad_simplex::Hint>& warnings);
    void show_status_codes(const SimplexIteration::bad_simplex& failure);
    // Takes the model of a reading into the record and keeps the rest of its load; false, after the boxes
    // of its failure, when it cannot be taken.
    bool take_model(ModelReading reading);
    // Keeps what a load gave besides its record (which goes into the record): a model's form.
    void keep_load(LoadedProblem loaded);
    bool model_loaded() const { return loaded_ && loaded_->from_model(); }
    // "Двойственная задача" is open for a loaded model only; an open window of the dual follows the load
    // and the runs.
    void show_dual_state();
    // The end of every load that succeeds: the files are kept, the last report forgotten and the record's
    // options shown.
    void finish_load(const std::filesystem::path& path, const QString& data_file);
    void show_options_of_record();
    void set_progress(const QString& label1, const QString& label2);
    void build_run_commands();
    RunSettings run_settings() const;
    // False when the report may pass a gigabyte and the user does not want to go on.
    bool confirm_report_size(const SimplexIteration& run);
    void place_report_beside_problem(SimplexIteration& run) const;
    // False when the run may not write its report where the problem names it: over the loaded file itself
    // (refused, with the box of code 7), or, unless the user says yes, outside the problem's folder or over
    // a file the program did not write.
    bool confirm_report_target(const SimplexIteration& run);
    // Runs the copy in a worker while the window goes on, then tells the outcome.
    void run_and_report(SimplexIteration run);
    // --- Transport problems (ui/transport_commands.cpp) ---
    // The loaded transport problem's print options shown as a problem file's are; its faults in one box.
    void take_transport_options(const LoadedProblem& loaded);
    void show_transport_faults(const std::exception& failure);
    // Runs the loaded transport problem with the options `options` holds, its report beside the problem.
    void solve_transport(const SimplexIteration& options);
    void run_transport_problem(const SimplexIteration& run);
    // The latest run's report for the commands about it; none: they are disabled.
    void keep_report(const std::filesystem::path& report);
    void set_running(std::atomic<bool>* stop);
    void show_full_progress(std::int32_t pivots);
    // Disables what would change the record or start another run or load (held), or gives it back.
    void hold_commands(bool held);
    void set_loading(ModelLoadStop* stop, const QString& doing);

    // The files a load reads, absolute: the problem or model and a MathProg model's data.
    struct NamedFiles {
        std::filesystem::path problem;
        std::optional<std::filesystem::path> data;
        friend bool operator==(const NamedFiles&, const NamedFiles&) = default;
    };
    NamedFiles named_files() const;
    void build_data_file_controls(QWidget* client);
    QString choose_in_open_dialog(OpenTarget target);
    // Edit1 names another file: DataEdit1 opens for a MathProg model and is offered the model's .dat.
    void problem_name_changed();
    // A load that failed on the named files; `faults`: the editor can list them.
    void load_failed(const QString& why, bool faults);
    // "Решить задачу" is open while the named files are the loaded ones; the status bar says why not.
    void show_load_state();

    SimplexIteration& record_;
    MessageSink& messages_;
    ModelCalls model_;
    std::filesystem::path loaded_problem_file_;    // absolute; empty until a load succeeds
    std::shared_ptr<const LoadedProblem> loaded_;  // the latest load without its record; null until one succeeds
    std::shared_ptr<const RecordedRun> last_run_;  // set by each run that produced tables
    std::shared_ptr<const TransportPages> last_transport_;  // set by a transport run, reset by a simplex run
    // That run's outcome in the loaded problem's columns, with the problem's own final table at an
    // optimum (the tables of the dual simplex method are those of its start table, not the problem's).
    std::shared_ptr<const SolveOutcome> last_outcome_;
    std::filesystem::path last_run_input_;                  // the file loaded for that run
    std::atomic<bool>* run_stop_ = nullptr;                 // the running run's stop request; null between runs
    ModelLoadStop* load_stop_ = nullptr;                    // the running reading's stop request; null between readings
    QString report_path_before_load_;                       // ReportPath1's text, given back when a reading ends
    std::vector<std::function<void()>> restore_after_run_;  // what a run disabled, as it was
    bool close_after_run_ = false;                          // the window was closed while a run or reading went on
    std::filesystem::path last_report_;                     // the latest run's report; empty until one is written
    QPointer<SolutionWindow> SolutionWindow1;               // the solution window, once opened
    QPointer<QWidget> DualWindow1;                          // the dual problem's window, once opened
    QString last_chosen_file_;                              // the open dialog's last choice; empty until one is made
    std::optional<std::filesystem::path> loaded_data_file_;  // the data file of the model loaded last
    struct FailedLoad {
        NamedFiles files;
        QString why;
        bool faults;  // the file's own faults, which the editor lists
    };
    std::optional<FailedLoad> failed_load_;  // the latest load, when it failed after the last one that succeeded
    QString offered_data_file_;              // what DataEdit1 was offered last for the model named
    QString status_note_;                    // what say_in_status_bar showed last
};

// The program's main window while it exists.
extern QPointer<TForm1> Form1;
