#include "cli/problem_setup.h"

#include <filesystem>
#include <system_error>

#include "problem/cp1251.h"

namespace cli {

void apply_options(SimplexIteration& problem, const Options& options) {
    if (options.tables) {
        const TablesMode mode = *options.tables;
        problem.no_table = mode == TablesMode::none;
        problem.only_data_table = mode == TablesMode::data || mode == TablesMode::data_and_optimal;
        problem.only_optimal_table = mode == TablesMode::optimal || mode == TablesMode::data_and_optimal;
        problem.print_from = 0;
        problem.print_to = 0;
    }
    if (options.print) {
        problem.no_table = false;
        problem.only_data_table = false;
        problem.only_optimal_table = false;
        problem.print_from = options.print->from;
        problem.print_to = options.print->to;
    }
    if (options.accuracy) {
        problem.width = options.accuracy->width;
        problem.precision = options.accuracy->digits;
        problem.compute_col_widths();
    }
    if (options.report) problem.file = *options.report;
}

bool report_overwrites_problem(const SimplexIteration& problem, const std::string& problem_file) {
    if (problem.no_table || !problem.file) return false;  // no report is written
    namespace fs = std::filesystem;
    const fs::path report(cp1251::to_utf8(*problem.file));
    std::error_code error;
    if (fs::equivalent(problem_file, report, error)) return true;
    // Not both there: compare what the names lead to.
    std::error_code first_error;
    std::error_code second_error;
    const fs::path a = fs::weakly_canonical(problem_file, first_error);
    const fs::path b = fs::weakly_canonical(report, second_error);
    return !first_error && !second_error && a == b;
}

}  // namespace cli
