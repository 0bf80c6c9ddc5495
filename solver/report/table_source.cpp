#include "solver/report/table_source.h"

#include "problem/cp1251.h"

std::vector<std::string> utf8_variable_names(const SimplexIteration& run) {
    const std::uint32_t n = run.variable_count();
    std::vector<std::string> names(std::size_t{n} + 1);
    for (std::uint32_t j = 1; j <= n; ++j) {
        names[j] =
            run.var_names && j < run.var_names->size() ? cp1251::to_utf8((*run.var_names)[j]) : "x" + std::to_string(j);
    }
    return names;
}

TableSnapshot snapshot_of_record(const SimplexIteration& run) {
    TableSnapshot snapshot;
    snapshot.iteration = run.iterations;
    snapshot.precision = run.precision;
    snapshot.m = run.constraint_count();
    snapshot.n = run.variable_count();
    snapshot.names = utf8_variable_names(run);
    snapshot.basis.resize(std::size_t{snapshot.m} + 1);
    for (std::size_t i = 1; i < snapshot.basis.size() && i < run.basis.size(); ++i) snapshot.basis[i] = run.basis[i];
    snapshot.key_column = static_cast<std::uint32_t>(std::max(run.pivot_col, 0));
    snapshot.key_row = static_cast<std::uint32_t>(std::max(run.pivot_row, 0));
    const std::size_t columns = std::size_t{snapshot.n} + 1;
    snapshot.costs.resize(columns);
    snapshot.elements.resize(snapshot.m * columns);
    snapshot.m_parts.resize(columns);
    snapshot.plain_parts.resize(columns);
    return snapshot;
}

TableClose closing_of(const SimplexIteration& run, bool objective_has_m_part) {
    if (run.pivot_col != 0) return run.pivot_row != 0 ? TableClose::next_pivot : TableClose::unbounded;
    return objective_has_m_part ? TableClose::infeasible : TableClose::optimum;
}
