#include "ui/solution_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWindow>

#include <atomic>
#include <cstdint>
#include <utility>

#include "problem/cp1251.h"
#include "problem/record_columns.h"
#include "solver/analysis/exact_model_answer.h"
#include "solver/analysis/sensitivity.h"
#include "solver/engine/run_observer.h"
#include "solver/report/branch_texts.h"
#include "solver/report/choice_sentences.h"
#include "solver/report/document_sink.h"
#include "solver/report/outcome_story.h"
#include "solver/report/output_guard.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_sinks.h"
#include "solver/report/sensitivity_tables.h"
#include "solver/report/table_cells.h"
#include "solver/report/table_source.h"
#include "solver/session/run_with_report.h"
#include "ui/escape_key.h"
#include "ui/fit_to_screen.h"
#include "ui/save_names.h"

namespace {

QString text_of(const std::string& utf8) { return QString::fromStdString(utf8); }

// "Итерация k" and what comes of the table, one line for the list.
QString table_outcome(const RecordedRun& run, const TableSnapshot& t, bool last) {
    switch (t.close) {
        case TableClose::next_pivot: {
            QString text = QStringLiteral("ключевой столбец %1 (%2), строка %3")
                               .arg(t.key_column)
                               .arg(text_of(t.names.at(t.key_column)))
                               .arg(t.key_row);
            if (last && run.ended && run.outcome.stopped) return text + QStringLiteral(" — остановлено");
            if (last && run.ended && run.outcome.end == RunEnd::iteration_limit) {
                return text + QStringLiteral(" — предел итераций");
            }
            return text;
        }
        case TableClose::unbounded:
            return QStringLiteral("функция не ограничена");
        case TableClose::infeasible:
            return QStringLiteral("система несовместна");
        case TableClose::phase_end:
            return QStringLiteral("конец фазы I");
        case TableClose::optimum:
            break;
    }
    return QStringLiteral("оптимум");
}

// The form of a report by the file's extension, else by the chosen filter.
ReportForm form_of(const QString& path, const QString& filter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "html" || suffix == "htm") return ReportForm::html;
    if (suffix == "tex") return ReportForm::latex;
    if (suffix.isEmpty() && filter.contains("*.html")) return ReportForm::html;
    if (suffix.isEmpty() && filter.contains("*.tex")) return ReportForm::latex;
    return ReportForm::text;
}

std::vector<std::string> cp1251_lines(const std::vector<std::string>& utf8_lines) {
    std::vector<std::string> lines;
    lines.reserve(utf8_lines.size());
    for (const std::string& line : utf8_lines) lines.push_back(cp1251::from_utf8(line).value_or(line));
    return lines;
}

// The analysis the run brought (a model's), else that of a problem file's optimum from its final table; in
// `format` where the run kept the analysis itself.
std::vector<DocumentSection> sensitivity_of(const RecordedRun& run, const SolveOutcome& outcome,
                                            const PeopleFormat& format = {}) {
    if (run.sensitivity) return sensitivity_sections(*run.sensitivity, format);
    if (!run.sections.empty()) return run.sections;
    if (!run.preamble.empty() || !outcome.final_table || !run.problem) return {};
    return sensitivity_sections(sensitivity_report(*outcome.final_table, problem_file_query(*run.problem)), format);
}

// A model's answer at its optimum in `format`; else the lines its run ended with.
std::vector<std::string> model_answer_of(const RecordedRun& run, const PeopleFormat& format) {
    if (!run.model || run.outcome.end != RunEnd::optimal) return run.answer;
    return cp1251::lines_to_utf8(model_answer_lines(*run.model, run.outcome, format));
}

QString paragraph(const std::vector<std::string>& lines) {
    QString html = "<p>";
    for (std::size_t k = 0; k < lines.size(); ++k) html += (k == 0 ? "" : "<br>") + text_of(lines[k]).toHtmlEscaped();
    return html + "</p>";
}

const QString kGridZoomKey = QStringLiteral("solution/grid_zoom");

