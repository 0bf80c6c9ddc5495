#pragma once

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBrowser>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "solver/session/table_recorder.h"
#include "ui/branch_tree_view.h"
#include "ui/message_sink.h"
#include "ui/plane_view.h"
#include "ui/table_grid.h"
#include "ui/transport_grid.h"
#include "ui/transport_pages.h"

// The solution of a run ("Решение"): every table the run went through, the
// outcome with its notes and sensitivity analysis, and for a problem in two
// variables its picture. Tables copy to the clipboard as text, LaTeX or HTML;
// the whole run exports as a report with every table. A transport problem's run shows its plans
// in the same places: the list, the plan's grid with its cycle, the lines under it, the answer.
class SolutionWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit SolutionWindow(MessageSink& messages, QWidget* parent = nullptr);

    // Shows a run; `plane` gives the picture of a model when the run does not carry one.
    void show_run(std::shared_ptr<const RecordedRun> run, const std::shared_ptr<const PlaneSource>& plane = nullptr);
    const RecordedRun* run() const { return run_.get(); }
    // Shows the plans of a transport problem's run instead of simplex tables.
    void show_transport(std::shared_ptr<const TransportPages> pages);
    const TransportPages* transport() const { return transport_.get(); }

    // Asks for a file to save into (caption, filter list, the name suggested; the chosen filter comes back);
    // empty: cancelled. The real dialog unless a test puts its own in.
    std::function<QString(const QString& caption, const QString& filters, const QString& suggested,
                          QString* chosen_filter)>
        choose_file;

    // The files the shown run read (its problem file or model): nothing the window saves may replace one.
    std::vector<std::filesystem::path> run_inputs;

    // --- Commands ---
    void CopyText();
    void CopyLatex();
    void CopyHtml();
    void ExportRun();
    void SavePicture();
    void NextTable();
    void PreviousTable();
    // The tables page at the first table of branch and bound's node `id`; the status bar says why not
    // when the window has none of them.
    void ShowNodeTables(std::int32_t id);

    // --- Controls ---
    QMenu* File1;
    QAction* ExportItem;
    QAction* SavePictureItem;
    QAction* CloseItem;
    QMenu* Table1;
    QAction* CopyTextItem;
    QAction* CopyLatexItem;
    QAction* CopyHtmlItem;
    QAction* NextItem;
    QAction* PreviousItem;
    QAction* ZoomInItem;  // the grid larger, smaller, of its normal size
    QAction* ZoomOutItem;
    QAction* ZoomResetItem;
    QLabel* RunLabel;  // the problem, how it ran and how it ended
    QTabWidget* Tabs;
    QWidget* TablesPage;
    QSplitter* TablesSplitter;  // the list of tables | the chosen table
    QListWidget* TableList;
    QLabel* MissingLabel;  // where the tables are that the window did not keep
    QLabel* TitleLabel;
    QStackedWidget* GridStack;  // Grid, or PlanArea for a transport problem's plans
    TableGrid* Grid;
    QScrollArea* PlanArea;
    TransportGrid* PlanGrid;
    QLabel* ClosingLabel;
    QTextBrowser* OutcomeView;
    QWidget* PicturePage;
    PlaneView* Picture;
    QPushButton* SavePictureButton;
    QWidget* TreePage;  // "Дерево ветвей", for a run by branch and bound
    QLabel* TreeLegend;
    BranchTreeView* Tree;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build_menu();
    void build_tabs();
    void show_table(int row);
    void show_plan(int row);
    void show_tree();
    // The commands about simplex tables and reports are open for a simplex run only.
    void enable_table_commands(bool on);
    const TableSnapshot* current_table() const;
    QString outcome_html() const;
    // Runs the problem again with every table printed into `path`, in the form of the report that the path names.
    bool export_to(const QString& path, const QString& filter);
    // True, after a box that says so, when `path` is one of the run's inputs.
    bool refuses_input(const QString& path);
    // Asks for the file to save into, suggesting one named after the problem (`what`, the first filter's
    // extension); the chosen name takes the chosen filter's extension when it has none. Empty: cancelled.
    QString chosen_file(const QString& caption, const QString& filters, const QString& what, QString* filter);

    MessageSink& messages_;
    std::shared_ptr<const RecordedRun> run_;
    std::shared_ptr<const TransportPages> transport_;
};

// The texts of the window that people and tests read.
QString table_list_text(const RecordedRun& run, std::size_t index);
QString missing_tables_text(const RecordedRun& run);
// Why the window shows no table of node `id`, for the status bar; empty when it shows some.
QString node_tables_missing_text(const RecordedRun& run, std::int32_t id);
QString transport_plan_list_text(const TransportPages& pages, std::size_t index);
