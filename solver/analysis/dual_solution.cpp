// The final table T of the canonical form holds, in its estimates E_j = c_B B^-1 a_j - c_j (M costs
// taken as 0, as the sensitivity analysis takes them):
//   a constraint kept as canonical row i = s * (its row), whose first-table unit column is u:
//       y = s * (E_u + c_u), c_u being 0 for a slack and -M (maximum) or +M (minimum) for an artificial;
//   a bound the substitution took in, x = l + x' (s = 1) or x = u - x' (s = -1):
//       y = -s * E_x' for a non-basic x', 0 for a basic one (the rate of the objective in the bound);
//   x = l of a fixed variable, which has no column: y = c - (the other terms of its dual row);
//   a row the canonical form left out: y = 0.

#include "solver/analysis/dual_solution.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>
#include <variant>

#include "numerics/exact_number.h"
#include "problem/people_number.h"
#include "problem/record_columns.h"
#include "solver/analysis/sensitivity.h"
#include "solver/report/sensitivity_tables.h"

namespace {

double from(double x, const double*) { return x; }
mpq_class from(double x, const mpq_class*) { return exact_from_double(x); }

SensitivityNumber report(double x) { return {x == 0.0 ? 0.0 : x, std::nullopt}; }  // no -0
SensitivityNumber report(const mpq_class& x) { return {x.get_d(), fraction_text(x)}; }

bool same(double a, double b, double magnitude) {
    return std::fabs(a - b) <= people_number::kZeroShare * std::max({magnitude, std::fabs(a), std::fabs(b)});
}
bool same(const mpq_class& a, const mpq_class& b, double /*magnitude*/) { return a == b; }

// Where the final table gives a dual variable, and where the analysis has it.
struct Place {
    enum class Kind { row_column, own_column, dropped, fixed } kind = Kind::dropped;
    std::uint32_t at = 0;  // the canonical row (row_column) or the own column (own_column)
    double sign = 1.0;
    std::string why;                 // of a dropped row
    bool analysis_row = true;        // in the analysis's rows, else in its variables
    std::size_t analysis_index = 0;  // there
};

struct Plan {
    std::vector<Place> places;
    SensitivityQuery query;
};

Plan plan_of(const DualProblem& dual, const CanonicalForm& form) {
    Plan plan;
    const auto ask_row = [&plan](Place& place, const std::string& name, ModelRowPart part) {
        place.analysis_index = plan.query.rows.size();
        plan.query.rows.push_back({name, {part}, {}, 0.0, 0.0, 0.0});
    };
    const auto ask_variable = [&plan](Place& place, SensitivityQuery::Variable variable) {
        place.analysis_row = false;
        place.analysis_index = plan.query.variables.size();
        plan.query.variables.push_back(std::move(variable));
    };
    for (std::size_t k = 0; k < dual.origins.size(); ++k) {
        const DualOrigin& origin = dual.origins[k];
        const std::string& name = dual.model.columns.at(k).name;
        Place place;
        switch (origin.kind) {
            case DualOrigin::Kind::row:
            case DualOrigin::Kind::row_lower:
            case DualOrigin::Kind::row_upper: {
                const ModelRow& row = form.rows.at(origin.index);
                if (row.parts.empty()) {
                    place.why = "строка отброшена: " + row.dropped;
                    break;
                }
                const bool upper = origin.kind == DualOrigin::Kind::row_upper && row.parts.size() > 1;
                const ModelRowPart part = upper ? row.parts[1] : row.parts[0];
                place.kind = Place::Kind::row_column;
                place.at = part.row;
                place.sign = part.sign;
                ask_row(place, name, part);
                break;
            }
            case DualOrigin::Kind::column_lower:
            case DualOrigin::Kind::column_upper: {
                const ModelVariable& variable = form.variables.at(origin.index);
                if (origin.kind == DualOrigin::Kind::column_upper && variable.bound_row != 0) {
                    place.kind = Place::Kind::row_column;
                    place.at = variable.bound_row;
                    ask_row(place, name, {variable.bound_row, 1.0, origin.rhs});
                } else if (variable.column != 0) {
                    place.kind = Place::Kind::own_column;
                    place.at = variable.column;
                    place.sign = variable.sign;
                    SensitivityQuery::Variable asked;
                    asked.name = name;
                    asked.reduced_columns = {{variable.column, variable.sign}};
                    ask_variable(place, std::move(asked));
                } else {
                    place.why = "у переменной нет столбца";
                }
                break;
            }
            case DualOrigin::Kind::column_fixed: {
                const ModelVariable& variable = form.variables.at(origin.index);
                place.kind = Place::Kind::fixed;
                SensitivityQuery::Variable asked;
                asked.name = name;
                asked.base_reduced_cost = variable.cost;
                for (const auto& [index, a] : variable.fixed_coefficients) {
                    for (const ModelRowPart& part : form.rows.at(index).parts)
                        asked.reduced_rows.push_back({part.row, -a * part.sign});
                }
                ask_variable(place, std::move(asked));
                break;
            }
        }
        plan.places.push_back(std::move(place));
    }
    return plan;
}

std::string estimate_text(std::uint32_t column) { return "Δ" + std::to_string(column); }

template <class Number>
DualSolution read_off(const FinalTable<Number>& t, const DualProblem& dual, const CanonicalForm& form,
                      const SimplexIteration& run, const SolveOutcome& outcome, const Plan& plan,
                      const SensitivityReport& analysis) {
    const Number* const kind = nullptr;  // picks the numbers' overloads
    std::vector<bool> basic(t.n + 1, false);
    for (std::uint32_t i = 1; i <= t.m; ++i) basic.at(t.basis.at(i)) = true;
    DualSolution solution;
    solution.magnitude = outcome.magnitude;
    std::vector<Number> y;
    for (std::size_t k = 0; k < plan.places.size(); ++k) {
        const Place& place = plan.places[k];
        DualValue value;
        value.name = dual.model.columns.at(k).name;
        Number read(0);
        switch (place.kind) {
            case Place::Kind::row_column: {
                const std::uint32_t u = t.initial_basis.at(place.at);
                read = from(place.sign, kind) * (t.plain_estimates.at(u) + t.costs.at(u));
                std::string text = estimate_text(u);
                if (t.m_cost.at(u)) text += t.aim == 1 ? " - M" : " + M";
                if (place.sign < 0 && t.m_cost.at(u)) {
                    text.insert(0, "-(").push_back(')');
                } else if (place.sign < 0) {
                    text.insert(0, "-");
                }
                value.reading = std::move(text);
                value.column = u;
                break;
            }
            case Place::Kind::own_column: {
                const std::uint32_t j = place.at;
                if (!basic.at(j)) read = from(-place.sign, kind) * t.plain_estimates.at(j);
                value.reading = (place.sign > 0 ? "-" : "") + estimate_text(j);
                value.column = j;
                break;
            }
            case Place::Kind::fixed: {
                // Its dual row is an equation: the other dual variables in it give it.
                const LpModel::Row& row = dual.model.rows.at(dual.origins[k].index);
                read = from(row.lower, kind);
                for (const auto& [other, a] : row.coefficients) {
                    if (other < k) read -= from(a, kind) * y.at(other);
                }
                value.reading = "c - Σ a·y";
                value.without_column = "закреплённая переменная: её столбца в таблице нет";
                break;
            }
            case Place::Kind::dropped:
                value.without_column = place.why;
                break;
        }
        if (value.column != 0) value.column_name = utf8_variable_name(run, value.column);
        if (read == 0) read = Number(0);  // no -0
        value.value = report(read);
        if (place.kind == Place::Kind::dropped) {
            value.analysis = report(Number(0));
        } else if (place.analysis_row) {
            value.analysis = analysis.rows.at(place.analysis_index).dual;
        } else {
            value.analysis = analysis.variables.at(place.analysis_index).reduced_cost;
        }
        y.push_back(read);
        solution.values.push_back(std::move(value));
    }
    Number objective = from(dual.model.constant, kind);
    for (std::size_t k = 0; k < y.size(); ++k) objective += from(dual.model.columns[k].cost, kind) * y[k];
    Number primal(0);
    if constexpr (std::is_same_v<Number, double>) {
        primal = form.objective(outcome.solution);
    } else {
        primal = mpq_class(outcome.exact_solution.at(0)) + mpq_class(form.exact_constant);
    }
    solution.primal_objective = report(primal);
    solution.dual_objective = report(objective);
    solution.equal = same(primal, objective, outcome.magnitude);
    return solution;
}

}  // namespace

