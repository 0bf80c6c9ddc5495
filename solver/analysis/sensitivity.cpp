// Everything is read off the final table T, whose columns of the first table's
// unit columns u_i hold B^-1. With the estimates E_j = c_B B^-1 a_j - c_j (M
// costs taken as 0, which at an optimum only basic artificial variables at
// level 0 still carry):
//   dual of row i        y_i = E(u_i) + c(u_i)
//   reduced cost of j    d_j = -E_j   (0 for a basic column)
//   right-hand side      b + t h keeps x_B + t B^-1 h >= 0 (= 0 for artificial rows)
//   cost                 c + t g keeps every E_l + t (g_B T_l - g_l) on its optimal side

#include "solver/analysis/sensitivity.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "numerics/exact_number.h"
#include "solver/engine/note_tolerance.h"
#include "solver/engine/simplex_engine.h"

namespace {

// What the two kinds of numbers differ in.
struct DoubleNumbers {
    // Rounding residue of a pivot is no slope of a range.
    static bool negligible(double x) { return std::fabs(x) <= PIVOT_EPS; }
    static double from(double x) { return x; }
    static SensitivityNumber report(double x) { return {x == 0.0 ? 0.0 : x, std::nullopt}; }  // no -0
    // A basic value at 0 for the notes, as the run decides it (solver/engine/note_tolerance.h).
    static bool zero_value(double x, double scale) { return negligible_against(x, scale); }
    static double magnitude(double x) { return std::fabs(x); }
};

struct ExactNumbers {
    static bool negligible(const mpq_class& x) { return sgn(x) == 0; }
    static mpq_class from(double x) { return exact_from_double(x); }
    static SensitivityNumber report(const mpq_class& x) { return {x.get_d(), fraction_text(x)}; }
    static bool zero_value(const mpq_class& x, const mpq_class&) { return sgn(x) == 0; }
    static mpq_class magnitude(const mpq_class& x) { return abs(x); }
};

template <class Number>
struct NumbersOf;
template <>
struct NumbersOf<double> {
    using type = DoubleNumbers;
};
template <>
struct NumbersOf<mpq_class> {
    using type = ExactNumbers;
};

// The steps t over which every base + t * slope stays >= 0 (those marked exact,
// = 0); nullopt ends are infinite.
template <class Number>
struct Interval {
    std::optional<Number> low, high;
};

template <class Number>
class Analysis {
    using N = typename NumbersOf<Number>::type;

public:
    Analysis(const FinalTable<Number>& t, const std::vector<std::uint32_t>& unsigned_columns)
        : t_(t), basic_row_(t.n + 1, 0), signed_(t.n + 1, true) {
        for (std::uint32_t i = 1; i <= t.m; ++i) basic_row_.at(t.basis.at(i)) = i;
        for (const std::uint32_t j : unsigned_columns) signed_.at(j) = false;
    }

    Number dual(std::uint32_t i) const {
        const std::uint32_t u = t_.initial_basis.at(i);
        return t_.plain_estimates.at(u) + t_.costs.at(u);
    }

    Number reduced_cost(std::uint32_t j) const {
        if (basic_row_.at(j) != 0) return Number(0);
        return -t_.plain_estimates.at(j);
    }

    Number value(std::uint32_t j) const {
        const std::uint32_t r = basic_row_.at(j);
        return r == 0 ? Number(0) : t_.element(r, 0);
    }

    bool degenerate() const {
        Number scale(0);
        for (std::uint32_t i = 1; i <= t_.m; ++i) scale = std::max(scale, N::magnitude(t_.element(i, 0)));
        for (std::uint32_t i = 1; i <= t_.m; ++i) {
            if (N::zero_value(t_.element(i, 0), scale)) return true;
        }
        return false;
    }

    // Steps t of the right-hand sides along `moves` that keep the basis feasible.
    Interval<Number> rhs_steps(const std::vector<SensitivityTerm>& moves) const {
        Interval<Number> steps;
        for (std::uint32_t k = 1; k <= t_.m; ++k) {
            // Half of a free variable: the model's variable may take either sign.
            if (!signed_.at(t_.basis.at(k))) continue;
            Number slope(0);
            for (const SensitivityTerm& move : moves) {
                slope += N::from(move.weight) * t_.element(k, t_.initial_basis.at(move.index));
            }
            // An artificial variable basic at 0 must stay 0.
            narrow(steps, t_.element(k, 0), slope, t_.m_cost.at(t_.basis.at(k)));
        }
        return steps;
    }