// The save dialog: it starts on the suggested name, and a name typed without an extension takes that of
// the chosen filter before the dialog asks about replacing a file.
QString ask_save_name(QWidget* parent, const QString& caption, const QString& filters, const QString& suggested,
                      QString* chosen_filter) {
    QFileDialog dialog(parent, caption, QFileInfo(suggested).absolutePath(), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggested);
    dialog.setDefaultSuffix(filter_extension(filters));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        // The suggested extension follows the filter.
        const QString previous = dialog.defaultSuffix();
        dialog.setDefaultSuffix(filter_extension(filter));
        const QStringList typed = dialog.selectedFiles();
        if (typed.size() == 1 && !previous.isEmpty() && QFileInfo(typed.front()).suffix() == previous) {
            const QString name = QFileInfo(typed.front()).fileName();
            dialog.selectFile(name.left(name.size() - previous.size()) + dialog.defaultSuffix());
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (chosen_filter != nullptr) *chosen_filter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

void copy_to_clipboard(const QString& text, const QString& html = {}) {
    auto* data = new QMimeData;
    data->setText(text);
    if (!html.isEmpty()) data->setHtml(html);
    QApplication::clipboard()->setMimeData(data);
}

}  // namespace

QString table_list_text(const RecordedRun& run, std::size_t index) {
    const TableSnapshot& t = run.tables.at(index);
    QString title = text_of(phase_title(t.look));
    if (!title.isEmpty()) title += QStringLiteral(". ");
    // A run made of parts (Gomory's cuts) lists its tables under the part each belongs to.
    if (const std::string part = part_heading_of(run, index); !part.empty()) {
        title += text_of(part) + QStringLiteral(". ");
    }
    title += t.iteration == 0 ? QStringLiteral("Исходная таблица") : QStringLiteral("Итерация %1").arg(t.iteration);
    return title + ": " + table_outcome(run, t, index + 1 == run.tables.size());
}

QString transport_plan_list_text(const TransportPages& pages, std::size_t index) {
    const TransportPlanPage& page = pages.plans.at(index);
    if (!page.cycle.empty()) return text_of(page.title) + QStringLiteral(": цикл из %1 клеток").arg(page.cycle.size());
    if (index + 1 == pages.plans.size() && pages.optimal) return text_of(page.title) + QStringLiteral(": оптимум");
    return text_of(page.title);
}

QString missing_tables_text(const RecordedRun& run) {
    if (run.omitted_count == 0) return {};
    return QStringLiteral(
               "Таблицы итераций %1–%2 не сохранены в окне (предел памяти %3 МБ); они есть в отчёте, "
               "если он их печатал.")
        .arg(run.omitted_first_iteration)
        .arg(run.omitted_last_iteration)
        .arg(kRecordedTablesBound >> 20);
}

namespace {

// Node `id` of the run, when it has one.
const BranchNode* node_of(const RecordedRun& run, std::int32_t id) {
    const std::vector<BranchNode>& nodes = run.outcome.nodes;
    if (id < 1 || static_cast<std::size_t>(id) > nodes.size()) return nullptr;
    return &nodes[static_cast<std::size_t>(id) - 1];
}

// Where the node's tables are in the window: the part of its heading, as the run reported it.
PartTables node_tables(const RecordedRun& run, const BranchNode& node) {
    if (!run.problem) return {};
    return part_tables(run, node_heading(node, utf8_variable_names(*run.problem)));
}

}  // namespace

QString node_tables_missing_text(const RecordedRun& run, std::int32_t id) {
    const BranchNode* node = node_of(run, id);
    if (node == nullptr) return {};
    if (node->close == NodeClose::open) return QStringLiteral("Узел %1 не решался: предел числа узлов.").arg(id);
    const PartTables tables = node_tables(run, *node);
    if (tables.first) return {};
    if (tables.omitted) {
        return QStringLiteral(
                   "Таблицы узла %1 не сохранены в окне (предел памяти %2 МБ); они есть в отчёте, "
                   "если он их печатал.")
            .arg(id)
            .arg(kRecordedTablesBound >> 20);
    }
    return QStringLiteral("Таблиц узла %1 в окне нет.").arg(id);
}

SolutionWindow::SolutionWindow(MessageSink& messages, QWidget* parent)
    : QMainWindow(parent, Qt::Window), messages_(messages) {
    setObjectName(QStringLiteral("SolutionWindow"));
    setWindowTitle(QStringLiteral("Решение"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    choose_file = [this](const QString& caption, const QString& filters, const QString& suggested,
                         QString* chosen_filter) {
        return ask_save_name(this, caption, filters, suggested, chosen_filter);
    };
    build_menu();
    build_tabs();
    resize(960, 600);
    fit_to_screen(this);
    // The zoom of the grid stays from one window, and one start of the program, to the next.
    Grid->set_zoom(QSettings(QStringLiteral("QTB"), QStringLiteral("qtb")).value(kGridZoomKey, 100).toInt());
    connect(Grid, &TableGrid::zoomChanged, this, [](int percent) {
        QSettings(QStringLiteral("QTB"), QStringLiteral("qtb")).setValue(kGridZoomKey, percent);
    });
}

// A window of its own beside the main window, not one held above it: a box modal to the main window leaves
// it free.
void SolutionWindow::showEvent(QShowEvent* event) {
    if (QWindow* handle = windowHandle()) handle->setTransientParent(nullptr);
    QMainWindow::showEvent(event);
}

void SolutionWindow::build_menu() {
    const auto action = [this](QMenu* menu, const QString& text, const QList<QKeySequence>& keys, auto slot) {
        QAction* item = menu->addAction(text);
        item->setShortcuts(keys);
        connect(item, &QAction::triggered, this, slot);
        return item;
    };
    File1 = menuBar()->addMenu(QStringLiteral("&Файл"));
    ExportItem = action(File1, QStringLiteral("&Экспорт решения со всеми таблицами…"), {QKeySequence::Save},
                        &SolutionWindow::ExportRun);
    SavePictureItem = action(File1, QStringLiteral("Сохранить &рисунок…"), {}, &SolutionWindow::SavePicture);
    File1->addSeparator();
    CloseItem = action(File1, QStringLiteral("&Закрыть"), {Qt::Key_Escape}, &QWidget::close);
    give_escape_to_popups_first();  // an open menu closes before the window
    Table1 = menuBar()->addMenu(QStringLiteral("&Таблица"));
    CopyTextItem =
        action(Table1, QStringLiteral("&Копировать как текст"), {QKeySequence::Copy}, &SolutionWindow::CopyText);
    CopyLatexItem = action(Table1, QStringLiteral("Копировать как &LaTeX"), {QKeySequence("Ctrl+Shift+L")},
                           &SolutionWindow::CopyLatex);
    CopyHtmlItem = action(Table1, QStringLiteral("Копировать как &HTML"), {QKeySequence("Ctrl+Shift+H")},
                          &SolutionWindow::CopyHtml);
    Table1->addSeparator();
    NextItem = action(Table1, QStringLiteral("&Следующая таблица"), {QKeySequence("Ctrl+Down"), Qt::Key_PageDown},
                      &SolutionWindow::NextTable);
    PreviousItem = action(Table1, QStringLiteral("&Предыдущая таблица"), {QKeySequence("Ctrl+Up"), Qt::Key_PageUp},
                          &SolutionWindow::PreviousTable);
    Table1->addSeparator();
    // On the tree's page the zoom is the tree's.
    const auto tree_shown = [this] { return Tabs->currentWidget() == TreePage; };
    ZoomInItem = action(Table1, QStringLiteral("Кр&упнее"), {QKeySequence::ZoomIn, QKeySequence("Ctrl+=")},
                        [this, tree_shown] { tree_shown() ? Tree->zoom_by(1.25) : Grid->zoom_in(); });
    ZoomOutItem = action(Table1, QStringLiteral("&Мельче"), {QKeySequence::ZoomOut},
                         [this, tree_shown] { tree_shown() ? Tree->zoom_by(0.8) : Grid->zoom_out(); });
    ZoomResetItem = action(Table1, QStringLiteral("&Обычный размер"), {QKeySequence("Ctrl+0")},
                           [this, tree_shown] { tree_shown() ? Tree->zoom_reset() : Grid->set_zoom(100); });
    const auto name = [](QObject* object, const char* text) { object->setObjectName(QString::fromLatin1(text)); };
    name(File1, "File1");
    name(ExportItem, "ExportItem");
    name(SavePictureItem, "SavePictureItem");
    name(CloseItem, "CloseItem");
    name(Table1, "Table1");
    name(CopyTextItem, "CopyTextItem");
    name(CopyLatexItem, "CopyLatexItem");
    name(CopyHtmlItem, "CopyHtmlItem");
    name(NextItem, "NextItem");
    name(PreviousItem, "PreviousItem");
    name(ZoomInItem, "ZoomInItem");
    name(ZoomOutItem, "ZoomOutItem");
    name(ZoomResetItem, "ZoomResetItem");
}

void SolutionWindow::build_tabs() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    RunLabel = new QLabel(client);
    RunLabel->setObjectName(QStringLiteral("RunLabel"));
    RunLabel->setWordWrap(true);
    RunLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(RunLabel);
    Tabs = new QTabWidget(client);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    layout->addWidget(Tabs, 1);
    setCentralWidget(client);

    TablesPage = new QWidget;
    TablesPage->setObjectName(QStringLiteral("TablesPage"));
    TablesSplitter = new QSplitter(Qt::Horizontal, TablesPage);
    auto* splitter = TablesSplitter;
    auto* list_side = new QWidget(splitter);
    auto* list_layout = new QVBoxLayout(list_side);
    list_layout->setContentsMargins(0, 0, 0, 0);
    TableList = new QListWidget(list_side);
    TableList->setObjectName(QStringLiteral("TableList"));
    // One line an item, all of one height: a run of a thousand tables lays out no more than it shows.
    TableList->setUniformItemSizes(true);
    TableList->setWordWrap(false);
    TableList->setTextElideMode(Qt::ElideRight);
    TableList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_layout->addWidget(TableList, 1);
    MissingLabel = new QLabel(list_side);
    MissingLabel->setObjectName(QStringLiteral("MissingLabel"));
    MissingLabel->setWordWrap(true);
    list_layout->addWidget(MissingLabel);
    auto* table_side = new QWidget(splitter);
    auto* table_layout = new QVBoxLayout(table_side);
    table_layout->setContentsMargins(0, 0, 0, 0);
    TitleLabel = new QLabel(table_side);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    QFont bold = TitleLabel->font();
    bold.setBold(true);
    TitleLabel->setFont(bold);
    table_layout->addWidget(TitleLabel);
    GridStack = new QStackedWidget(table_side);
    GridStack->setObjectName(QStringLiteral("GridStack"));
    Grid = new TableGrid(GridStack);
    Grid->setObjectName(QStringLiteral("Grid"));
    GridStack->addWidget(Grid);
    PlanArea = new QScrollArea(GridStack);
    PlanArea->setObjectName(QStringLiteral("PlanArea"));
    PlanGrid = new TransportGrid;
    PlanGrid->setObjectName(QStringLiteral("PlanGrid"));
    PlanArea->setWidget(PlanGrid);
    PlanArea->setBackgroundRole(QPalette::Base);
    GridStack->addWidget(PlanArea);
    // The plans zoom with the tables: one zoom for the window.
    connect(Grid, &TableGrid::zoomChanged, PlanGrid, &TransportGrid::set_zoom);
    table_layout->addWidget(GridStack, 1);
    ClosingLabel = new QLabel(table_side);
    ClosingLabel->setObjectName(QStringLiteral("ClosingLabel"));
    ClosingLabel->setWordWrap(true);
    table_layout->addWidget(ClosingLabel);
    splitter->addWidget(list_side);
    splitter->addWidget(table_side);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 640});
    auto* tables_layout = new QVBoxLayout(TablesPage);
    tables_layout->addWidget(splitter);
    Tabs->addTab(TablesPage, QStringLiteral("Таблицы"));
    connect(TableList, &QListWidget::currentRowChanged, this, &SolutionWindow::show_table);

    OutcomeView = new QTextBrowser;
    OutcomeView->setObjectName(QStringLiteral("OutcomeView"));
    Tabs->addTab(OutcomeView, QStringLiteral("Результат"));

    // Owned by the window until a run with a picture puts it in a tab (a run without one may never).
    PicturePage = new QWidget(this);
    PicturePage->hide();
    PicturePage->setObjectName(QStringLiteral("PicturePage"));
    auto* picture_layout = new QVBoxLayout(PicturePage);
    Picture = new PlaneView(PicturePage);
    picture_layout->addWidget(Picture, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    SavePictureButton = new QPushButton(QStringLiteral("Сохранить рисунок…"), PicturePage);
    SavePictureButton->setObjectName(QStringLiteral("SavePictureButton"));
    buttons->addWidget(SavePictureButton);
    picture_layout->addLayout(buttons);
    connect(SavePictureButton, &QPushButton::clicked, this, &SolutionWindow::SavePicture);

    // Like the picture's, in a tab only for a run by branch and bound.
    TreePage = new QWidget(this);
    TreePage->hide();
    TreePage->setObjectName(QStringLiteral("TreePage"));
    auto* tree_layout = new QVBoxLayout(TreePage);
    TreeLegend = new QLabel(BranchTreeView::legend_html(), TreePage);
    TreeLegend->setObjectName(QStringLiteral("TreeLegend"));
    TreeLegend->setWordWrap(true);
    tree_layout->addWidget(TreeLegend);
    Tree = new BranchTreeView(TreePage);
    Tree->setObjectName(QStringLiteral("Tree"));
    tree_layout->addWidget(Tree, 1);
    connect(Tree, &BranchTreeView::nodeClicked, this, &SolutionWindow::ShowNodeTables);
}

void SolutionWindow::show_run(std::shared_ptr<const RecordedRun> run,
                              const std::shared_ptr<const PlaneSource>& plane_source) {
    run_ = std::move(run);
    transport_.reset();
    GridStack->setCurrentWidget(Grid);
    enable_table_commands(true);
    if (!run_ || !run_->problem) return;
    const RecordedRun& r = *run_;
    const SimplexIteration& problem = *r.problem;

    QString about = problem.name && !problem.name->empty()
                        ? QStringLiteral("Задача: ") + text_of(cp1251::to_utf8(*problem.name)) + ". "
                        : QString();
    about += text_of(run_settings_text(r.outcome.settings)) + ' ';
    about += QStringLiteral("Таблиц в окне: %1 из %2.").arg(r.tables.size()).arg(r.tables.size() + r.omitted_count);
    RunLabel->setText(about);

    TableList->blockSignals(true);
    TableList->clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(r.tables.size()));
    int longest = 0;  // the line that needs the most room, by its letters: the only one measured
    for (std::size_t k = 0; k < r.tables.size(); ++k) {
        texts << table_list_text(r, k);
        if (texts.back().size() > texts[longest].size()) longest = static_cast<int>(k);
    }
    TableList->addItems(texts);
    TableList->blockSignals(false);
    MissingLabel->setText(missing_tables_text(r));
    MissingLabel->setVisible(r.omitted_count != 0);
    // The list as wide as its lines, within two fifths of the window; longer lines end in an ellipsis.
    const int line_width =
        texts.isEmpty() ? 0 : TableList->sizeHintForIndex(TableList->model()->index(longest, 0)).width();
    const int list_width =
        line_width + 2 * TableList->frameWidth() + TableList->verticalScrollBar()->sizeHint().width() + 8;
    const int total = std::max(TablesSplitter->width(), width() - 40);
    const int first = std::min(list_width, total * 2 / 5);
    TablesSplitter->setSizes({first, total - first});
    if (!r.tables.empty()) {
        TableList->setCurrentRow(static_cast<int>(r.tables.size()) - 1);
        show_table(TableList->currentRow());
    }

    OutcomeView->setHtml(outcome_html());

    std::optional<PlaneSource> plane;
    if (r.plane) {
        plane = *r.plane;
    } else if (plane_source) {
        plane = *plane_source;
    } else {
        plane = plane_source_of_record(problem);
    }
    const int picture_tab = Tabs->indexOf(PicturePage);
    if (plane && r.ended) {
        Picture->set_picture(run_plane_picture(problem, r.outcome, *plane));
        if (picture_tab < 0) Tabs->addTab(PicturePage, QStringLiteral("Рисунок"));
    } else if (picture_tab >= 0) {
        Tabs->removeTab(picture_tab);
    }
    SavePictureItem->setEnabled(Tabs->indexOf(PicturePage) >= 0);
    show_tree();
}

