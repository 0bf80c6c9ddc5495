#include "solver/engine/bound_rows.h"

#include <set>
#include <string>
#include <utility>

namespace {

// A bound row in the problem's columns: entry 0 the right-hand side, then the coefficients.
struct BoundRow {
    std::vector<double> a;
    bool less_equal = true;
};

BoundRow bound_row(const SimplexIteration& problem, const BranchBound& bound) {
    const std::uint32_t n = problem.variable_count();
    BoundRow row{std::vector<double>(std::size_t{n} + 1, 0.0), bound.upper};
    row.a[0] = bound.value;
    row.a[bound.column] = 1.0;
    // A basic column is its row's right-hand side less the row's other columns.
    for (std::uint32_t i = 1; i <= problem.constraint_count(); ++i) {
        if (problem.basis[i] != bound.column) continue;
        for (std::uint32_t j = 0; j <= n; ++j) row.a[j] -= problem.table(i, j);
        row.a[bound.column] = 0.0;
    }
    // As a model's rows: a negative right-hand side, and 0 on a ">=" row, turn the row round.
    if (row.a[0] < 0.0 || (row.a[0] == 0.0 && !row.less_equal)) {
        for (double& x : row.a) x = x == 0.0 ? 0.0 : -x;
        row.less_equal = !row.less_equal;
    }
    return row;
}

}  // namespace

BoundRowsTable with_bound_rows(const SimplexIteration& problem, const std::vector<BranchBound>& bounds) {
    const std::uint32_t m0 = problem.constraint_count();
    const std::uint32_t n0 = problem.variable_count();
    std::vector<BoundRow> rows;
    std::uint32_t artificials = 0;
    for (const BranchBound& bound : bounds) {
        rows.push_back(bound_row(problem, bound));
        if (!rows.back().less_equal) ++artificials;
    }
    const auto k = static_cast<std::uint32_t>(rows.size());
    const std::uint32_t m = m0 + k;
    const std::uint32_t n = n0 + k + artificials;
    const std::uint32_t first_slack =
        problem.base_vars > 0 ? static_cast<std::uint32_t>(problem.base_vars) + 1 : n0 + 1;

    BoundRowsTable node;
    node.column.assign(std::size_t{n0} + 1, 0);
    for (std::uint32_t j = 1; j <= n0; ++j) node.column[j] = j < first_slack ? j : j + k;
    SimplexIteration& record = node.record;
    record = problem;
    record.var_names.reset();           // named below, once the new columns have their places
    if (k == 0) return node;            // the root: the problem as it is
    record.table.resize(m + 1, n + 1);  // zero-filled
    record.estimates.resize(2, n + 1);
    record.basis.assign(std::size_t{m} + 1, 0);
    for (std::uint32_t i = 0; i <= m0; ++i) {
        record.table(i, 0) = problem.table(i, 0);
        for (std::uint32_t j = 1; j <= n0; ++j) record.table(i, node.column[j]) = problem.table(i, j);
        if (i > 0) record.basis[i] = node.column.at(problem.basis[i]);
    }
    const double penalty = problem.aim == 1 ? -BIG_M : BIG_M;
    std::uint32_t next_artificial = n0 + k + 1;
    for (std::uint32_t r = 0; r < k; ++r) {
        const std::uint32_t i = m0 + 1 + r;
        const std::uint32_t slack = first_slack + r;
        record.table(i, 0) = rows[r].a[0];
        for (std::uint32_t j = 1; j <= n0; ++j) record.table(i, node.column[j]) = rows[r].a[j];
        record.table(i, slack) = rows[r].less_equal ? 1.0 : -1.0;
        record.basis[i] = slack;
        if (!rows[r].less_equal) {
            record.table(i, next_artificial) = 1.0;
            record.table(0, next_artificial) = penalty;
            record.basis[i] = next_artificial++;
        }
    }
    if (problem.base_vars > 0) record.base_vars = problem.base_vars + static_cast<std::int32_t>(k);
    const auto remap = [&node](std::vector<std::uint32_t>& columns) {
        for (std::uint32_t& j : columns) j = j == 0 ? 0 : node.column.at(j);
    };
    remap(record.integer_columns);
    if (!problem.twin_columns.empty()) {
        record.twin_columns.assign(std::size_t{n} + 1, 0);
        for (std::uint32_t j = 1; j <= n0; ++j) record.twin_columns[node.column[j]] = problem.twin_columns.at(j);
        remap(record.twin_columns);
    }
    record.compute_col_widths();
    if (!problem.var_names && first_slack == n0 + 1) return node;  // the new columns are numbered after the others
    // The columns keep their names, those the report would give them when the problem has none.
    std::vector<std::string> names(std::size_t{n} + 1);
    std::set<std::string> taken;
    for (std::uint32_t j = 1; j <= n0; ++j) {
        names[node.column[j]] = problem.var_names ? problem.var_names->at(j) : "x" + std::to_string(j);
        taken.insert(names[node.column[j]]);
    }
    const auto unique = [&taken](std::string name) {
        while (!taken.insert(name).second) name += '_';
        return name;
    };
    next_artificial = n0 + k + 1;
    for (std::uint32_t r = 0; r < k; ++r) {
        names[first_slack + r] = unique("s" + std::to_string(m0 + 1 + r));
        if (!rows[r].less_equal) names[next_artificial++] = unique("a" + std::to_string(m0 + 1 + r));
    }
    record.var_names = std::move(names);
    record.compute_col_widths();
    return node;
}
