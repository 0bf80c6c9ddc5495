// The answer of a transport run as one JSON object: the table, every plan kept, the end.

#include <gmpxx.h>

#include <ostream>
#include <string>
#include <variant>

#include "cli/result_printer.h"
#include "cli/transport_cli.h"
#include "numerics/exact_number.h"
#include "problem/cp1251.h"
#include "solver/report/markup_escapes.h"
#include "solver/transport/transport_document.h"

namespace cli {
namespace {

using namespace transport;

// Doubles as numbers, fractions as strings "p/q" (as the exact runs of the simplex method).
void number(std::ostream& out, double x) { out << shortest_number(x); }
void number(std::ostream& out, const mpq_class& x) { out << json_string(fraction_text(x)); }

// A cost with M as a string ("M+3"); a plain one as a number.
template <class Number>
void cost(std::ostream& out, const MCost<Number>& c) {
    if (c.has_m()) {
        out << json_string(cost_text(c, 17));
    } else {
        number(out, c.plain);
    }
}

template <class List, class Write>
void list(std::ostream& out, const List& items, Write write) {
    out << '[';
    bool first = true;
    for (const auto& item : items) {
        if (!first) out << ", ";
        first = false;
        write(item);
    }
    out << ']';
}

// Rows of the table's grid, one array a row.
template <class Number, class Write>
void grid(std::ostream& out, const BalancedTable<Number>& table, Write write) {
    out << '[';
    for (std::size_t i = 0; i < table.rows(); ++i) {
        out << (i == 0 ? "[" : ", [");
        for (std::size_t j = 0; j < table.columns(); ++j) {
            if (j != 0) out << ", ";
            write(i, j);
        }
        out << ']';
    }
    out << ']';
}

void cell(std::ostream& out, const Cell& c) { out << '[' << c.row + 1 << ", " << c.column + 1 << ']'; }

template <class Number>
void plan(std::ostream& out, const BalancedTable<Number>& table, const Plan<Number>& p) {
    out << R"({"number": )" << p.number << R"(, "basic": )";
    std::vector<Cell> basic;
    for (std::size_t i = 0; i < table.rows(); ++i) {
        for (std::size_t j = 0; j < table.columns(); ++j) {
            if (p.is_basic(table.at(i, j)))
                basic.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j)});
        }
    }
    list(out, basic, [&](const Cell& c) {
        out << R"({"cell": )";
        cell(out, c);
        out << R"(, "amount": )";
        number(out, p.amounts[table.at(c.row, c.column)]);
        out << '}';
    });
    out << R"(, "u": )";
    list(out, p.u, [&](const MCost<Number>& x) { cost(out, x); });
    out << R"(, "v": )";
    list(out, p.v, [&](const MCost<Number>& x) { cost(out, x); });
    out << R"(, "estimates": )";
    grid(out, table, [&](std::size_t i, std::size_t j) {
        if (p.is_basic(table.at(i, j))) {
            out << "null";
        } else {
            cost(out, p.estimates[table.at(i, j)]);
        }
    });
    out << R"(, "cost": )";
    cost(out, p.total);
    if (p.entering) {
        out << R"(, "entering": )";
        cell(out, *p.entering);
        out << R"(, "cycle": )";
        list(out, p.cycle, [&](const CycleCell& c) {
            out << R"({"cell": )";
            cell(out, c.cell);
            out << R"(, "sign": )" << (c.plus ? "\"+\"" : "\"-\"") << '}';
        });
        out << R"(, "theta": )";
        number(out, *p.theta);
        out << R"(, "leaving": )";
        cell(out, *p.leaving);
    }
    out << '}';
}

const char* end_word(TransportEnd end) {
    switch (end) {
        case TransportEnd::infeasible:
            return "infeasible";
        case TransportEnd::iteration_limit:
            return "iteration_limit";
        case TransportEnd::cycling:
            return "cycling";
        case TransportEnd::optimal:
            break;
    }
    return "optimal";
}

template <class Number>
void outcome_json(std::ostream& out, const TransportOutcome<Number>& outcome, const TransportProblem& problem) {
    const BalancedTable<Number>& table = outcome.table;
    const auto names = [&](const std::vector<std::string>& list_of) {
        list(out, list_of, [&](const std::string& name) { out << json_string(cp1251::to_utf8(name)); });
    };
    out << R"({"ok": )" << (outcome.end == TransportEnd::infeasible ? "false" : "true") << R"(, "end": ")"
        << end_word(outcome.end) << R"(", "method": "potentials", "start": ")" << start_word(outcome.start)
        << R"(", "sense": ")" << (table.sense == Sense::profit_max ? "max" : "min") << R"(", "total_cost": )";
    number(out, outcome.total_cost);
    out << R"(, "iterations": )" << outcome.iterations << R"(, "suppliers": )";
    names(table.supplier_names);
    out << R"(, "consumers": )";
    names(table.consumer_names);
    out << R"(, "supplies": )";
    list(out, table.supplies, [&](const Number& x) { number(out, x); });
    out << R"(, "demands": )";
    list(out, table.demands, [&](const Number& x) { number(out, x); });
    out << R"(, "fictitious": )"
        << (table.fictitious == Fictitious::supplier   ? "\"supplier\""
            : table.fictitious == Fictitious::consumer ? "\"consumer\""
                                                       : "null");
    out << R"(, "costs": )";
    grid(out, table, [&](std::size_t i, std::size_t j) { cost(out, table.cost(i, j)); });
    out << R"(, "plans": )";
    list(out, outcome.plans, [&](const Plan<Number>& p) { plan(out, table, p); });
    out << R"(, "plan": )";
    plan(out, table, outcome.last);
    out << R"(, "alternative_optimum": )" << (outcome.alternatives.empty() ? "false" : "true");
    out << R"(, "report": )";
    if (problem.print.tables == PlanTables::none) {
        out << "null";
    } else {
        out << json_string(cp1251::to_utf8(problem.print.file));
    }
    out << "}\n";
}

}  // namespace

void print_transport_json(std::ostream& out, const AnyTransportOutcome& outcome, const TransportProblem& problem) {
    std::visit([&](const auto& done) { outcome_json(out, done, problem); }, outcome);
}

}  // namespace cli
