// The main window's transport problems: their print options in the window's controls, and their run
// by the method of potentials beside the window, its plans shown in the solution window.

#include <QFile>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

#include "problem/transport_file.h"
#include "solver/report/report_target.h"
#include "solver/transport/transport_report.h"
#include "solver/transport/transport_run.h"
#include "ui/main_form.h"
#include "ui/run_beside_events.h"
#include "ui/solution_window.h"
#include "ui/transport_pages.h"

namespace {

const QString kProgramCaption = QStringLiteral("QTB");
const QString kErrorCaption = QStringLiteral("сообщение об ошибке");

transport::PlanTables plan_tables_of(const SimplexIteration& options) {
    using transport::PlanTables;
    if (options.no_table) return PlanTables::none;
    if (options.only_data_table && options.only_optimal_table) return PlanTables::first_and_optimal;
    if (options.only_optimal_table) return PlanTables::optimal;
    if (options.only_data_table) return PlanTables::first;
    return PlanTables::all;
}

}  // namespace

void TForm1::solve_transport(const SimplexIteration& options) {
    SimplexIteration run = options;
    place_report_beside_problem(run);
    if (confirm_report_target(run)) run_transport_problem(run);
}

// The radio buttons and number fields show a problem file's options: a transport file's go the same way.
void TForm1::take_transport_options(const LoadedProblem& loaded) {
    const transport::TransportPrint& print = loaded.transport->print;
    record_ = SimplexIteration();
    if (!loaded.transport->name.empty()) record_.name = loaded.transport->name;
    if (!print.file.empty()) record_.file = print.file;
    record_.no_table = print.tables == transport::PlanTables::none;
    record_.only_data_table =
        print.tables == transport::PlanTables::first || print.tables == transport::PlanTables::first_and_optimal;
    record_.only_optimal_table =
        print.tables == transport::PlanTables::optimal || print.tables == transport::PlanTables::first_and_optimal;
    record_.print_from = print.print_from;
    record_.print_to = print.print_to;
    record_.width = print.width;
    record_.precision = print.precision;
}

void TForm1::show_transport_faults(const std::exception& failure) {
    QStringList lines{QStringLiteral("Есть ошибки при вводе!!!")};
    if (const auto* faults = dynamic_cast<const transport::TransportFileError*>(&failure)) {
        for (const transport::FileFault& fault : faults->faults()) {
            const QString text = QString::fromStdString(fault.text);
            lines << (fault.line == 0 ? text : QStringLiteral("Строка %1: %2").arg(fault.line).arg(text));
        }
    } else {
        lines << QString::fromUtf8(failure.what());
    }
    messages_.show(lines.join('\n'), kProgramCaption);
}

void TForm1::run_transport_problem(const SimplexIteration& run) {
    transport::TransportProblem problem = *loaded_->transport;
    transport::TransportPrint& print = problem.print;
    print.tables = plan_tables_of(run);
    print.print_from = run.print_from;
    print.print_to = run.print_to;
    print.width = run.width;
    print.precision = run.precision;
    print.file = run.file.value_or(std::string());
    transport::TransportRunRequest request;
    request.arithmetic = run_settings().arithmetic;
    request.encoding = run_settings().encoding;
    request.keep_every_plan = true;  // the window steps through every plan

    std::optional<transport::TransportRun> done;
    std::exception_ptr failure;
    // The method has no stop of its own: the stop command waits for the run, which the iteration limit bounds.
    std::atomic<bool> stop{false};
    set_progress(QStringLiteral("Итерация:"), QStringLiteral("0"));
    {
        set_running(&stop);
        struct EndOfRun {
            TForm1* window;
            ~EndOfRun() { window->set_running(nullptr); }
        } end_of_run{this};
        run_beside_events(
            [&] {
                try {
                    done.emplace(transport::run_transport(problem, request));
                } catch (...) {
                    failure = std::current_exception();
                }
            },
            [] {}, std::chrono::milliseconds(50), [] {});
    }
    ProgressBar1->hide();
    if (!done) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& error) {
            messages_.show(QString::fromUtf8(error.what()), kErrorCaption);
        }
        return;
    }

    auto pages = std::make_shared<const TransportPages>(transport_pages(done->outcome, print.precision));
    const std::int32_t iterations = std::visit([](const auto& outcome) { return outcome.iterations; }, done->outcome);
    set_progress(QStringLiteral("Итерация:"), QString::number(iterations));
    last_transport_ = pages;
    last_run_.reset();
    last_outcome_.reset();
    last_run_input_ = loaded_problem_file_;
    ShowSolution();

    std::filesystem::path report;
    if (print.tables != transport::PlanTables::none && !print.file.empty() && !done->report_failure) {
        std::error_code error;
        report = std::filesystem::absolute(report_path(print.file), error).lexically_normal();
    }
    keep_report(report);
    ReportPath1->setText(report.empty() ? QStringLiteral("Отчёт не записан: таблицы итераций не выводятся.")
                                        : QStringLiteral("Отчёт: ") + QFile::decodeName(report.c_str()));
    if (close_after_run_) {
        close_after_run_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    QWidget* in_front = SolutionWindow1.data();
    if (done->report_failure) messages_.tell(QString::fromStdString(*done->report_failure), kErrorCaption, in_front);
    if (pages->optimal) {
        messages_.tell(QStringLiteral("Решение получено!"), kProgramCaption, in_front);
    } else if (!pages->closing.empty()) {
        messages_.tell(QString::fromStdString(pages->closing.back()), kProgramCaption, in_front);
    }
}