void SolutionWindow::show_tree() {
    const int tree_tab = Tabs->indexOf(TreePage);
    if (!run_ || !run_->problem || run_->outcome.nodes.empty()) {
        if (tree_tab >= 0) Tabs->removeTab(tree_tab);
        return;
    }
    Tree->show_tree(run_->outcome.nodes, utf8_variable_names(*run_->problem));
    if (tree_tab < 0) Tabs->insertTab(Tabs->indexOf(OutcomeView) + 1, TreePage, QStringLiteral("Дерево ветвей"));
}

void SolutionWindow::ShowNodeTables(std::int32_t id) {
    if (!run_) return;
    const BranchNode* node = node_of(*run_, id);
    if (node == nullptr) return;
    const PartTables tables = node_tables(*run_, *node);
    if (node->close == NodeClose::open || !tables.first) {
        statusBar()->showMessage(node_tables_missing_text(*run_, id));
        return;
    }
    statusBar()->clearMessage();
    Tabs->setCurrentWidget(TablesPage);
    TableList->setCurrentRow(static_cast<int>(*tables.first));
    TableList->scrollToItem(TableList->currentItem(), QAbstractItemView::PositionAtTop);
}

void SolutionWindow::show_transport(std::shared_ptr<const TransportPages> pages) {
    run_.reset();
    transport_ = std::move(pages);
    if (!transport_) return;
    const TransportPages& p = *transport_;
    GridStack->setCurrentWidget(PlanArea);
    PlanGrid->set_zoom(Grid->zoom());
    enable_table_commands(false);
    RunLabel->setText(text_of(p.title) + QStringLiteral(". Метод потенциалов. Планов: %1.").arg(p.plans.size()));

    TableList->blockSignals(true);
    TableList->clear();
    for (std::size_t k = 0; k < p.plans.size(); ++k) TableList->addItem(transport_plan_list_text(p, k));
    TableList->blockSignals(false);
    MissingLabel->hide();
    const int total = std::max(TablesSplitter->width(), width() - 40);
    const int first = std::min(TableList->sizeHintForColumn(0) + 2 * TableList->frameWidth() + 8, total * 2 / 5);
    TablesSplitter->setSizes({first, total - first});
    if (!p.plans.empty()) {
        TableList->setCurrentRow(static_cast<int>(p.plans.size()) - 1);
        show_plan(TableList->currentRow());
    }
    OutcomeView->setHtml(QStringLiteral("<h3>Ответ</h3>") + paragraph(p.closing) + QStringLiteral("<h3>Задача</h3>") +
                         paragraph(p.opening));
}

