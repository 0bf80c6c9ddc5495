#include "solver/check/table_step.h"

#include "solver/engine/big_m_method.h"
#include "solver/engine/exact_tableau.h"

namespace {

// The problem's record standing at `table`: its basis, nothing pivoted yet, nothing printed.
SimplexIteration record_at(const SimplexIteration& problem, const ExactTable& table) {
    SimplexIteration run = problem;
    run.basis = table.basis;
    run.iterations = 0;
    run.pivot_col = 0;
    run.pivot_row = 0;
    run.no_table = true;
    return run;
}

ExactTable table_of(const SimplexIteration& run, const ExactTableau& t) {
    ExactTable table;
    table.m = run.constraint_count();
    table.n = run.variable_count();
    table.basis = run.basis;
    for (std::uint32_t i = 1; i <= table.m; ++i) {
        for (std::uint32_t j = 0; j <= table.n; ++j) table.elements.push_back(t.element_value(i, j));
    }
    for (std::uint32_t j = 0; j <= table.n; ++j) {
        table.m_parts.push_back(t.m_part_value(j));
        table.plain_parts.push_back(t.plain_part_value(j));
    }
    return table;
}

bool fits(const SimplexIteration& problem, const ExactTable& table) {
    const std::size_t columns = std::size_t{problem.variable_count()} + 1;
    return table.m == problem.constraint_count() && table.n == problem.variable_count() &&
           table.basis.size() == std::size_t{table.m} + 1 && table.elements.size() == table.m * columns &&
           table.m_parts.size() == columns && table.plain_parts.size() == columns;
}

}  // namespace

std::optional<ExactTable> next_table(const SimplexIteration& problem, const ExactTable& table, PivotRule rule) {
    if (!fits(problem, table)) return std::nullopt;
    SimplexIteration run = record_at(problem, table);
    ExactTableau numbers(run, table.elements, table.m_parts, table.plain_parts);
    big_m::Method<ExactTableau> method(run, numbers, rule);
    if (method.choose_pivot_col() == 0 || method.choose_pivot_row() == 0) return std::nullopt;
    numbers.pivot();
    return table_of(run, numbers);
}

std::optional<ExactTable> pivoted(const SimplexIteration& problem, const ExactTable& table, std::uint32_t column,
                                  std::uint32_t row) {
    if (!fits(problem, table) || column == 0 || column > table.n || row == 0 || row > table.m) return std::nullopt;
    if (table.element(row, column) == 0) return std::nullopt;
    SimplexIteration run = record_at(problem, table);
    ExactTableau numbers(run, table.elements, table.m_parts, table.plain_parts);
    run.pivot_col = static_cast<std::int32_t>(column);
    run.pivot_row = static_cast<std::int32_t>(row);
    numbers.pivot();
    return table_of(run, numbers);
}
