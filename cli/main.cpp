// qtb-solve: solves a problem file from the command line (see --help).

#include <exception>
#include <iostream>
#include <locale>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/command_line.h"
#include "cli/problem_setup.h"
#include "cli/result_printer.h"
#include "problem/status_texts.h"
#include "solver/simplex_engine.h"

namespace {

enum ExitStatus : int { kSolved = 0, kProblemFileErrors = 1, kRunFailed = 2, kBadUsage = 64, kOtherFailure = 70 };

int run(const cli::Options& options) {
    const auto printer = options.json ? cli::make_json_printer(std::cout) : cli::make_text_printer(std::cout);
    SimplexIteration problem;
    try {
        problem = SimplexIteration(options.problem_file);
    } catch (const SimplexIteration::bad_simplex& failure) {
        printer->read_failed(failure);
        return kProblemFileErrors;
    }
    cli::apply_options(problem, options);
    try {
        if (cli::report_overwrites_problem(problem, options.problem_file)) {
            std::cerr << "qtb-solve: файл отчёта совпадает с файлом задачи и не будет перезаписан\n";
            SimplexIteration::bad_simplex refusal;
            refusal.add(kCannotOpenReportFile);
            throw refusal;
        }
        const RunSettings settings{options.arithmetic.value_or(Arithmetic::double_precision),
                                   options.rule.value_or(PivotRule::dantzig)};
        const SolveOutcome outcome = run_simplex(problem, settings);
        if (!outcome.status.empty()) {
            printer->run_failed(problem, outcome);
            return kRunFailed;
        }
        printer->solved(problem, outcome);
    } catch (const SimplexIteration::bad_simplex& failure) {
        printer->solve_failed(failure);
        return kRunFailed;
    }
    return kSolved;
}

}  // namespace

int main(int argc, char** argv) {
    std::cout.imbue(std::locale::classic());
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const cli::CommandLine command_line = cli::parse_command_line(args);
    if (const auto* usage = std::get_if<cli::UsageError>(&command_line)) {
        std::cerr << "qtb-solve: " << usage->message << "\nСправка: qtb-solve --help\n";
        return kBadUsage;
    }
    if (std::holds_alternative<cli::HelpRequest>(command_line)) {
        std::cout << cli::help_text() << std::flush;
        return std::cout ? kSolved : kOtherFailure;
    }
    try {
        const int status = run(std::get<cli::Options>(command_line));
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "qtb-solve: не удалось записать результат в стандартный вывод\n";
            return kOtherFailure;
        }
        return status;
    } catch (const Matrix::bad_matrix& error) {
        std::cerr << "qtb-solve: " << matrix_error_message(error.code) << '\n';
    } catch (const std::exception& error) {
        std::cerr << "qtb-solve: " << error.what() << '\n';
    }
    return kOtherFailure;
}
