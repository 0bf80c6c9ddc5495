#pragma once

// What the report of a transport run says, in the order it says it, before any form: lines of
// text and each printed plan as a grid of texts. The text report, LaTeX and HTML draw the same
// document; the window can draw the same grids. Texts are UTF-8 (names converted from Windows-1251).

#include <gmpxx.h>

#include <cstdint>
#include <string>
#include <vector>

#include "problem/transport_problem.h"
#include "solver/transport/transport_plan.h"

namespace transport {

// One cell of a plan's grid: two lines (the cost above; the amount in brackets or the estimate in
// parentheses below), and what the drawing marks.
struct GridCell {
    enum class Kind { heading, route, edge };  // a line's name, a route, a supply/demand/potential
    Kind kind = Kind::edge;
    std::string top;
    std::string bottom;
    bool basic = false;
    bool forbidden = false;
    bool entering = false;
    char sign = 0;  // '+' or '-' on the cycle, 0 off it
};

// The grid of a plan: a heading row (consumers, "Запасы", "u"), one row a supplier, the demands row
// and the row of the potentials v.
struct PlanGrid {
    std::vector<std::vector<GridCell>> rows;
};

struct DocumentBlock {
    std::string heading;             // a plan's title; empty for plain lines
    std::vector<std::string> lines;  // paragraphs of text, before the grid
    std::vector<PlanGrid> grid;      // none or one
    std::vector<std::string> after;  // lines after the grid
};

struct TransportDocument {
    std::string title;
    std::vector<DocumentBlock> blocks;
};

// Whether the print options show plan `number` of a run whose last plan is `last`.
bool plan_printed(const TransportPrint& print, std::int32_t number, bool last);

// Number texts: doubles with at most `precision` fraction digits, trailing zeros dropped; fractions
// as "p/q". An M cost as "M", "-M", "2M+3".
std::string number_text(double x, std::int32_t precision);
std::string number_text(const mpq_class& x, std::int32_t precision);
template <class Number>
std::string cost_text(const MCost<Number>& c, std::int32_t precision);

// The grid of one plan.
template <class Number>
PlanGrid plan_grid(const BalancedTable<Number>& table, const Plan<Number>& plan, std::int32_t precision);

// The whole document: the problem and its balance, the rules, each printed plan with its step, the end.
template <class Number>
TransportDocument transport_document(const TransportOutcome<Number>& outcome, const TransportPrint& print);

// The closing lines alone (the answer), for the tool's text output.
template <class Number>
std::vector<std::string> answer_lines(const TransportOutcome<Number>& outcome, std::int32_t precision);

}  // namespace transport