void SolutionWindow::show_plan(int row) {
    if (!transport_ || row < 0 || static_cast<std::size_t>(row) >= transport_->plans.size()) return;
    const TransportPlanPage& page = transport_->plans[static_cast<std::size_t>(row)];
    TitleLabel->setText(text_of(page.title));
    PlanGrid->show_plan(page);
    QStringList after;
    for (const std::string& line : page.after) after << text_of(line);
    ClosingLabel->setText(after.join('\n'));
}

void SolutionWindow::enable_table_commands(bool on) {
    for (QAction* item : {CopyTextItem, CopyLatexItem, CopyHtmlItem, ExportItem}) item->setEnabled(on);
    if (!on) SavePictureItem->setEnabled(false);
    if (const int picture_tab = Tabs->indexOf(PicturePage); !on && picture_tab >= 0) Tabs->removeTab(picture_tab);
    if (const int tree_tab = Tabs->indexOf(TreePage); !on && tree_tab >= 0) Tabs->removeTab(tree_tab);
}

void SolutionWindow::show_table(int row) {
    if (transport_) return show_plan(row);
    const TableSnapshot* t = current_table();
    if (row < 0 || t == nullptr) return;
    TitleLabel->setText(text_of(document_table_title(*t)));
    Grid->show_table(*t);
    // An explained run's sentences under the closing line.
    std::string closing = document_closing_line(*t);
    for (const std::string& line : choice_sentences(t->look, t->names, t->basis)) closing += "\n" + line;
    ClosingLabel->setText(text_of(closing));
}

