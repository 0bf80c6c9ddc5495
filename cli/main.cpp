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
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/check_command.h"
#include "cli/command_line.h"
#include "cli/output_checks.h"
#include "cli/plot_output.h"
#include "cli/problem_setup.h"
#include "cli/progress_line.h"
#include "cli/result_printer.h"
#include "cli/transport_cli.h"
#include "cli/variants_command.h"
#include "problem/cp1251.h"
#include "problem/dual_model.h"
#include "problem/fault_texts.h"
#include "problem/glpk_model_reader.h"
#include "problem/lp_file_writer.h"
#include "problem/model_error_place.h"
#include "problem/model_loading.h"
#include "problem/problem_file_writer.h"
#include "problem/status_texts.h"
#include "problem/terminal_text.h"
#include "solver/analysis/dual_solution.h"
#include "solver/engine/dual_simplex_run.h"
#include "solver/engine/integer_run.h"
#include "solver/engine/run_observer.h"
#include "solver/report/report_size_estimate.h"
#include "solver/report/report_target.h"
#include "solver/session/load_request.h"
#include "solver/session/loaded_problem.h"
#include "solver/session/session_run.h"

namespace {

enum ExitStatus : int {
    kSolved = 0,
    kProblemFileErrors = 1,
    kRunFailed = 2,
    kNoOptimum = 3,           // the iteration limit or a repeated basis ended the run before an optimum
    kMethodDoesNotApply = 4,  // the method asked for does not apply: the dual simplex method to a problem whose
                              // slack basis is not dual feasible, an integer method to the problem's integer columns
    // 5 and 6: a check of a student's tables (cli/check_command.h)
    kNodeLimit = 7,  // the node limit ended a branch and bound: the best solution found, or none
    kCutLimit = 8,   // Gomory's method added as many cuts as allowed without reaching an integer optimum
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

// The model as it was read, which the dual is taken of.
const LpModel& source_model(const LoadedProblem& loaded) {
    if (!loaded.model || !loaded.model->source) throw std::logic_error("модель загружена без её исходного вида");
    return *loaded.model->source;
}

// Writes the model's dual as a CPLEX LP file instead of solving.
int write_dual_file(const LoadedProblem& loaded, const cli::Options& options) {
    const auto failed = [&options](const std::string& message) {
        std::cerr << "qtb-solve: " << message << '\n';
        if (options.json) cli::print_json_failure(std::cout, "failure", message);
        return kOtherFailure;
    };
    std::string text;
    try {
        text = lp_file_text(dual_model(source_model(loaded)),
                            {"Двойственная задача модели " + options.problem_file, "Записана: qtb-solve --write-dual"});
    } catch (const LpFileError& error) {
        return failed(std::string("двойственная задача не записана: ") + error.what());
    }
    std::ofstream out(*options.write_dual, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) return failed("не удалось записать файл " + *options.write_dual);
    if (options.json) cli::print_json_written(std::cout, *options.write_dual);
    return kSolved;
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
SessionRun run_watched(const LoadedProblem& loaded, SimplexIteration run, const SessionSettings& settings) {
    if (isatty(STDERR_FILENO) == 0) return run_session(loaded, std::move(run), settings);
    cli::ProgressLine line(std::cerr);
    RunObserver observer;
    observer.progress = [&line](std::int32_t pivots, std::int32_t limit) { line.update(pivots, limit); };
    SessionRun done = run_session(loaded, std::move(run), settings, observer);
    line.clear();
    return done;
}

// Applies the command line to a loaded problem and solves it, unless it is only to be written out.
int finish(LoadedProblem& loaded, const cli::Options& options, cli::ResultPrinter& printer) {
    SimplexIteration& problem = loaded.record;
    cli::apply_options(problem, options);
    if (options.stop) problem.stop = *options.stop;
    // Nothing is written before every output is known to be allowed where it goes.
    bool report_refused = false;
    if (const auto refusal = cli::refused_output(problem, options, loaded.from_model(), report_refused)) {
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
    if (options.write_dual) return write_dual_file(loaded, options);
    std::optional<DualProblem> dual;
    if (options.dual) {
        dual = dual_problem(source_model(loaded));
        printer.dual_problem(source_model(loaded), *dual);
    }
    SessionSettings settings;
    settings.run.arithmetic = options.arithmetic.value_or(Arithmetic::double_precision);
    settings.run.rule = options.rule.value_or(PivotRule::dantzig);
    settings.run.method = options.method.value_or(SolveMethod::big_m);
    settings.run.form = options.output.value_or(ReportForm::text);
    settings.run.encoding = options.encoding.value_or(TextEncoding::cp1251);
    settings.run.time_limit_seconds = options.time_limit;
    settings.run.explain = options.explain;
    settings.sensitivity = options.sensitivity;
    settings.text_notes = options.report_notes;
    settings.picture = options.plot.has_value();
    if (settings.run.method == SolveMethod::dual_simplex) {
        if (const auto refusal = dual_simplex_refusal(problem, settings.run.arithmetic)) {
            printer.method_refused(*refusal, method_word(settings.run.method));
            return kMethodDoesNotApply;
        }
    }
    settings.run.integer = options.integer.value_or(IntegerMethod::branch);
    settings.run.node_limit = options.nodes.value_or(kDefaultNodeLimit);
    settings.run.cut_limit = options.cuts.value_or(kDefaultCutLimit);
    if (keeps_integer_conditions(problem, settings.run)) {
        std::optional<std::string> refusal = integer_method_refusal(problem, settings.run);
        if (loaded.model && !loaded.model->integer_fault.empty()) refusal = loaded.model->integer_fault;
        if (refusal) {
            printer.method_refused(*refusal, integer_method_word(settings.run.integer));
            return kMethodDoesNotApply;
        }
    }
    settings.run.keep_final_table = options.dual;  // the dual solution is read off it
    if (const double bytes = estimated_report_bytes(problem, settings.run.encoding);
        bytes > kLargeReportBytes && !options.allow_large_report) {
        printer.run_refused(large_report_text(bytes));
        return kRunFailed;
    }
    const SessionRun done = run_watched(loaded, std::move(problem), settings);
    const SolveOutcome& outcome = done.outcome;
    // The picture tells the run's story whatever its end; a picture not written fails only a run that succeeded.
    const bool plotted = !options.plot || cli::write_plot(*options.plot, done.picture);
    if (dual) {
        std::optional<DualSolution> solution;
        if (outcome.status.empty() && outcome.end == RunEnd::optimal && outcome.final_table) {
            solution = dual_solution(*dual, *loaded.model, done.record, outcome, *outcome.final_table);
        }
        printer.dual_solution(solution);
    }
    if (!outcome.status.empty()) {
        printer.run_failed(done.record, outcome);
        return kRunFailed;
    }
    if (loaded.model) {
        printer.model_solved(*loaded.model, done.record, outcome, done.sensitivity);
    } else {
        printer.solved(done.record, outcome, done.sensitivity);
    }
    if (outcome.node_limit_reached) return kNodeLimit;
    if (outcome.cut_limit_reached) return kCutLimit;
    if (outcome.end != RunEnd::optimal) return kNoOptimum;
    return plotted ? kSolved : kOtherFailure;
}

// Where a model's read error lies: the file and line its message names, else the model file.
ModelErrorPlace place_of(std::string_view message, const cli::Options& options) {
    return model_error_place(message, options.problem_file, options.data_file)
        .value_or(ModelErrorPlace{options.problem_file, 0});
}

// Loads the model of the command line, or tells why it cannot be taken (the exit status in `failed`).
std::optional<LoadedProblem> take_model(const LoadRequest& request, const cli::Options& options,
                                        cli::ResultPrinter& printer, int& failed) {
    try {
        LoadedProblem loaded = load_problem(request);
        if (loaded.needs_report_name() && !options.report && !options.write_qtb && !options.write_dual) {
            const std::string message =
                std::string(kModelReportNameOutsideCp1251) + "; укажите его параметром --report";
            printer.model_read_failed(message, place_of(message, options));
            failed = kProblemFileErrors;
            return std::nullopt;
        }
        if (!loaded.model->model_output.empty()) printer.model_output(loaded.model->model_output);
        return loaded;
    } catch (const ModelReadError& failure) {
        if (!failure.model_output().empty()) printer.model_output(failure.model_output());
        printer.model_read_failed(failure.what(), place_of(failure.what(), options));
        failed = kProblemFileErrors;
    } catch (const CanonicalFormError& failure) {
        printer.model_read_failed(failure.what(), place_of(failure.what(), options));
        failed = kProblemFileErrors;
    } catch (const SimplexIteration::bad_simplex& failure) {
        printer.solve_failed(failure);  // a row without coefficients that cannot hold
        failed = kRunFailed;
    }
    return std::nullopt;
}

// Loads the problem file of the command line, its warnings told, or tells its errors.
std::optional<LoadedProblem> take_problem_file(const LoadRequest& request, cli::ResultPrinter& printer) {
    std::optional<LoadedProblem> loaded;
    try {
        loaded = load_problem(request);
    } catch (const SimplexIteration::bad_simplex& failure) {
        printer.read_failed(failure);
        return std::nullopt;
    }
    if (const auto& hints = loaded->record.reading_hints; !hints.empty()) {
        for (const auto& hint : hints)
            std::cerr << "qtb-solve: предупреждение: " << terminal_text(hint_text(hint)) << '\n';
        printer.reading_warnings(hints);
    }
    return loaded;
}

int run(const cli::Options& options) {
    if (options.variants.count) return cli::write_variants(options);
    if (cli::is_transport_run(options)) return cli::run_transport_command(options);  // a table of its own
    if (options.check_dir) return cli::check_folder(options);
    const auto printer = options.json ? cli::make_json_printer(std::cout, options.sensitivity)
                                      : cli::make_text_printer(std::cout, options.sensitivity);
    LoadRequest request{options.problem_file, options.data_file, options.format, {}, nullptr};
    if (options.model_time_limit) request.limits.time_seconds = *options.model_time_limit;
    if (options.model_memory_limit) request.limits.memory_mib = *options.model_memory_limit;
    int failed = kProblemFileErrors;
    std::optional<LoadedProblem> loaded = format_of(request) == ModelFormat::problem_file
                                              ? take_problem_file(request, *printer)
                                              : take_model(request, options, *printer, failed);
    if (!loaded) return failed;
    if (options.check) return cli::check_written_tables(*loaded, options);
    return finish(*loaded, options, *printer);
}

int run_arguments(const std::vector<std::string_view>& args) {
    cli::CommandLine command_line = cli::parse_command_line(args);
    if (auto* options = std::get_if<cli::Options>(&command_line)) {
        if (auto refusal = cli::apply_encoding_variable(*options, std::getenv(cli::kEncodingVariable.data()))) {
            command_line = cli::UsageError{std::move(*refusal)};
        } else if (auto dual = cli::refused_dual(*options)) {
            command_line = cli::UsageError{std::move(*dual)};
        } else if (auto variants = cli::refused_variants(*options)) {
            command_line = cli::UsageError{std::move(*variants)};
        }
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
