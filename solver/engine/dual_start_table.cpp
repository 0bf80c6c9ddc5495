#include "solver/engine/dual_start_table.h"

#include <gmpxx.h>

#include <optional>
#include <set>
#include <utility>

#include "numerics/exact_number.h"
#include "problem/record_columns.h"
#include "solver/engine/engine_common.h"

namespace {

using engine::Index;

enum class RowKind { less_equal, greater_equal, equal };

struct RowPlan {
    RowKind kind = RowKind::less_equal;
    Index slack = 0;  // the given record's column basic in the row: its slack or its surplus
};

bool is_artificial(const SimplexIteration& problem, Index j, Index own) {
    return engine::is_m_cost(problem.table(0, j)) || (own != 0 && j > own);
}

// The surplus of row i: an own column of cost 0 that is -1 in row i and 0 in every other row.
std::optional<Index> surplus_column(const SimplexIteration& problem, Index i, Index own) {
    const Index m = problem.constraint_count();
    for (Index j = 1; j <= problem.variable_count(); ++j) {
        if (is_artificial(problem, j, own) || problem.table(0, j) != 0.0 || problem.table(i, j) != -1.0) continue;
        bool alone = true;
        for (Index r = 1; r <= m && alone; ++r) alone = r == i || problem.table(r, j) == 0.0;
        if (alone) return j;
    }
    return std::nullopt;
}

RowPlan plan_of(const SimplexIteration& problem, Index i, Index own) {
    const Index basic = i < problem.basis.size() ? problem.basis[i] : 0;
    if (basic != 0 && basic <= problem.variable_count() && !is_artificial(problem, basic, own)) {
        return {RowKind::less_equal, basic};
    }
    if (const auto surplus = surplus_column(problem, i, own)) return {RowKind::greater_equal, *surplus};
    return {RowKind::equal, 0};
}

// 0 - x: a row multiplied by -1 gets no -0.
double negated(double x) { return 0.0 - x; }

std::string negated_fraction(const std::string& text) {
    const mpq_class q(text);
    return fraction_text(-q);
}

}  // namespace

