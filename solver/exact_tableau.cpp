#include "solver/exact_tableau.h"

#include <algorithm>
#include <string>
#include <utility>

#include "solver/big_m_method.h"
#include "solver/exact_number.h"
#include "solver/table_texts.h"

ExactTableau::ExactTableau(SimplexIteration& run)
    : run_(run),
      rows_(run.table.rows),
      columns_(run.table.cols),
      table_(std::size_t{rows_} * columns_),
      m_cost_(columns_, false),
      m_parts_(columns_),
      plain_parts_(columns_),
      base_widths_(run.col_widths) {
    for (std::uint32_t i = 0; i < rows_; ++i) {
        for (std::uint32_t j = 0; j < columns_; ++j) {
            const double x = run.table(i, j);
            if (i == 0 && (x == BIG_M || x == -BIG_M)) {
                m_cost_[j] = true;
            } else {
                table_[index(i, j)] = exact_from_double(x);
            }
        }
    }
}

std::uint32_t ExactTableau::basic(std::uint32_t i) const { return big_m::basic_column(run_, i); }

int ExactTableau::compare_magnitudes(const mpq_class& a, const mpq_class& b) {
    if (sgn(a) >= 0 && sgn(b) >= 0) return cmp(a, b);
    return cmp(abs(a), abs(b));
}

void ExactTableau::compute_estimates() {
    const bool maximum = run_.aim == 1;  // M counts as -M in a maximisation, as +M otherwise
    for (std::uint32_t j = 0; j < columns_; ++j) {
        m_parts_[j] = 0;
        plain_parts_[j] = 0;
    }
    mpq_class term;
    for (std::uint32_t i = 1; i < rows_; ++i) {
        const std::uint32_t basic_col = basic(i);
        const mpq_class* row = &table_[index(i, 0)];
        if (m_cost_[basic_col]) {
            for (std::uint32_t j = 0; j < columns_; ++j) {
                if (sgn(row[j]) == 0) continue;
                if (maximum) {
                    m_parts_[j] -= row[j];
                } else {
                    m_parts_[j] += row[j];
                }
            }
        } else {
            const mpq_class& cost = table_[basic_col];
            if (sgn(cost) == 0) continue;
            for (std::uint32_t j = 0; j < columns_; ++j) {
                if (sgn(row[j]) == 0) continue;
                mpq_mul(term.get_mpq_t(), cost.get_mpq_t(), row[j].get_mpq_t());
                plain_parts_[j] += term;
            }
        }
    }
    for (std::uint32_t j = 1; j < columns_; ++j) {
        if (m_cost_[j]) {
            m_parts_[j] += maximum ? 1 : -1;
        } else {
            plain_parts_[j] -= table_[j];
        }
    }
}

void ExactTableau::pivot() {
    const auto r = static_cast<std::uint32_t>(run_.pivot_row);
    const auto s = static_cast<std::uint32_t>(run_.pivot_col);
    const mpq_class divisor = element(r, s);
    basic(r);
    run_.basis[r] = s;
    ++run_.iterations;

    // The key row divided first; each other row then loses a multiple of it.
    // Only the key row's non-zero columns change anything.
    std::vector<std::uint32_t> columns;
    mpq_class* key_row = &table_[index(r, 0)];
    for (std::uint32_t j = 0; j < columns_; ++j) {
        if (sgn(key_row[j]) == 0) continue;
        key_row[j] /= divisor;
        columns.push_back(j);
    }
    mpq_class factor;
    mpq_class term;
    for (std::uint32_t i = 1; i < rows_; ++i) {
        if (i == r) continue;
        mpq_class* row = &table_[index(i, 0)];
        if (sgn(row[s]) == 0) continue;
        factor = row[s];
        for (const std::uint32_t j : columns) {
            mpq_mul(term.get_mpq_t(), factor.get_mpq_t(), key_row[j].get_mpq_t());
            row[j] -= term;
        }
    }
}

void ExactTableau::finish(SolveOutcome& outcome) const {
    std::vector<mpq_class> values(columns_);
    // With no M part left the objective is the plain part; otherwise M counts as BIG_M, as in doubles.
    values[0] = plain_parts_[0] + m_parts_[0] * mpq_class(static_cast<long>(BIG_M));
    for (std::uint32_t i = 1; i < rows_; ++i) values[basic(i)] = element(i, 0);
    Matrix solution(columns_, 1);
    outcome.exact_solution.clear();
    for (std::uint32_t j = 0; j < columns_; ++j) {
        solution(j, 0) = values[j].get_d();
        outcome.exact_solution.push_back(fraction_text(values[j]));
    }
    outcome.solution = std::move(solution);
}

namespace {

std::string cost_text(bool m_cost, double given, const mpq_class& cost) {
    if (m_cost) return given > 0 ? "M" : "-M";
    return fraction_text(cost);
}

}  // namespace

void ExactTableau::print_table(std::ostream& stream) {
    TableTexts texts;
    texts.costs.resize(columns_);
    for (std::uint32_t j = 1; j < columns_; ++j) texts.costs[j] = cost_text(m_cost_[j], run_.table(0, j), table_[j]);
    texts.elements.reserve(std::size_t{rows_ - 1} * columns_);
    for (std::uint32_t i = 1; i < rows_; ++i) {
        for (std::uint32_t j = 0; j < columns_; ++j) texts.elements.push_back(fraction_text(element(i, j)));
    }
    for (std::uint32_t j = 0; j < columns_; ++j) {
        texts.m_parts.push_back(sgn(m_parts_[j]) == 0 ? std::string() : fraction_text(m_parts_[j]));
        texts.plain_parts.push_back(fraction_text(plain_parts_[j]));
    }

    // Every column as wide as its widest entry, and never narrower than before.
    ColumnWidths& w = run_.col_widths;
    w = base_widths_;
    const auto widen = [&w](int k, const std::string& text) {
        w[k] = std::max(w[k], static_cast<std::uint32_t>(text.size()));
    };
    for (std::uint32_t j = 0; j < columns_; ++j) {
        const int k = static_cast<int>(j);
        if (j != 0) widen(k, texts.costs[j]);
        widen(k, texts.m_parts[j]);
        widen(k, texts.plain_parts[j]);
        for (std::uint32_t i = 1; i < rows_; ++i) widen(k, texts.elements[std::size_t{i - 1} * columns_ + j]);
    }
    for (std::uint32_t i = 1; i < rows_; ++i) widen(-2, texts.costs[basic(i)]);
    print_text_table(run_, texts, stream);
}
