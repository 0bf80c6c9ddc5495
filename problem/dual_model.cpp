#include "problem/dual_model.h"

#include <charconv>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "problem/valid_utf8.h"

namespace {

enum class Sign { nonnegative, nonpositive, free };

// The sign a primal variable keeps; its other finite bounds become constraints.
Sign sign_of(const LpModel::Column& column) {
    if (column.lower == column.upper && std::isfinite(column.lower)) return Sign::free;  // x = l is a row
    if (column.lower == 0.0) return Sign::nonnegative;
    if (column.upper == 0.0) return Sign::nonpositive;
    return Sign::free;
}

// The sign of the dual variable of a primal constraint: for a maximum "<=" gives y >= 0 and ">=" y <= 0.
Sign dual_sign(char relation, bool maximize) {
    if (relation == '=') return Sign::free;
    return (relation == '<') == maximize ? Sign::nonnegative : Sign::nonpositive;
}

// The relation of the dual row of a primal variable: for a maximum x >= 0 gives ">=" and x <= 0 "<=".
char dual_relation(Sign sign, bool maximize) {
    if (sign == Sign::free) return '=';
    return (sign == Sign::nonnegative) == maximize ? '>' : '<';
}

class Names {
public:
    std::string unique(std::string name) {
        while (!taken_.insert(name).second) name += '_';
        return name;
    }

private:
    std::set<std::string> taken_;
};

std::string column_name(const LpModel& primal, std::size_t j) {
    const std::string& name = primal.columns[j].name;
    return name.empty() ? "x" + std::to_string(j + 1) : name;
}

std::string number(double x) {
    if (x == 0.0) return "0";  // no -0
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, x);
    return {text, result.ptr};
}

std::string relation_text(char relation) {
    if (relation == '<') return "<=";
    if (relation == '>') return ">=";
    return "=";
}

// c1 y1 + c2 y2 - y3 ...; "0" when there are no terms.
template <class Terms>
std::string sum_text(const Terms& terms, const LpModel& model) {
    std::string text;
    for (const auto& [k, a] : terms) {
        const std::string& name = model.columns.at(k).name;
        const double size = std::fabs(a);
        const std::string times = size == 1.0 ? valid_utf8(name) : number(size) + " " + valid_utf8(name);
        if (text.empty()) {
            text = a < 0 ? "-" + times : times;
        } else {
            text += (a < 0 ? " - " : " + ") + times;
        }
    }
    return text.empty() ? "0" : text;
}

std::string sign_text(const LpModel::Column& column) {
    if (column.lower == 0.0 && !std::isfinite(column.upper)) return " >= 0";
    if (column.upper == 0.0 && !std::isfinite(column.lower)) return " <= 0";
    return " свободна";
}

bool from_row(const DualOrigin& origin) {
    return origin.kind == DualOrigin::Kind::row || origin.kind == DualOrigin::Kind::row_lower ||
           origin.kind == DualOrigin::Kind::row_upper;
}

std::string origin_text(const DualOrigin& origin, const LpModel& primal) {
    return (from_row(origin) ? "строка " : "граница ") + dual_origin_name(origin, primal) +
           (from_row(origin) ? ": " : " ") + relation_text(origin.relation) + " " + number(origin.rhs);
}

}  // namespace

