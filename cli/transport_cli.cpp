#include "cli/transport_cli.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "cli/problem_setup.h"
#include "cli/result_printer.h"
#include "problem/canonical_form.h"
#include "problem/cp1251.h"
#include "problem/glpk_model_reader.h"
#include "problem/model_loading.h"
#include "problem/terminal_text.h"
#include "problem/transport_file.h"
#include "problem/transport_model.h"
#include "solver/report/markup_escapes.h"
#include "solver/report/output_guard.h"
#include "solver/report/report_target.h"
#include "solver/session/load_request.h"
#include "solver/session/loaded_problem.h"
#include "solver/transport/transport_document.h"
#include "solver/transport/transport_report.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using transport::TransportProblem;

// The exit statuses of the other runs (cli/main.cpp).
enum TransportStatus : int {
    kSolved = 0,
    kFileErrors = 1,
    kRunFailed = 2,
    kNoOptimum = 3,
    kNotTransport = 4,
    kOtherFailure = 70
};

void print_failure(const Options& options, std::string_view stage, const std::vector<std::string>& messages,
                   const std::vector<unsigned>& lines) {
    if (!options.json) {
        std::cout << (stage == "read" ? "Файл задачи не прочитан:\n" : "Решение не начато:\n");
        for (const std::string& message : messages) std::cout << "  " << terminal_text(message) << '\n';
        return;
    }
    std::cout << R"({"ok": false, "stage": ")" << stage << R"(", "codes": [], "messages": [)";
    for (std::size_t k = 0; k < messages.size(); ++k) std::cout << (k == 0 ? "" : ", ") << json_string(messages[k]);
    std::cout << ']';
    if (!lines.empty()) {
        std::cout << R"(, "lines": [)";
        for (std::size_t k = 0; k < lines.size(); ++k) {
            std::cout << (k == 0 ? "" : ", ");
            if (lines[k] != 0) {
                std::cout << lines[k];
            } else {
                std::cout << "null";
            }
        }
        std::cout << ']';
    }
    if (stage == "method") std::cout << R"(, "method": "potentials")";
    std::cout << "}\n";
}

std::optional<TransportProblem> read_file(const Options& options) {
    try {
        return transport::read_transport_file(options.problem_file);
    } catch (const transport::TransportFileError& error) {
        std::vector<std::string> messages;
        std::vector<unsigned> lines;
        for (const transport::FileFault& fault : error.faults()) {
            messages.push_back(fault.line != 0
                                   ? options.problem_file + ":" + std::to_string(fault.line) + ": " + fault.text
                                   : options.problem_file + ": " + fault.text);
            lines.push_back(fault.line);
        }
        print_failure(options, "read", messages, lines);
    }
    return std::nullopt;
}

std::optional<TransportProblem> read_model(const Options& options, int& status) {
    LoadRequest request{options.problem_file, options.data_file, options.format, {}, nullptr};
    if (options.model_time_limit) request.limits.time_seconds = *options.model_time_limit;
    if (options.model_memory_limit) request.limits.memory_mib = *options.model_memory_limit;
    status = kFileErrors;
    LoadedProblem loaded;
    try {
        loaded = load_problem(request);
    } catch (const ModelReadError& failure) {
        print_failure(options, "read", {failure.what()}, {});
        return std::nullopt;
    } catch (const CanonicalFormError& failure) {
        print_failure(options, "read", {failure.what()}, {});
        return std::nullopt;
    }
    if (!loaded.model || !loaded.model->source) {
        print_failure(options, "method", {"метод потенциалов решает модели и файлы .qtt, не файлы задач .qtb"}, {});
        status = kNotTransport;
        return std::nullopt;
    }
    auto taken = transport::transport_of_model(*loaded.model->source);
    if (const auto* refusal = std::get_if<transport::NotTransport>(&taken)) {
        print_failure(options, "method", {refusal->reason}, {});
        status = kNotTransport;
        return std::nullopt;
    }
    TransportProblem problem = std::move(std::get<transport::ModelTransport>(taken).problem);
    problem.print.file = loaded.record.file.value_or("");
    return problem;
}

