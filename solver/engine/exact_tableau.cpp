#include "solver/engine/exact_tableau.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "numerics/exact_number.h"
#include "solver/engine/big_m_method.h"
#include "solver/report/table_texts.h"

ExactTableau::ExactTableau(SimplexIteration& run)
    : ExactTableau(run, [&run](std::uint32_t i, std::uint32_t j) {
          // A model's right-hand sides come exact from its numbers, not from their doubles.
          const bool given = j == 0 && i < run.exact_rhs.size();
          return given ? mpq_class(run.exact_rhs[i]) : exact_from_double(run.table(i, j));
      }) {}

ExactTableau::ExactTableau(SimplexIteration& run, const std::vector<mpq_class>& rows)
    : ExactTableau(run, [&run, &rows](std::uint32_t i, std::uint32_t j) {
          return rows.at(std::size_t{i - 1} * run.table.cols + j);
      }) {}

namespace {

// The least common multiple of the denominators of both estimate rows.
mpz_class estimate_scale(const std::vector<mpq_class>& m_parts, const std::vector<mpq_class>& plain_parts) {
    mpz_class scale = 1;
    for (const auto* part : {&m_parts, &plain_parts}) {
        for (const mpq_class& x : *part) mpz_lcm(scale.get_mpz_t(), scale.get_mpz_t(), x.get_den_mpz_t());
    }
    return scale;
}

// x times the scale, which its denominator divides.
mpz_class scaled_integer(const mpq_class& x, const mpz_class& scale) {
    const mpq_class product = x * scale;
    if (product.get_den() != 1) throw std::logic_error("estimate not an integer over the table's denominator");
    return product.get_num();
}

}  // namespace

ExactTableau::ExactTableau(SimplexIteration& run, const std::vector<mpq_class>& rows,
                           const std::vector<mpq_class>& m_parts, const std::vector<mpq_class>& plain_parts)
    : ExactTableau(
          run,
          [&run, &rows](std::uint32_t i, std::uint32_t j) { return rows.at(std::size_t{i - 1} * run.table.cols + j); },
          estimate_scale(m_parts, plain_parts)) {
    if (m_parts.size() != columns_ || plain_parts.size() != columns_) throw Matrix::bad_matrix(Matrix::kOverrun);
    // D holds every denominator of the estimates: over D and over D * F both are integers.
    const mpz_class plain_scale = denominator_ * cost_denominator_;
    for (std::uint32_t j = 0; j < columns_; ++j) {
        m_parts_[j] = scaled_integer(m_parts[j], denominator_);
        plain_parts_[j] = scaled_integer(plain_parts[j], plain_scale);
    }
    estimates_current_ = true;
}

ExactTableau::ExactTableau(SimplexIteration& run,
                           const std::function<mpq_class(std::uint32_t, std::uint32_t)>& value_at,
                           const mpz_class& extra_scale)
    : run_(run),
      rows_(run.table.rows),
      columns_(run.table.cols),
      table_(std::size_t{rows_} * columns_),
      denominator_(extra_scale),
      m_cost_(columns_, false),
      costs_(columns_),
      cost_denominator_(1),
      m_parts_(columns_),
      plain_parts_(columns_),
      base_widths_(run.col_widths) {
    for (std::uint32_t j = 1; j < columns_; ++j) {
        const double c = run.table(0, j);
        if (c == BIG_M || c == -BIG_M) {
            m_cost_[j] = true;
        } else {
            costs_[j] = exact_from_double(c);
            mpz_lcm(cost_denominator_.get_mpz_t(), cost_denominator_.get_mpz_t(), costs_[j].get_den_mpz_t());
        }
    }
    // Each row scaled to integers by the common denominator of its numbers; the
    // product of those scales is the determinant of the starting basis of the
    // scaled rows, and the table holds the rows over it.
    std::vector<mpq_class> values(table_.size());
    for (std::uint32_t i = 1; i < rows_; ++i) {
        mpz_class scale = 1;
        for (std::uint32_t j = 0; j < columns_; ++j) {
            const mpq_class& x = values[index(i, j)] = value_at(i, j);
            mpz_lcm(scale.get_mpz_t(), scale.get_mpz_t(), x.get_den_mpz_t());
        }
        denominator_ *= scale;
    }
    for (std::uint32_t i = 1; i < rows_; ++i) {
        for (std::uint32_t j = 0; j < columns_; ++j) {
            const mpq_class x = values[index(i, j)] * denominator_;
            table_[index(i, j)] = x.get_num();  // an integer: the denominator divides the product
        }
    }
}

std::uint32_t ExactTableau::basic(std::uint32_t i) const { return big_m::basic_column(run_, i); }

mpq_class ExactTableau::ratio(const mpz_class& b, const mpz_class& a) {
    mpq_class q(b, a);
    q.canonicalize();
    return q;
}

