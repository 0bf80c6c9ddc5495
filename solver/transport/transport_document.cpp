#include "solver/transport/transport_document.h"

#include <gmpxx.h>

#include <string>
#include <vector>

#include "numerics/exact_number.h"
#include "problem/cp1251.h"
#include "solver/report/number_format.h"
#include "solver/report/output_marker.h"

namespace transport {
namespace {

template <class Number>
bool is_negative(const Number& x) {
    return x < 0;
}

std::string utf8(const std::string& cp1251_text) { return cp1251::to_utf8(cp1251_text); }

template <class Number>
std::string cell_name(const BalancedTable<Number>& table, const Cell& cell) {
    return "(" + utf8(table.supplier_names[cell.row]) + ", " + utf8(table.consumer_names[cell.column]) + ")";
}

const char* start_title(StartMethod start) {
    switch (start) {
        case StartMethod::least_cost:
            return "метод минимального элемента";
        case StartMethod::vogel:
            return "метод аппроксимации Фогеля";
        case StartMethod::northwest:
            break;
    }
    return "метод северо-западного угла";
}

template <class Number>
std::vector<std::string> opening_lines(const TransportOutcome<Number>& outcome, std::int32_t precision) {
    const BalancedTable<Number>& table = outcome.table;
    const bool profit = table.sense == Sense::profit_max;
    std::vector<std::string> lines;
    lines.push_back(profit ? "Цель: максимум прибыли (в клетках — прибыль с единицы груза)."
                           : "Цель: минимум затрат на перевозки (в клетках — тарифы).");
    std::size_t m = table.rows();
    std::size_t n = table.columns();
    if (table.fictitious == Fictitious::supplier) --m;
    if (table.fictitious == Fictitious::consumer) --n;
    Number supply(0);
    Number demand(0);
    for (std::size_t i = 0; i < m; ++i) supply += table.supplies[i];
    for (std::size_t j = 0; j < n; ++j) demand += table.demands[j];
    lines.push_back("Поставщиков " + std::to_string(m) + ", потребителей " + std::to_string(n) + "; сумма запасов " +
                    number_text(supply, precision) + ", сумма потребностей " + number_text(demand, precision) + ".");
    if (table.fictitious == Fictitious::consumer) {
        lines.push_back("Задача открытая: запасов больше, поэтому добавлен фиктивный потребитель " +
                        utf8(table.consumer_names.back()) + " с потребностью " +
                        number_text(table.imbalance, precision) + " и нулевыми тарифами.");
    } else if (table.fictitious == Fictitious::supplier) {
        lines.push_back("Задача открытая: потребностей больше, поэтому добавлен фиктивный поставщик " +
                        utf8(table.supplier_names.back()) + " с запасом " + number_text(table.imbalance, precision) +
                        " и нулевыми тарифами.");
    } else {
        lines.push_back("Задача закрытая: запасы равны потребностям.");
    }
    bool forbidden = false;
    for (const std::uint8_t f : table.forbidden) forbidden = forbidden || f != 0;
    if (forbidden) {
        lines.push_back(profit ? "Запрещённые маршруты получают прибыль -M (M сколь угодно велико)."
                               : "Запрещённые маршруты получают тариф M (M сколь угодно велико).");
    }
    lines.push_back(std::string("Начальный план: ") + start_title(outcome.start) + ".");
    lines.push_back(
        "Если запас и потребность исчерпаны одновременно, вычёркивается строка (кроме последней), а "
        "столбец остаётся с нулевой потребностью, и его следующая клетка получает базисный нуль [0]: "
        "в плане всегда m + n - 1 базисных клеток без цикла.");
    lines.push_back(
        "Потенциалы: u1 = 0, в базисных клетках u_i + v_j = c_ij; оценка свободной клетки "
        "u_i + v_j - c_ij (в скобках).");
    lines.push_back(profit ? "Вводится клетка с наименьшей отрицательной оценкой"
                           : "Вводится клетка с наибольшей положительной оценкой");
    lines.back() +=
        " (при равных — в строке с меньшим номером, затем в столбце с меньшим номером); "
        "θ — наименьшее количество в клетках цикла со знаком «-», из них выходит клетка с меньшим "
        "номером строки, затем столбца, остальные остаются базисными нулями.";
    return lines;
}

template <class Number>
std::vector<std::string> step_lines(const TransportOutcome<Number>& outcome, const Plan<Number>& plan,
                                    std::int32_t precision) {
    const BalancedTable<Number>& table = outcome.table;
    std::vector<std::string> lines;
    lines.push_back((table.sense == Sense::profit_max ? "Прибыль плана: " : "Стоимость плана: ") +
                    cost_text(plan.total, precision) + ".");
    if (!plan.entering) {
        lines.push_back(table.sense == Sense::profit_max
                            ? "Все оценки свободных клеток неотрицательны: план оптимален."
                            : "Все оценки свободных клеток неположительны: план оптимален.");
        return lines;
    }
    const Cell& e = *plan.entering;
    lines.push_back("Вводимая клетка " + cell_name(table, e) + ", оценка " +
                    cost_text(plan.estimates[table.at(e.row, e.column)], precision) + ".");
    std::string cycle = "Цикл:";
    for (const CycleCell& corner : plan.cycle) {
        cycle += " " + cell_name(table, corner.cell) + (corner.plus ? "+" : "-");
    }
    lines.push_back(cycle + ".");
    if (plan.theta && plan.leaving) {
        lines.push_back("θ = " + number_text(*plan.theta, precision) + "; из базиса выходит клетка " +
                        cell_name(table, *plan.leaving) + ".");
    }
    return lines;
}

template <class Number>
std::vector<std::string> end_lines(const TransportOutcome<Number>& outcome, std::int32_t precision) {
    std::vector<std::string> lines;
    switch (outcome.end) {
        case TransportEnd::optimal: {
            std::vector<std::string> answer = answer_lines(outcome, precision);
            lines.insert(lines.end(), answer.begin(), answer.end());
            break;
        }
        case TransportEnd::infeasible:
            lines.push_back("Оптимальный план с тарифом M везёт груз по запрещённому маршруту: допустимого плана нет.");
            break;
        case TransportEnd::iteration_limit:
            lines.push_back("Достигнут предел итераций (" + std::to_string(outcome.iterations) +
                            "): оптимальный план не найден.");
            break;
        case TransportEnd::cycling:
            lines.push_back("Базис плана " + std::to_string(outcome.last.number) +
                            " повторил более ранний (зацикливание): решение остановлено.");
            break;
    }
    return lines;
}

}  // namespace

std::string number_text(double x, std::int32_t precision) {
    std::string text = number_format::to_fixed(x, static_cast<std::uint32_t>(precision < 0 ? 0 : precision));
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

std::string number_text(const mpq_class& x, std::int32_t /*precision*/) { return fraction_text(x); }

template <class Number>
std::string cost_text(const MCost<Number>& c, std::int32_t precision) {
    if (c.m == 0) return number_text(c.plain, precision);
    std::string text;
    if (c.m == 1) {
        text = "M";
    } else if (c.m == -1) {
        text = "-M";
    } else {
        text = number_text(c.m, precision) + "M";
    }
    if (c.plain != 0) text += (is_negative(c.plain) ? "" : "+") + number_text(c.plain, precision);
    return text;
}

bool plan_printed(const TransportPrint& print, std::int32_t number, bool last) {
    switch (print.tables) {
        case PlanTables::none:
            return false;
        case PlanTables::first:
            return number == 0;
        case PlanTables::optimal:
            return last;
        case PlanTables::first_and_optimal:
            return number == 0 || last;
        case PlanTables::all:
            break;
    }
    if (print.print_from == 0 && print.print_to == 0) return true;
    return number >= print.print_from && number <= print.print_to;
}

template <class Number>
PlanGrid plan_grid(const BalancedTable<Number>& table, const Plan<Number>& plan, std::int32_t precision) {
    const std::size_t m = table.rows();
    const std::size_t n = table.columns();
    PlanGrid grid;
    using Kind = GridCell::Kind;
    std::vector<GridCell> head{{Kind::heading, "", "", false, false, false, 0}};
    for (std::size_t j = 0; j < n; ++j)
        head.push_back({Kind::heading, utf8(table.consumer_names[j]), "", false, false, false, 0});
    head.push_back({Kind::heading, "Запасы", "", false, false, false, 0});
    head.push_back({Kind::heading, "u", "", false, false, false, 0});
    grid.rows.push_back(std::move(head));
    for (std::size_t i = 0; i < m; ++i) {
        std::vector<GridCell> row{{Kind::heading, utf8(table.supplier_names[i]), "", false, false, false, 0}};
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t at = table.at(i, j);
            GridCell cell{Kind::route,
                          cost_text(table.costs[at], precision),
                          "",
                          plan.is_basic(at),
                          table.is_forbidden(i, j),
                          false,
                          0};
            cell.bottom = cell.basic ? "[" + number_text(plan.amounts[at], precision) + "]"
                                     : "(" + cost_text(plan.estimates[at], precision) + ")";
            row.push_back(std::move(cell));
        }
        row.push_back({Kind::edge, number_text(table.supplies[i], precision), "", false, false, false, 0});
        row.push_back({Kind::edge, cost_text(plan.u[i], precision), "", false, false, false, 0});
        grid.rows.push_back(std::move(row));
    }
    std::vector<GridCell> demands{{Kind::heading, "Потребности", "", false, false, false, 0}};
    std::vector<GridCell> potentials{{Kind::heading, "v", "", false, false, false, 0}};
    for (std::size_t j = 0; j < n; ++j) {
        demands.push_back({Kind::edge, number_text(table.demands[j], precision), "", false, false, false, 0});
        potentials.push_back({Kind::edge, cost_text(plan.v[j], precision), "", false, false, false, 0});
    }
    demands.push_back({Kind::edge, "", "", false, false, false, 0});
    demands.push_back({Kind::edge, "", "", false, false, false, 0});
    potentials.push_back({Kind::edge, "", "", false, false, false, 0});
    potentials.push_back({Kind::edge, "", "", false, false, false, 0});
    grid.rows.push_back(std::move(demands));
    grid.rows.push_back(std::move(potentials));
    for (const CycleCell& corner : plan.cycle) {
        GridCell& cell = grid.rows[corner.cell.row + 1][corner.cell.column + 1];
        cell.sign = corner.plus ? '+' : '-';
    }
    if (plan.entering) grid.rows[plan.entering->row + 1][plan.entering->column + 1].entering = true;
    return grid;
}

template <class Number>
std::vector<std::string> answer_lines(const TransportOutcome<Number>& outcome, std::int32_t precision) {
    const BalancedTable<Number>& table = outcome.table;
    const Plan<Number>& plan = outcome.last;
    const bool fictitious_row = table.fictitious == Fictitious::supplier;
    const bool fictitious_column = table.fictitious == Fictitious::consumer;
    std::vector<std::string> lines{"Оптимальный план перевозок:"};
    std::vector<std::string> fictitious;
    for (std::size_t i = 0; i < table.rows(); ++i) {
        for (std::size_t j = 0; j < table.columns(); ++j) {
            const Number& x = plan.amounts[table.at(i, j)];
            if (x == 0) continue;
            const std::string route = "  " + utf8(table.supplier_names[i]) + " -> " + utf8(table.consumer_names[j]) +
                                      ": " + number_text(x, precision);
            const bool to_fictitious =
                (fictitious_row && i + 1 == table.rows()) || (fictitious_column && j + 1 == table.columns());
            (to_fictitious ? fictitious : lines).push_back(route);
        }
    }
    lines.push_back((table.sense == Sense::profit_max ? "Наибольшая прибыль: " : "Наименьшая стоимость: ") +
                    number_text(outcome.total_cost, precision) + ".");
    if (fictitious_column) {
        lines.push_back("Фиктивный потребитель " + utf8(table.consumer_names.back()) +
                        " получает то, что остаётся у поставщиков невывезенным:");
    } else if (fictitious_row) {
        lines.push_back("Фиктивный поставщик " + utf8(table.supplier_names.back()) +
                        " даёт то, что потребители недополучают:");
    }
    if (table.fictitious != Fictitious::none && fictitious.empty()) lines.back() += " ничего.";
    lines.insert(lines.end(), fictitious.begin(), fictitious.end());
    if (!outcome.alternatives.empty()) {
        lines.push_back("Оптимальный план не единственный: оценка свободной клетки " +
                        cell_name(table, outcome.alternatives.front()) + " равна нулю.");
    }
    return lines;
}

template <class Number>
TransportDocument transport_document(const TransportOutcome<Number>& outcome, const TransportPrint& print) {
    TransportDocument document;
    const BalancedTable<Number>& table = outcome.table;
    document.title =
        std::string(kTransportReportTitle) + (table.name.empty() ? std::string() : " «" + utf8(table.name) + "»");
    document.blocks.push_back({"", opening_lines(outcome, print.precision), {}, {}});
    auto add_plan = [&](const Plan<Number>& plan) {
        const bool last = plan.number == outcome.last.number;
        if (!plan_printed(print, plan.number, last)) return;
        DocumentBlock block;
        block.heading = plan.number == 0 ? "План 0 (начальный)" : "План " + std::to_string(plan.number);
        block.grid.push_back(plan_grid(table, plan, print.precision));
        block.after = step_lines(outcome, plan, print.precision);
        document.blocks.push_back(std::move(block));
    };
    bool last_shown = false;
    for (const Plan<Number>& plan : outcome.plans) {
        add_plan(plan);
        last_shown = last_shown || plan.number == outcome.last.number;
    }
    if (!last_shown) add_plan(outcome.last);
    document.blocks.push_back({"", {}, {}, end_lines(outcome, print.precision)});
    return document;
}

template std::string cost_text<double>(const MCost<double>&, std::int32_t);
template std::string cost_text<mpq_class>(const MCost<mpq_class>&, std::int32_t);
template PlanGrid plan_grid<double>(const BalancedTable<double>&, const Plan<double>&, std::int32_t);
template PlanGrid plan_grid<mpq_class>(const BalancedTable<mpq_class>&, const Plan<mpq_class>&, std::int32_t);
template TransportDocument transport_document<double>(const TransportOutcome<double>&, const TransportPrint&);
template TransportDocument transport_document<mpq_class>(const TransportOutcome<mpq_class>&, const TransportPrint&);
template std::vector<std::string> answer_lines<double>(const TransportOutcome<double>&, std::int32_t);
template std::vector<std::string> answer_lines<mpq_class>(const TransportOutcome<mpq_class>&, std::int32_t);

}  // namespace transport