const TableSnapshot* SolutionWindow::current_table() const {
    const int row = TableList->currentRow();
    if (!run_ || row < 0 || static_cast<std::size_t>(row) >= run_->tables.size()) return nullptr;
    return &run_->tables[static_cast<std::size_t>(row)];
}

QString SolutionWindow::outcome_html() const {
    const RecordedRun& r = *run_;
    const SolveOutcome& outcome = r.outcome;
    QString html = "<h3>Ответ</h3>";
    if (!r.ended) return html + QStringLiteral("<p>Счёт не закончен.</p>");
    const std::vector<std::string> names = utf8_variable_names(*r.problem);
    // Every number as the run's tables print theirs.
    const PeopleFormat format = PeopleFormat::of_tables(r.problem->precision);
    if (const std::vector<std::string> failure = outcome_failure_lines(outcome); !failure.empty()) {
        html += paragraph(failure);
    } else if (!r.answer.empty()) {
        html += "<pre>";
        for (const std::string& line : model_answer_of(r, format)) html += text_of(line).toHtmlEscaped() + '\n';
        html += "</pre>";
    } else {
        html += paragraph(outcome_answer_lines(outcome, names,
                                               static_cast<std::uint32_t>(std::max(r.problem->base_vars, 0)), format));
    }
    html += QStringLiteral("<h3>Замечания</h3>") + paragraph({run_settings_text(outcome.settings)}) +
            paragraph(outcome_notes(outcome, names, false));
    if (r.omitted_count != 0) html += "<p>" + missing_tables_text(r).toHtmlEscaped() + "</p>";
    for (const DocumentSection& section : sensitivity_of(r, outcome, format)) {
        html += "<h3>" + text_of(section.title).toHtmlEscaped() + "</h3>";
        if (!section.header.empty()) {
            html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>";
            for (const std::string& cell : section.header) html += "<th>" + text_of(cell).toHtmlEscaped() + "</th>";
            html += "</tr>";
            for (const auto& row : section.rows) {
                html += "<tr>";
                for (const std::string& cell : row) html += "<td>" + text_of(cell).toHtmlEscaped() + "</td>";
                html += "</tr>";
            }
            html += "</table>";
        }
        html += paragraph(section.lines);
    }
    return html;
}