std::string ExactTableau::element_text(std::uint32_t i, std::uint32_t j) const {
    return fraction_text(element_value(i, j));
}
std::string ExactTableau::m_part_text(std::uint32_t j) const { return fraction_text(m_part_value(j)); }
std::string ExactTableau::plain_part_text(std::uint32_t j) const { return fraction_text(plain_part_value(j)); }
std::string ExactTableau::ratio_text(const mpq_class& q) { return fraction_text(q); }

mpq_class ExactTableau::element_value(std::uint32_t i, std::uint32_t j) const {
    mpq_class x(element(i, j), denominator_);
    x.canonicalize();
    return x;
}

mpq_class ExactTableau::m_part_value(std::uint32_t j) const {
    mpq_class x(m_part(j), denominator_);
    x.canonicalize();
    return x;
}

mpq_class ExactTableau::plain_part_value(std::uint32_t j) const {
    mpq_class x(plain_part(j), denominator_ * cost_denominator_);
    x.canonicalize();
    return x;
}

void ExactTableau::compute_estimates() {
    if (estimates_current_) return;
    estimates_current_ = true;
    // Over D: M parts s * (rows of M-basic variables) - s * (M columns), s = -1 in a
    // maximisation; over D * F: F (costs of basic variables times rows - costs * D).
    const bool maximum = run_.aim == 1;
    for (std::uint32_t j = 0; j < columns_; ++j) {
        m_parts_[j] = 0;
        plain_parts_[j] = 0;
    }
    for (std::uint32_t i = 1; i < rows_; ++i) {
        const std::uint32_t basic_col = basic(i);
        const mpz_class* row = &table_[index(i, 0)];
        if (m_cost_[basic_col]) {
            for (std::uint32_t j = 0; j < columns_; ++j) {
                if (maximum) {
                    m_parts_[j] -= row[j];
                } else {
                    m_parts_[j] += row[j];
                }
            }
        } else if (sgn(costs_[basic_col]) != 0) {
            const mpq_class scaled = costs_[basic_col] * cost_denominator_;  // an integer
            for (std::uint32_t j = 0; j < columns_; ++j) plain_parts_[j] += scaled.get_num() * row[j];
        }
    }
    for (std::uint32_t j = 1; j < columns_; ++j) {
        if (m_cost_[j]) {
            m_parts_[j] += maximum ? denominator_ : mpz_class(-denominator_);
        } else {
            const mpq_class scaled = costs_[j] * cost_denominator_;
            plain_parts_[j] -= scaled.get_num() * denominator_;
        }
    }
}

void ExactTableau::eliminate(mpz_class* out, const mpz_class* row, const mpz_class* key, const mpz_class& p,
                             std::uint32_t s) {
    const mpz_class& factor = row[s];
    const bool divide = denominator_ != 1;
    for (std::uint32_t j = 0; j < columns_; ++j) {
        mpz_mul(product_.get_mpz_t(), row[j].get_mpz_t(), p.get_mpz_t());
        if (sgn(factor) != 0 && sgn(key[j]) != 0) {
            mpz_submul(product_.get_mpz_t(), factor.get_mpz_t(), key[j].get_mpz_t());
        }
        if (divide) {
            mpz_divexact(out[j].get_mpz_t(), product_.get_mpz_t(), denominator_.get_mpz_t());
        } else {
            mpz_swap(out[j].get_mpz_t(), product_.get_mpz_t());
        }
    }
}

bool ExactTableau::stage_pivot(const std::function<bool()>& interrupted) {
    staged_ = false;
    const auto r = static_cast<std::uint32_t>(run_.pivot_row);
    const auto s = static_cast<std::uint32_t>(run_.pivot_col);
    const mpz_class& p = element(r, s);
    basic(r);
    next_table_.resize(table_.size());
    const mpz_class* key = &table_[index(r, 0)];
    for (std::uint32_t i = 1; i < rows_; ++i) {
        if (interrupted && interrupted()) return false;
        if (i != r) eliminate(&next_table_[index(i, 0)], &table_[index(i, 0)], key, p, s);
    }
    if (estimates_current_) {
        next_m_parts_.resize(columns_);
        next_plain_parts_.resize(columns_);
        eliminate(next_m_parts_.data(), m_parts_.data(), key, p, s);
        eliminate(next_plain_parts_.data(), plain_parts_.data(), key, p, s);
    }
    staged_ = true;
    return true;
}

