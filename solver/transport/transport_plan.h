#pragma once

// The records of a transport problem solved by the method of potentials: the balanced table the
// method works on, each plan as the report, JSON and the window show it, and the run's outcome.
// One walk (transport_method.h) fills them, in doubles or in exact fractions (mpq_class).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "problem/transport_problem.h"
#include "solver/transport/m_cost.h"

namespace transport {

struct Cell {
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// A corner of the cycle: the entering cell is the first, marked plus; the signs alternate.
struct CycleCell {
    Cell cell;
    bool plus = true;
    friend bool operator==(const CycleCell&, const CycleCell&) = default;
};

// Which line the balance added: none, a fictitious supplier (last row) or consumer (last column).
enum class Fictitious { none, supplier, consumer };

// The problem made balanced: the fictitious line (zero costs) is part of the grid.
template <class Number>
struct BalancedTable {
    std::string name;  // Windows-1251
    Sense sense = Sense::cost_min;
    std::vector<Number> supplies;      // with the fictitious supplier's, when there is one
    std::vector<Number> demands;       // with the fictitious consumer's, when there is one
    std::vector<MCost<Number>> costs;  // row-major; M at a forbidden route
    std::vector<std::uint8_t> forbidden;
    std::vector<std::string> supplier_names;  // Windows-1251, one a row, the fictitious one included
    std::vector<std::string> consumer_names;
    Fictitious fictitious = Fictitious::none;
    Number imbalance{};  // what the fictitious line supplies or takes

    std::size_t rows() const { return supplies.size(); }
    std::size_t columns() const { return demands.size(); }
    std::size_t at(std::size_t i, std::size_t j) const { return i * columns() + j; }
    const MCost<Number>& cost(std::size_t i, std::size_t j) const { return costs[at(i, j)]; }
    bool is_forbidden(std::size_t i, std::size_t j) const { return forbidden[at(i, j)] != 0; }
};

// One plan with all the method reads off it. Free cells have amount 0 and an estimate
// u_i + v_j - c_ij; basic cells have u_i + v_j = c_ij and may hold a basic zero.
template <class Number>
struct Plan {
    std::int32_t number = 0;               // 0: the first plan, then one a step
    std::vector<Number> amounts;           // row-major, as the table's grid
    std::vector<std::uint8_t> basic;       // 1 at a basic cell
    std::vector<MCost<Number>> u;          // potentials of the rows, u_1 = 0
    std::vector<MCost<Number>> v;          // potentials of the columns
    std::vector<MCost<Number>> estimates;  // of the free cells; zero at basic ones
    std::optional<Cell> entering;          // none at the last plan
    std::vector<CycleCell> cycle;          // from the entering cell round; empty at the last plan
    std::optional<Number> theta;           // the amount moved round the cycle
    std::optional<Cell> leaving;           // the minus cell that leaves the basis
    MCost<Number> total;                   // the plan's cost (M part: amounts on forbidden routes)

    bool is_basic(std::size_t at) const { return basic[at] != 0; }
    bool is_basic_zero(std::size_t at) const { return basic[at] != 0 && amounts[at] == 0; }
};

// How the run ended: no estimate improves (an optimum, or one that must use a forbidden route:
// no feasible plan), or the iteration limit, or a repeated basis stopped it.
enum class TransportEnd { optimal, infeasible, iteration_limit, cycling };

template <class Number>
struct TransportOutcome {
    BalancedTable<Number> table;
    StartMethod start = StartMethod::northwest;
    TransportEnd end = TransportEnd::optimal;
    std::int32_t iterations = 0;        // steps made (cells entered)
    std::vector<Plan<Number>> plans;    // the plans kept, as the run was told
    Plan<Number> last;                  // the last plan, always
    std::vector<Cell> alternatives;     // at an optimum: free cells with a zero estimate
    std::int32_t degenerate_steps = 0;  // steps with θ = 0
    // The answer, at an optimum: the plan of the real routes and its cost.
    Number total_cost{};
};

}  // namespace transport