DualSolution dual_solution(const DualProblem& dual, const CanonicalForm& form, const SimplexIteration& run,
                           const SolveOutcome& outcome, const FinalTableSnapshot& final_table) {
    const Plan plan = plan_of(dual, form);
    const SensitivityReport analysis = sensitivity_report(final_table, plan.query);
    DualSolution solution =
        std::visit([&](const auto& table) { return read_off(table, dual, form, run, outcome, plan, analysis); },
                   final_table.table);
    solution.problem_table = outcome.settings.method != SolveMethod::big_m;
    return solution;
}

std::vector<std::string> dual_solution_lines(const DualSolution& solution, const PeopleFormat& format) {
    const auto number = [&](const SensitivityNumber& x) {
        return sensitivity_number_text(x, solution.magnitude, format);
    };
    std::vector<std::string> lines{solution.problem_table
                                       ? "Двойственное решение (по таблице задачи при базисе последней таблицы):"
                                       : "Двойственное решение (по последней таблице):"};
    for (const DualValue& value : solution.values) {
        std::string line = "  " + value.name + " = ";
        if (!value.reading.empty()) line += value.reading + " = ";
        line += number(value.value) + " (";
        if (value.column != 0) {
            line += "оценка столбца " + value.column_name;
        } else {
            line += value.without_column;
        }
        lines.push_back(line + "; анализ чувствительности: " + number(value.analysis) + ")");
    }
    lines.push_back("Теорема двойственности: цель прямой задачи " + number(solution.primal_objective) +
                    ", цель двойственной (b·y) " + number(solution.dual_objective) +
                    (solution.equal ? " — равны." : " — не равны."));
    return lines;
}
