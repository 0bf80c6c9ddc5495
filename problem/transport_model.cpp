#include "problem/transport_model.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "problem/cp1251.h"

namespace transport {
namespace {

enum class RowKind { at_most, at_least, equal };
enum Side : int { kUnset = -1, kSupply = 0, kDemand = 1 };

NotTransport refuse(const std::string& why) { return {"модель не транспортная задача для метода потенциалов: " + why}; }

std::optional<RowKind> kind_of(const LpModel::Row& row) {
    const bool has_lower = row.lower != -LpModel::kInfinity;
    const bool has_upper = row.upper != LpModel::kInfinity;
    if (has_lower && has_upper) return row.lower == row.upper ? std::optional(RowKind::equal) : std::nullopt;
    if (has_upper) return RowKind::at_most;
    if (has_lower) return RowKind::at_least;
    return std::nullopt;
}

std::string cp1251_or_plain(const std::string& utf8, const std::string& plain) {
    return cp1251::from_utf8(utf8).value_or(plain);
}

// The model without free rows: they bound nothing (a MathProg objective is one of them).
LpModel without_free_rows(const LpModel& model) {
    LpModel bounded = model;
    std::erase_if(bounded.rows, [](const LpModel::Row& row) {
        return row.lower == -LpModel::kInfinity && row.upper == LpModel::kInfinity;
    });
    return bounded;
}

std::variant<ModelTransport, NotTransport> transport_of_bounded(const LpModel& model) {
    const std::size_t rows = model.rows.size();
    if (model.columns.empty() || rows < 2)
        return refuse("нужны хотя бы одна строка запасов и одна строка потребностей");
    if (model.constant != 0.0) return refuse("в целевой функции есть постоянное слагаемое");
    std::vector<RowKind> kinds;
    for (const LpModel::Row& row : model.rows) {
        const auto kind = kind_of(row);
        if (!kind) return refuse("строка " + row.name + " не вида «<=», «>=» или «=»");
        if (row.coefficients.empty()) return refuse("строка " + row.name + " без переменных");
        kinds.push_back(*kind);
    }
    // Each variable joins the two rows it stands in.
    std::vector<std::vector<std::pair<std::size_t, std::size_t>>> links(rows);  // (other row, variable)
    std::vector<std::vector<std::size_t>> rows_of(model.columns.size());
    for (std::size_t r = 0; r < rows; ++r) {
        for (const auto& [column, value] : model.rows[r].coefficients) {
            if (value != 1.0) {
                return refuse("коэффициент переменной " + model.columns[column].name + " в строке " +
                              model.rows[r].name + " не 1");
            }
            rows_of[column].push_back(r);
        }
    }
    for (std::size_t c = 0; c < model.columns.size(); ++c) {
        const LpModel::Column& column = model.columns[c];
        if (column.lower != 0.0 || column.upper != LpModel::kInfinity) {
            return refuse("у переменной " + column.name + " границы не от 0 до бесконечности");
        }
        if (rows_of[c].size() != 2 || rows_of[c][0] == rows_of[c][1]) {
            return refuse("переменная " + column.name + " не входит ровно в две строки");
        }
        links[rows_of[c][0]].emplace_back(rows_of[c][1], c);
        links[rows_of[c][1]].emplace_back(rows_of[c][0], c);
    }
    // The sides: "<=" supplies, ">=" demands, "=" as the links tell; a group of "=" rows alone puts
    // its first row among the suppliers.
    std::vector<int> side(rows, kUnset);
    for (std::size_t first = 0; first < rows; ++first) {
        if (side[first] != kUnset) continue;
        std::vector<std::size_t> group{first};
        side[first] = kSupply;
        for (std::size_t k = 0; k < group.size(); ++k) {
            for (const auto& [other, column] : links[group[k]]) {
                if (side[other] == kUnset) {
                    side[other] = 1 - side[group[k]];
                    group.push_back(other);
                } else if (side[other] == side[group[k]]) {
                    return refuse("строки не делятся на запасы и потребности");
                }
            }
        }
        int flip = -1;  // unknown
        for (const std::size_t r : group) {
            if (kinds[r] == RowKind::equal) continue;
            const int wanted = kinds[r] == RowKind::at_most ? kSupply : kDemand;
            const int needs = side[r] == wanted ? 0 : 1;
            if (flip == -1) flip = needs;
            if (flip != needs) return refuse("строки «<=» и «>=» стоят по обе стороны одной перевозки");
        }
        if (flip == 1) {
            for (const std::size_t r : group) side[r] = 1 - side[r];
        }
    }
    ModelTransport result;
    TransportProblem& problem = result.problem;
    problem.name = cp1251_or_plain(model.name, "");
    problem.sense = model.maximize ? Sense::profit_max : Sense::cost_min;
    std::vector<std::size_t> index(rows);
    std::vector<std::size_t> supply_rows;
    std::vector<std::size_t> demand_rows;
    for (std::size_t r = 0; r < rows; ++r) {
        const LpModel::Row& row = model.rows[r];
        std::vector<std::size_t>& list = side[r] == kSupply ? supply_rows : demand_rows;
        index[r] = list.size();
        list.push_back(r);
        const double amount = kinds[r] == RowKind::at_least ? row.lower : row.upper;
        if (amount < 0) return refuse("в строке " + row.name + " отрицательная правая часть");
        (side[r] == kSupply ? problem.supplies : problem.demands).push_back(amount);
        (side[r] == kSupply ? problem.supplier_names : problem.consumer_names)
            .push_back(cp1251_or_plain(row.name, (side[r] == kSupply ? "A" : "B") + std::to_string(list.size())));
    }
    const std::size_t m = supply_rows.size();
    const std::size_t n = demand_rows.size();
    problem.costs.assign(m * n, 0.0);
    problem.forbidden.assign(m * n, 1);
    result.variable_of_route.assign(m * n, -1);
    bool any_against_excess = false;
    for (std::size_t c = 0; c < model.columns.size(); ++c) {
        const std::size_t a = side[rows_of[c][0]] == kSupply ? rows_of[c][0] : rows_of[c][1];
        const std::size_t b = side[rows_of[c][0]] == kSupply ? rows_of[c][1] : rows_of[c][0];
        const std::size_t at = index[a] * n + index[b];
        if (problem.forbidden[at] == 0) {
            return refuse("две переменные на одной перевозке " + model.rows[a].name + " — " + model.rows[b].name);
        }
        problem.forbidden[at] = 0;
        problem.costs[at] = model.columns[c].cost;
        result.variable_of_route[at] = static_cast<std::int64_t>(c);
        const double cost = model.columns[c].cost;
        if (model.maximize ? cost > 0 : cost < 0) any_against_excess = true;
    }
    double supply = 0.0;
    double demand = 0.0;
    for (const double a : problem.supplies) supply += a;
    for (const double b : problem.demands) demand += b;
    const double slack = 1e-9 * std::max(1.0, std::max(supply, demand));
    bool equal_supply = false;
    bool at_least_demand = false;
    for (const std::size_t r : supply_rows) equal_supply = equal_supply || kinds[r] == RowKind::equal;
    for (const std::size_t r : demand_rows) at_least_demand = at_least_demand || kinds[r] == RowKind::at_least;
    if (supply < demand - slack) return refuse("запасов меньше, чем потребностей: модель несовместна");
    if (supply > demand + slack && equal_supply) {
        return refuse("запасов больше, чем потребностей, а строки запасов вида «=»");
    }
    if (supply > demand + slack && at_least_demand && any_against_excess) {
        return refuse("строки потребностей вида «>=» при тарифах, с которыми выгодно везти больше потребности");
    }
    return result;
}

}  // namespace

std::variant<ModelTransport, NotTransport> transport_of_model(const LpModel& model) {
    return transport_of_bounded(without_free_rows(model));
}

}  // namespace transport
