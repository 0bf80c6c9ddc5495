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
    if (options.report) problem.file = *options.report;
}

}  // namespace cli