void SolutionWindow::CopyText() {
    if (const TableSnapshot* t = current_table()) copy_to_clipboard(text_of(table_text_grid(*t)));
}

void SolutionWindow::CopyLatex() {
    if (const TableSnapshot* t = current_table()) copy_to_clipboard(text_of(latex_table_fragment(*t)));
}

void SolutionWindow::CopyHtml() {
    if (const TableSnapshot* t = current_table()) {
        const QString html = text_of(html_table_fragment(*t));
        copy_to_clipboard(html, html);
    }
}

void SolutionWindow::NextTable() {
    if (TableList->currentRow() + 1 < TableList->count()) TableList->setCurrentRow(TableList->currentRow() + 1);
}

void SolutionWindow::PreviousTable() {
    if (TableList->currentRow() > 0) TableList->setCurrentRow(TableList->currentRow() - 1);
}

QString SolutionWindow::chosen_file(const QString& caption, const QString& filters, const QString& what,
                                    QString* filter) {
    const std::filesystem::path problem = run_inputs.empty() ? std::filesystem::path() : run_inputs.front();
    const QString suggested = suggested_save_name(problem, what, filter_extension(filters));
    return with_filter_extension(choose_file(caption, filters, suggested, filter), *filter);
}

void SolutionWindow::ExportRun() {
    if (!run_ || !run_->problem) return;
    QString filter;
    const QString path =
        chosen_file(QStringLiteral("Экспорт решения со всеми таблицами"),
                    QStringLiteral("HTML (*.html);;LaTeX (*.tex);;Текст (*.txt)"), QStringLiteral("решение"), &filter);
    if (path.isEmpty() || refuses_input(path)) return;
    if (!export_to(path, filter)) {
        messages_.show(QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path),
                       QStringLiteral("сообщение об ошибке"));
    }
}