DualProblem dual_problem(const LpModel& primal) {
    DualProblem dual;
    LpModel& model = dual.model;
    model.maximize = !primal.maximize;
    model.constant = primal.constant;
    if (!primal.name.empty()) model.name = primal.name + "_dual";

    // The dual rows first, one per primal variable, so that the constraints can fill them in.
    Names row_names;
    model.rows.resize(primal.columns.size());
    for (std::size_t j = 0; j < primal.columns.size(); ++j) {
        LpModel::Row& row = model.rows[j];
        const LpModel::Column& column = primal.columns[j];
        row.name = row_names.unique(column_name(primal, j));
        const char relation = dual_relation(sign_of(column), primal.maximize);
        if (relation != '<') row.lower = column.cost;
        if (relation != '>') row.upper = column.cost;
    }

    Names variable_names;
    std::vector<double> sums(primal.columns.size(), 0.0);
    const auto add_variable = [&](std::string name, DualOrigin origin) {
        LpModel::Column column;
        column.name = variable_names.unique(std::move(name));
        const Sign sign = dual_sign(origin.relation, primal.maximize);
        column.lower = sign == Sign::nonnegative ? 0.0 : -LpModel::kInfinity;
        column.upper = sign == Sign::nonpositive ? 0.0 : LpModel::kInfinity;
        column.cost = origin.rhs;
        model.columns.push_back(std::move(column));
        dual.origins.push_back(origin);
        return static_cast<std::uint32_t>(model.columns.size() - 1);
    };
    for (std::size_t i = 0; i < primal.rows.size(); ++i) {
        const LpModel::Row& row = primal.rows[i];
        const bool has_lower = std::isfinite(row.lower);
        const bool has_upper = std::isfinite(row.upper);
        if (!has_lower && !has_upper) continue;  // a free row constrains nothing
        const std::string base = row.name.empty() ? "y" + std::to_string(i + 1) : "y_" + row.name;
        const auto index = static_cast<std::uint32_t>(i);
        std::vector<std::uint32_t> sides;
        if (row.lower == row.upper) {
            sides.push_back(add_variable(base, {DualOrigin::Kind::row, index, '=', row.lower}));
        } else if (has_lower && has_upper) {
            sides.push_back(add_variable(base + "_lo", {DualOrigin::Kind::row_lower, index, '>', row.lower}));
            sides.push_back(add_variable(base + "_up", {DualOrigin::Kind::row_upper, index, '<', row.upper}));
        } else if (has_lower) {
            sides.push_back(add_variable(base, {DualOrigin::Kind::row, index, '>', row.lower}));
        } else {
            sides.push_back(add_variable(base, {DualOrigin::Kind::row, index, '<', row.upper}));
        }
        // The row's coefficients, a column named twice summed, go down the dual rows.
        std::vector<std::uint32_t> touched;
        for (const auto& [j, a] : row.coefficients) {
            if (j >= primal.columns.size())
                throw std::out_of_range("строка модели ссылается на несуществующую переменную");
            if (sums[j] == 0.0) touched.push_back(j);
            sums[j] += a;
        }
        for (const std::uint32_t j : touched) {
            const double a = sums[j];
            sums[j] = 0.0;
            if (a == 0.0) continue;
            for (const std::uint32_t k : sides) model.rows[j].coefficients.emplace_back(k, a);
        }
    }
    for (std::size_t j = 0; j < primal.columns.size(); ++j) {
        const LpModel::Column& column = primal.columns[j];
        const std::string base = "y_" + column_name(primal, j);
        const auto index = static_cast<std::uint32_t>(j);
        std::vector<std::uint32_t> added;
        if (column.lower == column.upper && std::isfinite(column.lower)) {
            added.push_back(add_variable(base + "_fix", {DualOrigin::Kind::column_fixed, index, '=', column.lower}));
        } else {
            const Sign sign = sign_of(column);
            if (std::isfinite(column.lower) && sign != Sign::nonnegative) {
                added.push_back(add_variable(base + "_lo", {DualOrigin::Kind::column_lower, index, '>', column.lower}));
            }
            if (std::isfinite(column.upper) && sign != Sign::nonpositive) {
                added.push_back(add_variable(base + "_up", {DualOrigin::Kind::column_upper, index, '<', column.upper}));
            }
        }
        for (const std::uint32_t k : added) model.rows[j].coefficients.emplace_back(k, 1.0);
    }
    return dual;
}

std::string dual_origin_name(const DualOrigin& origin, const LpModel& primal) {
    if (!from_row(origin)) return valid_utf8(column_name(primal, origin.index));
    const std::string& name = primal.rows.at(origin.index).name;
    return name.empty() ? std::to_string(origin.index + 1) : valid_utf8(name);
}

std::vector<std::string> dual_problem_lines(const DualProblem& dual, const LpModel& primal) {
    const LpModel& model = dual.model;
    std::vector<std::string> lines{"Двойственная задача:"};
    std::vector<std::pair<std::uint32_t, double>> costs;
    for (std::uint32_t k = 0; k < model.columns.size(); ++k) {
        if (model.columns[k].cost != 0.0) costs.emplace_back(k, model.columns[k].cost);
    }
    std::string objective = sum_text(costs, model);
    if (model.constant != 0.0) {
        const std::string constant = number(std::fabs(model.constant));
        if (costs.empty()) {
            objective = model.constant < 0 ? "-" + constant : constant;
        } else {
            objective += (model.constant < 0 ? " - " : " + ") + constant;
        }
    }
    lines.push_back(std::string("  Цель: ") + (model.maximize ? "максимум " : "минимум ") + objective);
    lines.emplace_back("  Ограничения (по одному на переменную модели):");
    for (const LpModel::Row& row : model.rows) {
        const char relation = row.lower == row.upper ? '=' : std::isfinite(row.lower) ? '>' : '<';
        const double rhs = relation == '<' ? row.upper : row.lower;
        lines.push_back("    " + valid_utf8(row.name) + ": " + sum_text(row.coefficients, model) + " " +
                        relation_text(relation) + " " + number(rhs));
    }
    lines.emplace_back("  Переменные (по одной на ограничение модели):");
    for (std::size_t k = 0; k < model.columns.size(); ++k) {
        const LpModel::Column& column = model.columns[k];
        lines.push_back("    " + valid_utf8(column.name) + sign_text(column) + " (" +
                        origin_text(dual.origins[k], primal) + ")");
    }
    return lines;
}
