#include "solver/report/report_size_estimate.h"

#include <algorithm>
#include <cstdint>

namespace {

// The engine's limit: the record's stop, else four pivots per row and one more.
std::int64_t iteration_limit(const SimplexIteration& problem) {
    if (problem.stop > 0) return problem.stop;
    return 4 * (std::int64_t{problem.constraint_count()} + 1);
}

// Tables a run can print: those inside the loop at iterations 0..limit-1 and the final one.
double selected_tables(const SimplexIteration& problem) {
    if (problem.no_table) return 0;
    if (problem.only_data_table || problem.only_optimal_table)
        return (problem.only_data_table ? 1 : 0) + (problem.only_optimal_table ? 1 : 0);
    const std::int64_t limit = iteration_limit(problem);
    const std::int64_t first = std::max<std::int64_t>(problem.print_from, 0);
    const std::int64_t last = problem.print_to == 0 ? limit : std::min<std::int64_t>(problem.print_to, limit);
    return static_cast<double>(std::max<std::int64_t>(last - first + 1, 0));
}

// A grid line: per column its bar and a cell of w + 2 characters, or wider where a number
// "0.000" of the precision needs more than w + 1; the closing bar.
double grid_line_bytes(const SimplexIteration& problem) {
    const double number = 2.0 + std::max(problem.precision, 0);
    double bytes = 1;
    for (int k = -2; k <= problem.col_widths.last(); ++k) {
        const double w = problem.col_widths[k];
        bytes += 1 + (k == -1 ? w + 2 : std::max(w + 1, number) + 1);
    }
    return bytes;
}

}  // namespace

double estimated_report_bytes(const SimplexIteration& problem, TextEncoding encoding) {
    const double tables = selected_tables(problem);
    if (tables == 0 || problem.col_widths.empty()) return 0;
    const double line_end = encoding == TextEncoding::cp1251 ? 2 : 1;
    // Rules, title, headings and estimate lines: 8; a row and a rule per constraint but the last.
    const double grid_lines = 2.0 * problem.constraint_count() + 8;
    constexpr double kClosingLine = 48;  // the key column and row, then an empty line
    const double table = grid_lines * (grid_line_bytes(problem) + line_end) + kClosingLine + 2 * line_end;
    return tables * table;
}
