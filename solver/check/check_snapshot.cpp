#include "solver/check/check_snapshot.h"

#include "numerics/exact_number.h"
#include "problem/record_columns.h"

namespace {

void add(SnapshotNumbers& numbers, const mpq_class& x) {
    numbers.values.push_back(x.get_d());
    numbers.texts.push_back(fraction_text(x));
}

}  // namespace

TableSnapshot snapshot_of(const SimplexIteration& problem, const ExactTable& table, std::int32_t iteration) {
    TableSnapshot snapshot;
    snapshot.iteration = iteration;
    snapshot.m = table.m;
    snapshot.n = table.n;
    snapshot.names = utf8_variable_names(problem);
    snapshot.basis = table.basis;
    snapshot.costs.values.push_back(0.0);  // entry 0 unused
    snapshot.costs.texts.emplace_back();
    for (std::uint32_t j = 1; j <= table.n; ++j) {
        const double c = problem.table(0, j);
        if (c == BIG_M || c == -BIG_M) {
            snapshot.costs.values.push_back(c);
            snapshot.costs.texts.emplace_back(c > 0 ? "M" : "-M");
        } else {
            add(snapshot.costs, exact_from_double(c));
        }
    }
    for (const mpq_class& x : table.elements) add(snapshot.elements, x);
    for (const mpq_class& x : table.m_parts) add(snapshot.m_parts, x);
    for (const mpq_class& x : table.plain_parts) add(snapshot.plain_parts, x);
    return snapshot;
}
