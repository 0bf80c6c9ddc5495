// qtb-solve: solves a problem file or a model from the command line (see --help).

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <locale>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/command_line.h"
#include "cli/model_setup.h"
#include "cli/output_checks.h"
#include "cli/plot_output.h"
#include "cli/problem_setup.h"
#include "cli/progress_line.h"
#include "cli/result_printer.h"
#include "problem/cp1251.h"
#include "problem/fault_texts.h"
#include "problem/glpk_model_reader.h"
#include "problem/model_error_place.h"
#include "problem/problem_file_writer.h"
#include "problem/status_texts.h"
#include "problem/terminal_text.h"
#include "solver/analysis/exact_model_answer.h"
#include "solver/analysis/sensitivity.h"
#include "solver/analysis/sensitivity_query.h"
#include "solver/engine/run_observer.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_size_estimate.h"
#include "solver/report/report_target.h"
#include "solver/report/sensitivity_tables.h"
#include "solver/session/run_with_report.h"

namespace {

enum ExitStatus : int {
    kSolved = 0,
    kProblemFileErrors = 1,
    kRunFailed = 2,
    kNoOptimum = 3,  // the iteration limit or a repeated basis ended the run before an optimum
    kBadUsage = 64,
    kOtherFailure = 70
};

// Writes the problem as a problem file; its report is named after that file unless --report names one.
int write_problem_file(SimplexIteration problem, const cli::Options& options) {
    if (!options.report) {
        const std::filesystem::path target(*options.write_qtb);
        problem.file = cp1251::from_utf8(target.stem().string() + ".txt").value_or("report.txt");
    }
    std::ofstream out(*options.write_qtb, std::ios::binary | std::ios::trunc);
    out << problem_file_bytes(problem);
    out.close();
    if (!out) {
        const std::string message = "не удалось записать файл задачи " + *options.write_qtb;
        std::cerr << "qtb-solve: " << message << '\n';
        if (options.json) cli::print_json_failure(std::cout, "failure", message);
        return kOtherFailure;
    }
    if (options.json) cli::print_json_written(std::cout, *options.write_qtb);
    return kSolved;
}

// The record the run works on. A dense table is over a megabyte, so it is handed over rather
// than copied unless something reads it after the run (the sensitivity analysis and the
// picture do; the printers read only the names and the settings).
SimplexIteration record_for_run(SimplexIteration& problem, const cli::Options& options) {
    if (options.sensitivity || options.plot) return problem;
    Matrix table = std::move(problem.table);
    SimplexIteration run = problem;
    run.table = std::move(table);
    return run;
}

// A report the estimate puts past 1 GB (a slip in --stop or the width) is refused unless allowed.
std::string large_report_text(double bytes) {
    char size[32];
    std::snprintf(size, sizeof size, "%.1f", bytes / kLargeReportBytes);
    return std::string("отчёт может занять около ") + size +
           " ГБ (оценка по выбранным таблицам до предела итераций), "
           "больше 1 ГБ; уменьшите --stop, выберите таблицы (--tables, --print) или разрешите такой отчёт "
           "параметром --allow-large-report";
}

// The run, its progress on standard error when that is a terminal (and nothing else).
SolveOutcome run_watched(SimplexIteration run, const RunSettings& settings, const ReportFrame& frame) {
    if (isatty(STDERR_FILENO) == 0) return run_simplex(std::move(run), settings, frame);
    cli::ProgressLine line(std::cerr);
    RunObserver observer;
    observer.progress = [&line](std::int32_t pivots, std::int32_t limit) { line.update(pivots, limit); };
    SolveOutcome outcome = run_simplex(std::move(run), settings, frame, observer);
    line.clear();
    return outcome;
}

// With --sensitivity, the analysis at the end of a report (in a text report after all else).
template <typename Query>
std::function<std::vector<DocumentSection>(const SolveOutcome&)> sensitivity_sections_of(const cli::Options& options,
                                                                                         Query query) {
    if (!options.sensitivity) return {};
    return [query](const SolveOutcome& outcome) {
        if (!outcome.final_table) return std::vector<DocumentSection>{};
        return sensitivity_sections(sensitivity_report(*outcome.final_table, query()));
    };
}

// Applies the command line to a loaded problem and solves it, unless it is only to be written out.
template <typename PrintSolved>
int finish(SimplexIteration& problem, const cli::Options& options, cli::ResultPrinter& printer,
           const ReportFrame& frame, const std::optional<PlaneSource>& plot, bool from_model,
           PrintSolved print_solved) {
    cli::apply_options(problem, options);
    if (options.stop) problem.stop = *options.stop;
    // Nothing is written before every output is known to be allowed where it goes.
    bool report_refused = false;
    if (const auto refusal = cli::refused_output(problem, options, from_model, report_refused)) {
        std::cerr << "qtb-solve: " << *refusal << '\n';
        if (report_refused) {
            SimplexIteration::bad_simplex codes;
            codes.add(kCannotOpenReportFile);
            printer.solve_failed(codes);
        } else if (options.json) {
            printer.run_refused(*refusal);
        }
        return kRunFailed;
    }
    if (options.write_qtb) return write_problem_file(problem, options);
    const RunSettings settings{options.arithmetic.value_or(Arithmetic::double_precision),
                               options.rule.value_or(PivotRule::dantzig),
                               options.sensitivity,
                               options.output.value_or(ReportForm::text),
                               options.encoding.value_or(TextEncoding::cp1251),
                               from_model,
                               options.time_limit};
    if (const double bytes = estimated_report_bytes(problem, settings.encoding);
        bytes > kLargeReportBytes && !options.allow_large_report) {
        printer.run_refused(large_report_text(bytes));
        return kRunFailed;
    }
    const SolveOutcome outcome = run_watched(record_for_run(problem, options), settings, frame);
    // The picture tells the run's story whatever its end; a picture not written fails only a run that succeeded.
    const bool plotted = !options.plot || cli::write_plot(*options.plot, problem, outcome, plot);
    if (!outcome.status.empty()) {
        printer.run_failed(problem, outcome);
        return kRunFailed;
    }
    print_solved(outcome);
    if (outcome.end != RunEnd::optimal) return kNoOptimum;
    return plotted ? kSolved : kOtherFailure;
}

// Where a model's read error lies: the file and line its message names, else the model file.
ModelErrorPlace place_of(std::string_view message, const cli::Options& options) {
    return model_error_place(message, options.problem_file, options.data_file)
        .value_or(ModelErrorPlace{options.problem_file, 0});
}

int run_model(const cli::Options& options, ModelFormat format, cli::ResultPrinter& printer) {
    CanonicalForm model;
    try {
        model = cli::load_model(options, format);
    } catch (const ModelReadError& failure) {
        if (!failure.model_output().empty()) printer.model_output(failure.model_output());
        printer.model_read_failed(failure.what(), place_of(failure.what(), options));
        return kProblemFileErrors;
    } catch (const CanonicalFormError& failure) {
        printer.model_read_failed(failure.what(), place_of(failure.what(), options));
        return kProblemFileErrors;
    } catch (const SimplexIteration::bad_simplex& failure) {
        printer.solve_failed(failure);  // a row without coefficients that cannot hold
        return kRunFailed;
    }
    if (!model.model_output.empty()) printer.model_output(model.model_output);
    SimplexIteration& problem = model.record;
    const ReportFrame frame{
        model.construction, [&model](const SolveOutcome& outcome) { return model_answer_lines(model, outcome); },
        sensitivity_sections_of(options, [&model] { return model_query(model); }), options.report_notes};
    std::optional<PlaneSource> plot;
    if (options.plot) {
        if (auto plane = plane_problem_of_model(*model.source)) {
            plot = PlaneSource{std::move(*plane), [&model](const Matrix& solution) {
                                   const std::vector<double> values = model.variable_values(solution);
                                   return PlanePoint{values.at(0), values.at(1)};
                               }};
        }
    }
    return finish(problem, options, printer, frame, plot, true,
                  [&](const SolveOutcome& outcome) { printer.model_solved(model, problem, outcome); });
}

int run(const cli::Options& options) {
    const auto printer = options.json ? cli::make_json_printer(std::cout, options.sensitivity)
                                      : cli::make_text_printer(std::cout, options.sensitivity);
    const ModelFormat format = options.format.value_or(model_format_of_path(options.problem_file));
    if (format != ModelFormat::problem_file) return run_model(options, format, *printer);
    SimplexIteration problem;
    try {
        problem = SimplexIteration(options.problem_file);
    } catch (const SimplexIteration::bad_simplex& failure) {
        printer->read_failed(failure);
        return kProblemFileErrors;
    }
    if (!problem.reading_hints.empty()) {
        for (const auto& hint : problem.reading_hints)
            std::cerr << "qtb-solve: предупреждение: " << terminal_text(hint_text(hint)) << '\n';
        printer->reading_warnings(problem.reading_hints);
    }
    const ReportFrame frame{{},
                            {},
                            sensitivity_sections_of(options, [&problem] { return problem_file_query(problem); }),
                            options.report_notes};
    std::optional<PlaneSource> plot;
    if (options.plot) plot = plane_source_of_record(problem);
    return finish(problem, options, *printer, frame, plot, false,
                  [&](const SolveOutcome& outcome) { printer->solved(problem, outcome); });
}

int run_arguments(const std::vector<std::string_view>& args) {
    cli::CommandLine command_line = cli::parse_command_line(args);
    if (auto* options = std::get_if<cli::Options>(&command_line)) {
        if (auto refusal = cli::apply_encoding_variable(*options, std::getenv(cli::kEncodingVariable.data())))
            command_line = cli::UsageError{std::move(*refusal)};
    }
    const bool json = cli::asks_for_json(args);
    if (const auto* usage = std::get_if<cli::UsageError>(&command_line)) {
        std::cerr << "qtb-solve: " << usage->message << "\nСправка: qtb-solve --help\n";
        if (json) cli::print_json_failure(std::cout, "usage", usage->message);
        return kBadUsage;
    }
    if (std::holds_alternative<cli::HelpRequest>(command_line)) {
        std::cout << cli::help_text() << std::flush;
        return std::cout ? kSolved : kOtherFailure;
    }
    if (std::holds_alternative<cli::VersionRequest>(command_line)) {
        std::cout << cli::version_text() << std::flush;
        return std::cout ? kSolved : kOtherFailure;
    }
    // Another failure: told on standard error, and as the one JSON object when asked for.
    const auto failed = [json](const std::string& message) {
        std::cerr << "qtb-solve: " << message << '\n';
        if (json) cli::print_json_failure(std::cout, "failure", message);
        return kOtherFailure;
    };
    try {
        const int status = run(std::get<cli::Options>(command_line));
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "qtb-solve: не удалось записать результат в стандартный вывод\n";
            return kOtherFailure;
        }
        return status;
    } catch (const Matrix::bad_matrix& error) {
        return failed(matrix_error_message(error.code));
    } catch (const std::exception& error) {
        return failed(terminal_text(error.what()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        std::cout.imbue(std::locale::classic());
        return run_arguments(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc));
    } catch (...) {
        return kOtherFailure;  // not even the failure could be told
    }
}