void ExactTableau::pivot() {
    if (!staged_) stage_pivot({});
    staged_ = false;
    const auto r = static_cast<std::uint32_t>(run_.pivot_row);
    const auto s = static_cast<std::uint32_t>(run_.pivot_col);
    // The key row stays as it is; every other row and the estimates are those staged.
    for (std::uint32_t j = 0; j < columns_; ++j)
        mpz_swap(next_table_[index(r, j)].get_mpz_t(), table_[index(r, j)].get_mpz_t());
    table_.swap(next_table_);
    if (estimates_current_) {
        m_parts_.swap(next_m_parts_);
        plain_parts_.swap(next_plain_parts_);
    }
    denominator_ = element(r, s);
    if (sgn(denominator_) < 0) {
        // A pivot on a negative element (the dual simplex method's): every numerator turns its sign
        // with D, which stays positive, so that signs and magnitudes of numerators compare as before.
        for (mpz_class& x : table_) mpz_neg(x.get_mpz_t(), x.get_mpz_t());
        if (estimates_current_) {
            for (mpz_class& x : m_parts_) mpz_neg(x.get_mpz_t(), x.get_mpz_t());
            for (mpz_class& x : plain_parts_) mpz_neg(x.get_mpz_t(), x.get_mpz_t());
        }
        mpz_neg(denominator_.get_mpz_t(), denominator_.get_mpz_t());
    }
    run_.basis[r] = s;
    ++run_.iterations;
}

void ExactTableau::finish(SolveOutcome& outcome) const {
    std::vector<mpq_class> values(columns_);
    // With no M part left the objective is the plain part; otherwise M counts as BIG_M, as in doubles.
    values[0] = plain_part_value(0) + m_part_value(0) * mpq_class(static_cast<long>(BIG_M));
    for (std::uint32_t i = 1; i < rows_; ++i) values[basic(i)] = element_value(i, 0);
    Matrix solution(columns_, 1);
    outcome.exact_solution.clear();
    for (std::uint32_t j = 0; j < columns_; ++j) {
        solution(j, 0) = values[j].get_d();
        outcome.exact_solution.push_back(fraction_text(values[j]));
    }
    outcome.solution = std::move(solution);
}

FinalTable<mpq_class> ExactTableau::final_table(std::vector<std::uint32_t> initial_basis) const {
    FinalTable<mpq_class> t;
    t.aim = run_.aim;
    t.m = rows_ - 1;
    t.n = columns_ - 1;
    for (std::uint32_t i = 1; i < rows_; ++i) {
        for (std::uint32_t j = 0; j < columns_; ++j) t.elements.push_back(element_value(i, j));
    }
    for (std::uint32_t j = 0; j < columns_; ++j) {
        t.costs.push_back(m_cost_[j] ? mpq_class(0) : costs_[j]);
        t.m_cost.push_back(m_cost_[j]);
        t.plain_estimates.push_back(plain_part_value(j));
    }
    t.basis = run_.basis;
    t.initial_basis = std::move(initial_basis);
    return t;
}

namespace {

std::string cost_text(bool m_cost, double given, const mpq_class& cost) {
    if (m_cost) return given > 0 ? "M" : "-M";
    return fraction_text(cost);
}

}  // namespace

TableTexts ExactTableau::texts() const {
    TableTexts texts;
    texts.costs.resize(columns_);
    for (std::uint32_t j = 1; j < columns_; ++j) texts.costs[j] = cost_text(m_cost_[j], run_.table(0, j), costs_[j]);
    texts.elements.reserve(std::size_t{rows_ - 1} * columns_);
    for (std::uint32_t i = 1; i < rows_; ++i) {
        for (std::uint32_t j = 0; j < columns_; ++j) texts.elements.push_back(fraction_text(element_value(i, j)));
    }
    for (std::uint32_t j = 0; j < columns_; ++j) {
        texts.m_parts.push_back(sgn(m_parts_[j]) == 0 ? std::string() : fraction_text(m_part_value(j)));
        texts.plain_parts.push_back(fraction_text(plain_part_value(j)));
    }
    return texts;
}

// Each number reduced once for both its double and its text: a stop waits for the snapshot of the table
// it ends at.
void ExactTableau::fill_snapshot(TableSnapshot& snapshot) const {
    const auto add = [](SnapshotNumbers& numbers, double value, std::string text) {
        numbers.values.push_back(value);
        numbers.texts.push_back(std::move(text));
    };
    const auto number = [&](SnapshotNumbers& numbers, const mpq_class& x) {
        add(numbers, x.get_d(), fraction_text(x));
    };
    add(snapshot.costs, 0.0, {});  // unused
    for (std::uint32_t j = 1; j < columns_; ++j) {
        add(snapshot.costs, m_cost_[j] ? run_.table(0, j) : costs_[j].get_d(),
            cost_text(m_cost_[j], run_.table(0, j), costs_[j]));
    }
    snapshot.elements.texts.reserve(snapshot.elements.values.capacity());
    for (std::uint32_t i = 1; i < rows_; ++i) {
        for (std::uint32_t j = 0; j < columns_; ++j) number(snapshot.elements, element_value(i, j));
    }
    for (std::uint32_t j = 0; j < columns_; ++j) {
        number(snapshot.m_parts, m_part_value(j));  // "0" for none
        number(snapshot.plain_parts, plain_part_value(j));
    }
}

void ExactTableau::print_table(std::ostream& stream) {
    const TableTexts texts = this->texts();

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
