#include "solver/engine/two_phase_run.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "solver/engine/double_tableau.h"
#include "solver/engine/exact_tableau.h"
#include "solver/engine/simplex_engine.h"
#include "solver/engine/two_phase_method.h"

namespace two_phase {

std::vector<bool> artificial_columns(const SimplexIteration& problem) {
    std::vector<bool> artificial(std::size_t{problem.variable_count()} + 1, false);
    for (Index j = 1; j <= problem.variable_count(); ++j) artificial[j] = engine::is_m_cost(problem.table(0, j));
    return artificial;
}

SimplexIteration phase_one_record(const SimplexIteration& problem, const std::vector<bool>& artificial) {
    SimplexIteration record = problem;
    record.aim = 2;
    for (Index j = 1; j <= record.variable_count(); ++j) record.table(0, j) = artificial[j] ? 1.0 : 0.0;
    record.look.phase = 1;
    record.look.single_estimate_row = true;
    return record;
}

SimplexIteration phase_two_record(const SimplexIteration& problem, const SimplexIteration& phase_one,
                                  const PhaseTwoShape& shape) {
    const auto m = static_cast<Index>(shape.rows.size());
    const auto n = static_cast<Index>(shape.columns.size() - 1);  // column 0 is kept
    std::vector<Index> new_column(std::size_t{problem.variable_count()} + 1, 0);
    for (Index k = 0; k <= n; ++k) new_column[shape.columns[k]] = k;

    SimplexIteration record = problem;
    record.table.resize(m + 1, n + 1);
    for (Index k = 1; k <= n; ++k) record.table(0, k) = problem.table(0, shape.columns[k]);
    for (Index i = 1; i <= m; ++i) {
        for (Index k = 0; k <= n; ++k) record.table(i, k) = phase_one.table(shape.rows[i - 1], shape.columns[k]);
    }
    record.estimates.resize(2, n + 1);
    record.basis.assign(std::size_t{m} + 1, 0);
    for (Index i = 1; i <= m; ++i) record.basis[i] = new_column.at(phase_one.basis.at(shape.rows[i - 1]));
    record.base_vars = static_cast<std::int32_t>(n);
    record.iterations = phase_one.iterations;
    record.pivot_col = 0;
    record.pivot_row = 0;
    record.exact_rhs.clear();  // the rows come from phase I's table
    if (!record.twin_columns.empty()) {
        std::vector<std::uint32_t> twins(std::size_t{n} + 1, 0);
        for (Index k = 1; k <= n; ++k) {
            const Index j = shape.columns[k];
            if (j < problem.twin_columns.size() && problem.twin_columns[j] != 0) {
                twins[k] = new_column.at(problem.twin_columns[j]);
            }
        }
        record.twin_columns = std::move(twins);
    }
    // The columns keep the names they had: without names of their own, those the report would give.
    bool renumbered = false;
    for (Index k = 1; k <= n; ++k) renumbered = renumbered || shape.columns[k] != k;
    if (problem.var_names || renumbered) {
        std::vector<std::string> names(std::size_t{n} + 1);
        for (Index k = 1; k <= n; ++k) {
            const Index j = shape.columns[k];
            if (problem.var_names) {
                names[k] = problem.var_names->at(j);
            } else {
                names[k] = "x" + std::to_string(j);
            }
        }
        record.var_names = std::move(names);
    }
    record.compute_col_widths();
    record.look = TableLook{};
    record.look.phase = 2;
    record.look.single_estimate_row = true;
    return record;
}

Matrix solution_over_problem(const Matrix& phase_two_solution, const PhaseTwoShape& shape, Index problem_columns) {
    Matrix solution(problem_columns + 1, 1);
    for (std::size_t k = 0; k < shape.columns.size() && k < phase_two_solution.rows; ++k) {
        solution(shape.columns[k], 0) = phase_two_solution(static_cast<Index>(k), 0);
    }
    return solution;
}

}  // namespace two_phase

namespace {

std::unique_ptr<DoubleTableau> double_phase_two(SimplexIteration& record, const DoubleTableau&,
                                                const two_phase::PhaseTwoShape&) {
    return std::make_unique<DoubleTableau>(record);  // phase_two_record() copied the doubles of the rows
}

std::unique_ptr<ExactTableau> exact_phase_two(SimplexIteration& record, const ExactTableau& phase_one,
                                              const two_phase::PhaseTwoShape& shape) {
    std::vector<mpq_class> rows;
    rows.reserve((shape.rows.size()) * shape.columns.size());
    for (std::uint32_t i = 1; i <= shape.rows.size(); ++i) {
        for (std::uint32_t k = 0; k < shape.columns.size(); ++k) {
            rows.push_back(phase_one.element_value(shape.rows[i - 1], shape.columns[k]));
            record.table(i, k) = rows.back().get_d();  // the record's numbers, for whoever reads it
        }
    }
    return std::make_unique<ExactTableau>(record, rows);
}

template <class Numbers>
SolveOutcome run_in(const SimplexIteration& problem, const RunSettings& settings, const ReportFrame& frame,
                    const RunObserver& observer, ReportSink* report,
                    typename two_phase::PhaseTwoNumbers<Numbers> phase_two) {
    two_phase::Method<Numbers> method(problem, std::move(phase_two));
    return method.run(frame, settings, observer, report);
}

}  // namespace

SolveOutcome run_two_phase(const SimplexIteration& run, const RunSettings& settings, const ReportFrame& frame,
                           const RunObserver& observer, ReportSink* report) {
    if (settings.arithmetic == Arithmetic::exact) {
        return run_in<ExactTableau>(run, settings, frame, observer, report, exact_phase_two);
    }
    return run_in<DoubleTableau>(run, settings, frame, observer, report, double_phase_two);
}
