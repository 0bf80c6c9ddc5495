#include "solver/engine/gomory_cut.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "numerics/exact_number.h"
#include "solver/engine/engine_common.h"

namespace gomory {

mpq_class fractional_part(const mpq_class& q) {
    mpz_class floor;
    mpz_fdiv_q(floor.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
    return q - mpq_class(floor);
}

mpq_class exact_entry(const SimplexIteration& problem, Index i, Index j) {
    if (j == 0 && i != 0 && i < problem.exact_rhs.size()) return mpq_class(problem.exact_rhs[i]);
    return exact_from_double(problem.table(i, j));
}

namespace {

bool is_integer(const mpq_class& q) { return q.get_den() == 1; }

// The row of the column's only nonzero entry, when that entry is 1 or -1; 0 otherwise.
Index slack_row(const SimplexIteration& problem, Index j) {
    Index row = 0;
    for (Index i = 1; i <= problem.constraint_count(); ++i) {
        if (problem.table(i, j) == 0.0) continue;
        if (row != 0 || std::fabs(problem.table(i, j)) != 1.0) return 0;
        row = i;
    }
    return row;
}

// The problem's own columns: its integer columns and every column but a slack (cost 0, one entry 1 or
// -1), which its row gives in terms of the others.
bool is_own(const SimplexIteration& problem, Index j) {
    const auto& marked = problem.integer_columns;
    if (std::binary_search(marked.begin(), marked.end(), j)) return true;
    return problem.table(0, j) != 0.0 || slack_row(problem, j) == 0;
}

}  // namespace

std::vector<bool> integral_columns(const SimplexIteration& problem) {
    const Index n = problem.variable_count();
    std::vector<bool> integral(std::size_t{n} + 1, false);
    for (const Index j : problem.integer_columns) {
        if (j <= n) integral[j] = true;
    }
    const std::vector<bool> marked = integral;
    for (Index j = 1; j <= n; ++j) {
        if (marked[j] || engine::is_m_cost(problem.table(0, j))) continue;
        const Index r = slack_row(problem, j);
        if (r == 0 || !is_integer(exact_entry(problem, r, 0))) continue;
        bool whole = true;
        for (Index l = 1; l <= n && whole; ++l) {
            if (l == j || problem.table(r, l) == 0.0 || engine::is_m_cost(problem.table(0, l))) continue;
            whole = marked[l] && is_integer(exact_entry(problem, r, l));
        }
        integral[j] = whole;
    }
    return integral;
}

Index first_continuous_column(const SimplexIteration& problem) {
    const std::vector<bool> integral = integral_columns(problem);
    for (Index j = 1; j < integral.size(); ++j) {
        if (!integral[j] && !engine::is_m_cost(problem.table(0, j))) return j;
    }
    return 0;
}

Index cut_row(const std::vector<Row>& rows, const std::vector<Index>& basis, const std::vector<bool>& integral) {
    Index best = 0;
    mpq_class largest = 0;
    for (Index i = 1; i <= rows.size(); ++i) {
        const Index j = basis.at(i);
        if (j >= integral.size() || !integral[j]) continue;
        const mpq_class f = fractional_part(rows[i - 1].at(0));
        if (f > largest) {  // strictly: the lowest row keeps a tie
            largest = f;
            best = i;
        }
    }
    return best;
}

Row cut_of_row(const Row& row) {
    Row cut(row.size());
    for (std::size_t j = 0; j < row.size(); ++j) cut[j] = -fractional_part(row[j]);
    return cut;
}

std::vector<Expression> own_column_expressions(const SimplexIteration& problem) {
    const Index n = problem.variable_count();
    std::vector<Expression> columns(std::size_t{n} + 1);
    for (Expression& e : columns) e.coefficients.assign(std::size_t{n} + 1, 0);
    for (Index j = 1; j <= n; ++j) {
        if (engine::is_m_cost(problem.table(0, j))) continue;  // 0 at every solution
        Expression& e = columns[j];
        const Index r = is_own(problem, j) ? 0 : slack_row(problem, j);
        if (r == 0) {
            e.coefficients[j] = 1;  // its own column, or one no row solves for
            continue;
        }
        // a_rj x_j = b_r - sum of the row's other entries; x_j = (that) / a_rj.
        const mpq_class a = exact_entry(problem, r, j);
        e.constant = exact_entry(problem, r, 0) / a;
        for (Index l = 1; l <= n; ++l) {
            if (l == j || problem.table(r, l) == 0.0 || engine::is_m_cost(problem.table(0, l))) continue;
            e.coefficients[l] = -exact_entry(problem, r, l) / a;
        }
    }
    return columns;
}

Expression cut_slack(const Row& cut, const std::vector<Expression>& columns) {
    Expression s;
    s.constant = cut.at(0);
    const std::size_t own = columns.empty() ? 0 : columns.front().coefficients.size();
    s.coefficients.assign(own, 0);
    for (std::size_t j = 1; j < cut.size(); ++j) {
        if (cut[j] == 0) continue;
        const Expression& x = columns.at(j);
        s.constant -= cut[j] * x.constant;
        for (std::size_t l = 1; l < own; ++l) s.coefficients[l] -= cut[j] * x.coefficients[l];
    }
    return s;
}

namespace {

// "a x + b y": each term with its sign, a coefficient of 1 left out.
std::string terms_text(const std::vector<mpq_class>& coefficients, const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t j = 1; j < coefficients.size(); ++j) {
        const mpq_class& c = coefficients[j];
        if (c == 0) continue;
        const mpq_class magnitude = abs(c);
        if (text.empty()) {
            if (c < 0) text += "-";
        } else {
            text += c < 0 ? " - " : " + ";
        }
        if (magnitude != 1) text += fraction_text(magnitude) + " ";
        text += j < names.size() ? names[j] : "x" + std::to_string(j);
    }
    return text.empty() ? "0" : text;
}

}  // namespace

std::string inequality_text(const Expression& e, const std::vector<std::string>& names) {
    std::size_t negative = 0;
    std::size_t positive = 0;
    for (std::size_t j = 1; j < e.coefficients.size(); ++j) {
        if (e.coefficients[j] < 0) ++negative;
        if (e.coefficients[j] > 0) ++positive;
    }
    if (negative > positive) {
        std::vector<mpq_class> turned(e.coefficients.size());
        for (std::size_t j = 1; j < turned.size(); ++j) turned[j] = -e.coefficients[j];
        return terms_text(turned, names) + " <= " + fraction_text(e.constant);
    }
    return terms_text(e.coefficients, names) + " >= " + fraction_text(-e.constant);
}

std::string row_text(const Row& row, const std::vector<std::string>& names, const std::string& op) {
    return terms_text(row, names) + " " + op + " " + fraction_text(row.at(0));
}

}  // namespace gomory
