// One run of the simplex method: the iteration loop, the choice of the printed
// tables, the end-of-run check and the solution vector.

#include <algorithm>
#include <cstdint>
#include <utility>

#include "problem/status_texts.h"
#include "solver/engine_report_file.h"
#include "solver/simplex_engine.h"

namespace {

bool in_print_interval(const SimplexIteration& run, std::int32_t t) {
    return t >= run.print_from && (run.print_to == 0 || t <= run.print_to);
}

// A table inside the loop, printed after both choices and before the pivot.
bool prints_iteration_table(const SimplexIteration& run) {
    if (run.only_data_table) return run.iterations == 0;
    return !run.only_optimal_table && in_print_interval(run, run.iterations);
}

bool prints_final_table(const SimplexIteration& run) {
    return run.only_optimal_table || (!run.only_data_table && in_print_interval(run, run.iterations));
}

std::int32_t iteration_limit(const SimplexIteration& run) {
    if (run.stop > 0) return run.stop;
    return static_cast<std::int32_t>(std::min<std::int64_t>(4 * (std::int64_t{run.constraint_count()} + 1), INT32_MAX));
}

// Element 0 the objective value, element basis[i] the value of row i's basic variable.
Matrix solution_vector(const SimplexIteration& run) {
    Matrix solution(run.variable_count() + 1, 1);
    const long double m_part = run.estimates(0, 0);
    solution(0, 0) = static_cast<double>(m_part * BIG_M + run.estimates(1, 0));
    for (std::uint32_t i = 1; i <= run.constraint_count(); ++i) solution(run.basis.at(i), 0) = run.table(i, 0);
    return solution;
}

}  // namespace

SolveOutcome solve_with_outcome(SimplexIteration run) {
    SimplexIteration::bad_simplex status;
    ReportFile report;
    if (!run.no_table && !(run.file && report.open(*run.file))) {
        status.add(kCannotOpenReportFile);
        throw status;
    }

    const std::int32_t limit = iteration_limit(run);
    bool limit_reached = true;
    // Each pivot leaves the estimates of its table behind (pivot_and_estimate).
    run.compute_estimates();
    while (run.iterations < limit) {
        if (run.choose_pivot_col() == 0) {
            limit_reached = false;
            break;
        }
        if (run.choose_pivot_row() == 0) {
            status.add(kUnbounded);
            limit_reached = false;
            break;
        }
        if (!run.no_table && prints_iteration_table(run)) run.print_table(report.stream());
        pivot_and_estimate(run);
    }
    if (limit_reached) {
        // The choices at hand describe the table before the last pivot; the final
        // table needs those of its result (whose estimates the pivot has made).
        if (run.choose_pivot_col() != 0) run.choose_pivot_row();
    }

    if (run.estimates(0, 0) != 0.0) status.add(kInconsistent);
    if (!run.no_table && prints_final_table(run)) run.print_table(report.stream());
    Matrix solution = solution_vector(run);
    // Last, after the codes of the run: a report cut short (a full disk) is no success.
    if (!run.no_table && !report.close()) status.add(kCannotOpenReportFile);
    if (!status.empty()) throw status;
    return {std::move(solution), run.pivot_col == 0 ? RunEnd::optimal : RunEnd::iteration_limit, run.iterations};
}

Matrix solve(SimplexIteration run) { return solve_with_outcome(std::move(run)).solution; }