bool SolutionWindow::export_to(const QString& path, const QString& filter) {
    const RecordedRun& r = *run_;
    // The engine names its report in Windows-1251: it writes into a temporary file of a plain name, which then
    // takes the user's name, whatever its letters.
    QTemporaryDir folder;
    if (!folder.isValid()) return false;
    const QString temporary = folder.filePath(QStringLiteral("report"));
    const std::optional<std::string> temporary_name = cp1251::from_utf8(QFile::encodeName(temporary).toStdString());
    if (!temporary_name) return false;

    SimplexIteration problem = *r.problem;
    problem.no_table = problem.only_data_table = problem.only_optimal_table = false;
    problem.print_from = 0;
    problem.print_to = 0;
    problem.file = *temporary_name;
    RunSettings settings = r.outcome.settings;
    settings.form = form_of(path, filter);
    settings.encoding = TextEncoding::cp1251;
    settings.keep_final_table = true;
    const ReportFrame frame{cp1251_lines(r.preamble), [&r](const SolveOutcome&) { return cp1251_lines(r.answer); },
                            [&r](const SolveOutcome& outcome) { return sensitivity_of(r, outcome); }};
    // A stopped run is stopped again at the table where it was, and its report says so.
    const bool stopped = r.outcome.stopped;
    const std::int32_t stopped_after = r.outcome.iterations;
    std::atomic<bool> stop{stopped && stopped_after <= 0};
    RunObserver observer;
    if (stopped) {
        observer.stop = &stop;
        observer.progress = [&](std::int32_t pivots, std::int32_t) {
            if (pivots >= stopped_after) stop.store(true);
        };
    }
    static_cast<void>(run_simplex(problem, settings, frame, observer));
    if (!QFile::exists(temporary)) return false;
    if (QFile::exists(path) && !QFile::remove(path)) return false;
    return QFile::copy(temporary, path);
}

