#include "solver/report/table_source.h"

#include <algorithm>

TableSnapshot snapshot_of_record(const SimplexIteration& run) {
    TableSnapshot snapshot;
    snapshot_of_record_into(run, snapshot);
    return snapshot;
}

void snapshot_of_record_into(const SimplexIteration& run, TableSnapshot& snapshot) {
    snapshot.iteration = run.iterations;
    snapshot.precision = run.precision;
    snapshot.m = run.constraint_count();
    snapshot.n = run.variable_count();
    snapshot.names = utf8_variable_names(run);
    snapshot.basis.assign(std::size_t{snapshot.m} + 1, 0);
    for (std::size_t i = 1; i < snapshot.basis.size() && i < run.basis.size(); ++i) snapshot.basis[i] = run.basis[i];
    snapshot.key_column = static_cast<std::uint32_t>(std::max(run.pivot_col, 0));
    snapshot.key_row = static_cast<std::uint32_t>(std::max(run.pivot_row, 0));
    const std::size_t columns = std::size_t{snapshot.n} + 1;
    snapshot.costs.empty_for(columns);
    snapshot.elements.empty_for(snapshot.m * columns);
    snapshot.m_parts.empty_for(columns);
    snapshot.plain_parts.empty_for(columns);
    snapshot.look = run.look;
}

TableClose closing_of(const SimplexIteration& run, bool objective_has_m_part) {
    if (run.pivot_col != 0) return run.pivot_row != 0 ? TableClose::next_pivot : TableClose::unbounded;
    if (run.look.phase_end) return TableClose::phase_end;
    return objective_has_m_part || run.look.infeasible ? TableClose::infeasible : TableClose::optimum;
}