DualStartTable dual_start_table(const SimplexIteration& problem) {
    const Index m = problem.constraint_count();
    const Index n = problem.variable_count();
    const Index own = own_variable_count(problem);

    std::vector<RowPlan> plans(m + 1);
    Index rows = 0;
    Index added_slacks = 0;
    for (Index i = 1; i <= m; ++i) {
        plans[i] = plan_of(problem, i, own);
        const bool equal = plans[i].kind == RowKind::equal;
        rows += equal ? 2 : 1;
        added_slacks += equal ? 2 : 0;
    }

    DualStartTable start;
    std::vector<Index> new_column(n + 1, 0);  // the given columns' places in the start table, 0 for none
    start.original_columns.push_back(0);
    for (Index j = 1; j <= n; ++j) {
        if (is_artificial(problem, j, own)) continue;
        new_column[j] = static_cast<Index>(start.original_columns.size());
        start.original_columns.push_back(j);
    }
    const auto kept = static_cast<Index>(start.original_columns.size() - 1);
    const Index columns = kept + added_slacks;
    start.original_columns.resize(columns + 1, 0);

    // Everything but the table and what follows its shape is the given record's: aim, name, report
    // file, widths, print settings, the iteration limit.
    SimplexIteration& record = start.record;
    record = problem;
    record.table.resize(rows + 1, columns + 1);  // all zeros
    record.estimates.resize(2, columns + 1);
    record.basis.assign(rows + 1, 0);
    record.base_vars = static_cast<std::int32_t>(columns);
    record.pivot_col = 0;
    record.pivot_row = 0;
    record.iterations = 0;
    record.look = TableLook{};
    record.look.single_estimate_row = true;
    for (Index j = 1; j <= n; ++j) {
        if (new_column[j] != 0) record.table(0, new_column[j]) = problem.table(0, j);
    }

    const bool exact_rhs = !problem.exact_rhs.empty();
    if (exact_rhs) record.exact_rhs.assign(rows + 1, "0");
    // Columns keep their names. A record without names keeps none while the columns stay where they
    // were; otherwise the names x1, x2, ... go with their columns, so that x3 of the report is x3 of
    // the problem.
    std::optional<std::vector<std::string>> names;
    std::set<std::string> taken;
    if (problem.var_names || columns != n || kept != n) {
        names.emplace(columns + 1);
        for (Index j = 1; j <= n; ++j) {
            if (new_column[j] == 0) continue;
            std::string name = problem.var_names ? problem.var_names->at(j) : "x" + std::to_string(j);
            taken.insert(name);
            (*names)[new_column[j]] = std::move(name);
        }
    }
    // The slacks of an "=" row i are s<i> ("<=") and s<i>' (">="), as a model's slacks are named after
    // their rows.
    const auto name_slack = [&](Index j, Index given_row, bool negated_half) {
        if (!names) return;
        std::string name = "s" + std::to_string(given_row) + (negated_half ? "'" : "");
        while (!taken.insert(name).second) name += '_';
        (*names)[j] = std::move(name);
    };

    // Row `to` of the start table from row i of the given record, multiplied by -1 when `negate`.
    const auto copy_row = [&](Index i, Index to, bool negate) {
        for (Index j = 0; j <= n; ++j) {
            if (j != 0 && new_column[j] == 0) continue;
            const double a = problem.table(i, j);
            record.table(to, j == 0 ? 0 : new_column[j]) = negate ? negated(a) : a;
        }
        if (exact_rhs && i < problem.exact_rhs.size()) {
            record.exact_rhs[to] = negate ? negated_fraction(problem.exact_rhs[i]) : problem.exact_rhs[i];
        } else if (exact_rhs) {
            record.exact_rhs[to] = fraction_text(exact_from_double(record.table(to, 0)));
        }
    };

    Index to = 0;
    Index next_slack = kept + 1;
    for (Index i = 1; i <= m; ++i) {
        const RowPlan& plan = plans[i];
        if (plan.kind == RowKind::equal) {
            for (const bool negate : {false, true}) {
                copy_row(i, ++to, negate);
                const Index slack = next_slack++;
                record.table(to, slack) = 1.0;
                record.basis[to] = slack;
                name_slack(slack, i, negate);
            }
            continue;
        }
        const bool negate = plan.kind == RowKind::greater_equal;
        copy_row(i, ++to, negate);
        record.basis[to] = new_column[plan.slack];
    }

    record.var_names = std::move(names);
    if (!problem.twin_columns.empty()) {
        record.twin_columns.assign(columns + 1, 0);
        for (Index j = 1; j <= n && j < problem.twin_columns.size(); ++j) {
            const Index twin = problem.twin_columns[j];
            if (new_column[j] != 0 && twin != 0 && twin <= n) record.twin_columns[new_column[j]] = new_column[twin];
        }
    }
    record.compute_col_widths();
    return start;
}

Matrix original_solution(const DualStartTable& start, const Matrix& solution, std::uint32_t original_size) {
    if (solution.rows == 0 || original_size == 0) return Matrix{};
    Matrix original(original_size, 1);
    original(0, 0) = solution(0, 0);
    for (Index j = 1; j < solution.rows && j < start.original_columns.size(); ++j) {
        const Index to = start.original_columns[j];
        if (to != 0 && to < original_size) original(to, 0) = solution(j, 0);
    }
    return original;
}

std::vector<std::string> original_exact_solution(const DualStartTable& start, const std::vector<std::string>& solution,
                                                 std::uint32_t original_size) {
    if (solution.empty()) return {};
    std::vector<std::string> original(original_size, "0");
    if (original_size == 0) return original;
    original[0] = solution[0];
    for (Index j = 1; j < solution.size() && j < start.original_columns.size(); ++j) {
        const Index to = start.original_columns[j];
        if (to != 0 && to < original_size) original[to] = solution[j];
    }
    return original;
}