// The command line's settings over the file's.
void apply(TransportProblem& problem, const Options& options) {
    transport::TransportPrint& print = problem.print;
    if (options.report) print.file = *options.report;
    if (options.output && *options.output != ReportForm::text && !print.file.empty() && !options.report) {
        print.file = with_extension(print.file, *options.output == ReportForm::latex ? ".tex" : ".html");
    }
    if (options.tables) {
        switch (*options.tables) {
            case TablesMode::all:
                print.tables = transport::PlanTables::all;
                break;
            case TablesMode::data:
                print.tables = transport::PlanTables::first;
                break;
            case TablesMode::optimal:
                print.tables = transport::PlanTables::optimal;
                break;
            case TablesMode::data_and_optimal:
                print.tables = transport::PlanTables::first_and_optimal;
                break;
            case TablesMode::none:
                print.tables = transport::PlanTables::none;
                break;
        }
    }
    if (options.print) {
        print.print_from = options.print->from;
        print.print_to = options.print->to;
    }
    if (options.accuracy) {
        print.width = options.accuracy->width;
        print.precision = options.accuracy->digits;
    }
    if (options.stop) print.stop = *options.stop;
    if (options.start) print.start = *options.start;
}

// Why the report may not be written where the problem names it; nothing when it may.
std::optional<std::string> refused_report(const TransportProblem& problem, const Options& options, bool from_model) {
    if (problem.print.tables == transport::PlanTables::none) return std::nullopt;
    if (problem.print.file.empty()) return "у задачи нет имени файла отчёта; укажите его параметром --report";
    const fs::path report = report_path(problem.print.file);
    std::error_code error;
    if (!options.report && !from_model && !options.allow_report_path &&
        report_name_leaves_folder(problem.print.file, fs::current_path(error))) {
        return report_path_refusal_text(report) + " (разрешить: --allow-report-path)";
    }
    std::vector<RunInput> inputs{{options.problem_file, from_model ? "файлом модели" : "файлом задачи"}};
    if (options.data_file) inputs.push_back({*options.data_file, "файлом данных"});
    const OutputKind kind = report_kind(options.output.value_or(ReportForm::text));
    const OutputCheck check = check_output({report, kind, options.report.has_value()}, inputs);
    if (check.verdict == OutputVerdict::write) return std::nullopt;
    if (check.verdict == OutputVerdict::foreign_file) {
        if (options.overwrite) return std::nullopt;
        return output_refusal_text(check, "файл отчёта", report) + " (заменить его: --overwrite или --report ФАЙЛ)";
    }
    return output_refusal_text(check, "файл отчёта", report);
}

template <class Number>
int print_answer(const transport::TransportOutcome<Number>& outcome, const TransportProblem& problem) {
    const auto document = transport::transport_document(outcome, problem.print);
    std::cout << document.title << '\n';
    for (const std::string& line : document.blocks.back().after) std::cout << line << '\n';
    std::cout << "Итераций: " << outcome.iterations << '\n';
    if (problem.print.tables != transport::PlanTables::none) {
        std::cout << "Отчёт: " << cp1251::to_utf8(problem.print.file) << '\n';
    }
    switch (outcome.end) {
        case transport::TransportEnd::optimal:
            return kSolved;
        case transport::TransportEnd::infeasible:
            return kRunFailed;
        case transport::TransportEnd::iteration_limit:
        case transport::TransportEnd::cycling:
            break;
    }
    return kNoOptimum;
}

}  // namespace

bool is_transport_run(const Options& options) {
    return options.potentials || (!options.format && transport::is_transport_file(options.problem_file));
}

int run_transport_command(const Options& options) {
    int status = kFileErrors;
    const bool from_model = !transport::is_transport_file(options.problem_file) || options.format.has_value();
    std::optional<TransportProblem> problem = from_model ? read_model(options, status) : read_file(options);
    if (!problem) return status;
    apply(*problem, options);
    if (const auto refusal = refused_report(*problem, options, from_model)) {
        print_failure(options, "solve", {*refusal}, {});
        return kRunFailed;
    }
    transport::TransportRunRequest request;
    request.arithmetic = options.arithmetic.value_or(Arithmetic::double_precision);
    request.form = options.output.value_or(ReportForm::text);
    request.encoding = options.encoding.value_or(TextEncoding::cp1251);
    request.keep_every_plan = options.json;
    transport::TransportRun run;
    try {
        run = transport::run_transport(*problem, request);
    } catch (const std::invalid_argument& error) {
        print_failure(options, "solve", {error.what()}, {});
        return kRunFailed;
    }
    if (run.report_failure) {
        print_failure(options, "solve", {*run.report_failure}, {});
        return kRunFailed;
    }
    if (options.json) {
        print_transport_json(std::cout, run.outcome, *problem);
        return std::visit(
            [](const auto& outcome) {
                return outcome.end == transport::TransportEnd::optimal      ? kSolved
                       : outcome.end == transport::TransportEnd::infeasible ? kRunFailed
                                                                            : kNoOptimum;
            },
            run.outcome);
    }
    return std::visit([&problem](const auto& outcome) { return print_answer(outcome, *problem); }, run.outcome);
}

}  // namespace cli