bool SolutionWindow::refuses_input(const QString& path) {
    std::vector<RunInput> inputs;
    for (const std::filesystem::path& input : run_inputs) inputs.push_back({input, "входным файлом решения"});
    const std::filesystem::path target(QFile::encodeName(path).toStdString());
    // The kind does not matter here: a name the user chose may replace anything but an input.
    const OutputCheck check = check_output({target, OutputKind::text_report, true}, inputs);
    if (check.verdict != OutputVerdict::input_file) return false;
    messages_.show(QString::fromStdString(output_refusal_text(check, "Файл", target)),
                   QStringLiteral("сообщение об ошибке"));
    return true;
}

void SolutionWindow::SavePicture() {
    if (Tabs->indexOf(PicturePage) < 0) return;
    QString filter;
    const QString path = chosen_file(QStringLiteral("Сохранить рисунок"), QStringLiteral("PNG (*.png);;SVG (*.svg)"),
                                     QStringLiteral("рисунок"), &filter);
    if (path.isEmpty() || refuses_input(path)) return;
    const bool svg = QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) == 0 ||
                     (QFileInfo(path).suffix().isEmpty() && filter.contains("*.svg"));
    if (!(svg ? Picture->save_svg(path) : Picture->save_png(path))) {
        messages_.show(QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path),
                       QStringLiteral("сообщение об ошибке"));
    }
}