    // Steps t of the costs along `moves` that keep every estimate on its optimal side.
    Interval<Number> cost_steps(const std::vector<SensitivityTerm>& moves) const {
        Interval<Number> steps;
        if (moves.empty()) return steps;
        std::vector<Number> move(t_.n + 1, Number(0));
        for (const SensitivityTerm& term : moves) move.at(term.index) += N::from(term.weight);
        const Number side(t_.aim == 1 ? 1 : -1);  // estimates >= 0 at a maximum, <= 0 at a minimum
        for (std::uint32_t l = 1; l <= t_.n; ++l) {
            if (basic_row_.at(l) != 0 || t_.m_cost.at(l)) continue;
            Number slope = -move.at(l);
            for (std::uint32_t k = 1; k <= t_.m; ++k) {
                const Number& g = move.at(t_.basis.at(k));
                if (g != 0) slope += g * t_.element(k, l);
            }
            Number base = side * t_.plain_estimates.at(l);
            if (base < 0) base = 0;  // left by an artificial variable basic at 0
            narrow(steps, base, side * slope, false);
        }
        return steps;
    }

private:
    static void narrow(Interval<Number>& steps, const Number& base, const Number& slope, bool must_stay) {
        if (N::negligible(slope)) return;
        if (must_stay) {
            steps.low = steps.high = Number(0);
            return;
        }
        const Number limit = -base / slope;
        if (slope > 0) {
            if (!steps.low || limit > *steps.low) steps.low = limit;
        } else if (!steps.high || limit < *steps.high) {
            steps.high = limit;
        }
    }

    const FinalTable<Number>& t_;
    std::vector<std::uint32_t> basic_row_;  // 0 for a non-basic column
    std::vector<bool> signed_;              // false for a half of a free variable
};

template <class Number>
std::pair<SensitivityNumber, SensitivityNumber> range(const Number& at, const Interval<Number>& steps) {
    using N = typename NumbersOf<Number>::type;
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    return {steps.low ? N::report(at + *steps.low) : SensitivityNumber{-kInfinity, std::nullopt},
            steps.high ? N::report(at + *steps.high) : SensitivityNumber{kInfinity, std::nullopt}};
}

template <class Number>
SensitivityReport analyse(const FinalTable<Number>& t, const SensitivityQuery& query) {
    using N = typename NumbersOf<Number>::type;
    const Analysis<Number> analysis(t, query.unsigned_columns);
    SensitivityReport report;
    report.unique = !analysis.degenerate();
    for (const SensitivityQuery::Row& row : query.rows) {
        if (!row.dropped.empty()) {
            const auto end = [](double x) {
                return std::isinf(x) ? SensitivityNumber{x, std::nullopt} : N::report(N::from(x));
            };
            report.rows.push_back({row.name, N::report(Number(0)), end(row.dropped_rhs), end(row.dropped_low),
                                   end(row.dropped_high), row.dropped});
            continue;
        }
        Number dual(0);
        const SensitivityQuery::RowPart* moved = row.parts.empty() ? nullptr : &row.parts.front();
        for (const SensitivityQuery::RowPart& part : row.parts) {
            const Number part_dual = N::from(part.weight) * analysis.dual(part.index);
            if (part_dual != 0 && dual == 0) moved = &part;
            dual += part_dual;
        }
        if (moved == nullptr) continue;
        const Number rhs = N::from(moved->rhs);
        auto [low, high] = range(rhs, analysis.rhs_steps({{moved->index, moved->weight}}));
        report.rows.push_back({row.name, N::report(dual), N::report(rhs), std::move(low), std::move(high), {}});
    }
    for (const SensitivityQuery::Variable& variable : query.variables) {
        Number value = N::from(variable.offset);
        for (const SensitivityTerm& term : variable.columns) value += N::from(term.weight) * analysis.value(term.index);
        Number reduced = N::from(variable.base_reduced_cost);
        for (const SensitivityTerm& term : variable.reduced_columns) {
            reduced += N::from(term.weight) * analysis.reduced_cost(term.index);
        }
        for (const SensitivityTerm& term : variable.reduced_rows)
            reduced += N::from(term.weight) * analysis.dual(term.index);
        if (reduced == 0) reduced = Number(0);  // no -0
        const Number cost = N::from(variable.cost);
        auto [low, high] = range(cost, analysis.cost_steps(variable.cost_moves));
        report.variables.push_back(
            {variable.name, N::report(value), N::report(reduced), N::report(cost), std::move(low), std::move(high)});
    }
    return report;
}

}  // namespace

SensitivityReport sensitivity_report(const FinalTableSnapshot& final_table, const SensitivityQuery& query) {
    SensitivityReport report =
        std::visit([&query](const auto& table) { return analyse(table, query); }, final_table.table);
    report.magnitude = final_table.magnitude;
    return report;
}
