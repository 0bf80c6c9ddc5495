#include "cli/problem_setup.h"

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
    if (options.report) {
        problem.file = *options.report;
    } else if (problem.file && options.output && *options.output != ReportForm::text) {
        problem.file = with_extension(*problem.file, *options.output == ReportForm::latex ? ".tex" : ".html");
    }
}

std::string with_extension(const std::string& name, std::string_view extension) {
    const auto folder_end = name.find_last_of("/\\");
    const auto dot = name.rfind('.');
    const bool has_extension =
        dot != std::string::npos && dot != 0 && (folder_end == std::string::npos || dot > folder_end + 1);
    return (has_extension ? name.substr(0, dot) : name) + std::string(extension);
}

}  // namespace cli
