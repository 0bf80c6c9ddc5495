#include "solver/transport/transport_method.h"

#include <gmpxx.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "numerics/exact_number.h"
#include "solver/engine/basis_repeat.h"

namespace transport {
namespace {

template <class Number>
Number number_of(double x) {
    if constexpr (std::is_same_v<Number, double>) {
        return x;
    } else {
        return exact_from_double(x);
    }
}

template <class Number>
double double_of(const Number& x) {
    if constexpr (std::is_same_v<Number, double>) {
        return x;
    } else {
        return x.get_d();
    }
}

// How far from zero a number must be to count: doubles carry the rounding of sums of fractions,
// fractions are exact. The scale is the largest magnitude of the data compared.
template <class Number>
Number tolerance_for(double scale) {
    if constexpr (std::is_same_v<Number, double>) {
        return 1e-9 * std::max(1.0, scale);
    } else {
        return Number(0);
    }
}

// An estimate as the method ranks it: positive improves a cost, negative a profit; M counts first.
template <class Number>
bool improves(const MCost<Number>& score, const Number& eps) {
    return score.m > 0 || (score.m == 0 && score.plain > eps);
}

template <class Number>
bool is_zero(const MCost<Number>& score, const Number& eps) {
    return score.m == 0 && score.plain <= eps && -score.plain <= eps;
}

// The working state of one run: the balanced table, the plan, the tree of basic cells.
template <class Number>
class PotentialsWalk {
public:
    PotentialsWalk(BalancedTable<Number> table, const TransportRunSettings& settings);
    TransportOutcome<Number> run();

private:
    using Cost = MCost<Number>;
    std::size_t rows() const { return table_.rows(); }
    std::size_t columns() const { return table_.columns(); }
    std::size_t at(std::size_t i, std::size_t j) const { return table_.at(i, j); }
    // The cost as the method minimises it: a profit problem's profits turned round.
    Cost working_cost(std::size_t i, std::size_t j) const {
        return table_.sense == Sense::cost_min ? table_.cost(i, j) : -table_.cost(i, j);
    }
    // An estimate u_i + v_j - c_ij turned the same way: positive improves.
    Cost score(const Cost& estimate) const { return table_.sense == Sense::cost_min ? estimate : -estimate; }

    void start();
    void start_northwest();
    void start_least_cost();
    void start_vogel();
    // One cell of the start: the most it can take; then its row or its column is crossed out.
    void place(std::size_t i, std::size_t j);

    void link(std::size_t i, std::size_t j);
    void unlink(std::size_t i, std::size_t j);
    void compute_potentials();
    Cost estimate(std::size_t i, std::size_t j) const { return u_[i] + v_[j] - table_.cost(i, j); }
    std::optional<Cell> entering_cell() const;
    std::vector<CycleCell> cycle_of(Cell entering) const;
    void find_step();
    void make_step();
    Plan<Number> snapshot(std::int32_t number) const;

    BalancedTable<Number> table_;
    const TransportRunSettings& settings_;
    Number amount_eps_{};
    Number cost_eps_{};
    bool has_m_ = false;                 // some route is forbidden
    std::vector<Number> plain_costs_;    // the plain parts of the costs, for the pass without M
    std::vector<Number> negated_costs_;  // the same turned round, for a profit problem
    std::vector<Number> amounts_;
    std::vector<std::uint8_t> basic_;
    // The tree: nodes 0..m-1 are rows, m..m+n-1 columns; an edge is a basic cell.
    std::vector<std::vector<std::uint32_t>> neighbours_;
    std::vector<std::uint32_t> parent_;
    std::vector<std::uint32_t> depth_;
    std::vector<Cost> u_;
    std::vector<Cost> v_;
    // The start's state: what is left to place, and the lines crossed out.
    std::vector<Number> left_supply_;
    std::vector<Number> left_demand_;
    std::vector<std::uint8_t> row_done_;
    std::vector<std::uint8_t> column_done_;
    std::size_t rows_left_ = 0;
    std::size_t columns_left_ = 0;
    // The step of the current plan, once found.
    std::optional<Cell> entering_;
    std::vector<CycleCell> cycle_;
    std::optional<Number> theta_;
    std::optional<Cell> leaving_;
};

template <class Number>
PotentialsWalk<Number>::PotentialsWalk(BalancedTable<Number> table, const TransportRunSettings& settings)
    : table_(std::move(table)), settings_(settings) {
    double amount_scale = 0.0;
    for (const Number& a : table_.supplies) amount_scale = std::max(amount_scale, std::abs(double_of(a)));
    double cost_scale = 0.0;
    for (const Cost& c : table_.costs) {
        cost_scale = std::max(cost_scale, std::abs(double_of(c.plain)));
        has_m_ = has_m_ || c.has_m();
        plain_costs_.push_back(c.plain);
        if (table_.sense == Sense::profit_max) negated_costs_.push_back(-c.plain);
    }
    amount_eps_ = tolerance_for<Number>(amount_scale);
    cost_eps_ = tolerance_for<Number>(cost_scale);
    amounts_.assign(rows() * columns(), Number(0));
    basic_.assign(rows() * columns(), 0);
    neighbours_.resize(rows() + columns());
}

template <class Number>
void PotentialsWalk<Number>::link(std::size_t i, std::size_t j) {
    basic_[at(i, j)] = 1;
    neighbours_[i].push_back(static_cast<std::uint32_t>(rows() + j));
    neighbours_[rows() + j].push_back(static_cast<std::uint32_t>(i));
}

template <class Number>
void PotentialsWalk<Number>::unlink(std::size_t i, std::size_t j) {
    basic_[at(i, j)] = 0;
    auto drop = [](std::vector<std::uint32_t>& list, std::size_t node) {
        list.erase(std::find(list.begin(), list.end(), static_cast<std::uint32_t>(node)));
    };
    drop(neighbours_[i], rows() + j);
    drop(neighbours_[rows() + j], i);
}

// Each cell of the start crosses out one line: its row when the supply is used up (also when the
// demand is used up at the same time and other rows remain: the column stays with a demand of 0,
// and its next cell is a basic zero), else its column; the last cell crosses out both. So the plan
// has m + n - 1 basic cells, and they hold no cycle.
template <class Number>
void PotentialsWalk<Number>::place(std::size_t i, std::size_t j) {
    Number& a = left_supply_[i];
    Number& b = left_demand_[j];
    const Number diff = a - b;
    const bool row_first = !(diff > amount_eps_);  // a <= b
    const bool same = !(diff < -amount_eps_) && row_first;
    const Number amount = row_first ? a : b;
    amounts_[at(i, j)] = amount;
    link(i, j);
    if (rows_left_ == 1 && columns_left_ == 1) {
        a = 0;
        b = 0;
        row_done_[i] = column_done_[j] = 1;
        rows_left_ = columns_left_ = 0;
    } else if (row_first && (rows_left_ > 1 || !same)) {
        b = same ? Number(0) : Number(b - a);
        a = 0;
        row_done_[i] = 1;
        --rows_left_;
    } else {
        a = same ? Number(0) : Number(a - b);
        b = 0;
        column_done_[j] = 1;
        --columns_left_;
    }
}

template <class Number>
void PotentialsWalk<Number>::start_northwest() {
    std::size_t i = 0;
    std::size_t j = 0;
    while (rows_left_ + columns_left_ > 0) {
        place(i, j);
        if (row_done_[i] != 0) ++i;
        if (j < columns() && column_done_[j] != 0) ++j;
    }
}

template <class Number>
void PotentialsWalk<Number>::start_least_cost() {
    std::vector<std::uint32_t> order(rows() * columns());
    std::iota(order.begin(), order.end(), 0U);
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t x, std::uint32_t y) {
        return working_cost(x / columns(), x % columns()) < working_cost(y / columns(), y % columns());
    });
    for (const std::uint32_t cell : order) {
        if (rows_left_ + columns_left_ == 0) break;
        const std::size_t i = cell / columns();
        const std::size_t j = cell % columns();
        if (row_done_[i] == 0 && column_done_[j] == 0) place(i, j);
    }
}

// Vogel's approximation: the line whose two least costs differ most (a line with one cell left:
// 0) gets its least-cost cell; among equal differences rows come before columns, lower numbers
// first, and among equal costs the lower number.
template <class Number>
void PotentialsWalk<Number>::start_vogel() {
    struct Least {
        std::optional<Cost> first;
        std::optional<Cost> second;
        std::size_t where = 0;
        void take(const Cost& c, std::size_t k) {
            if (!first || c < *first) {
                second = first;
                first = c;
                where = k;
            } else if (!second || c < *second) {
                second = c;
            }
        }
        Cost penalty() const { return second ? *second - *first : Cost{}; }
    };
    while (rows_left_ + columns_left_ > 0) {
        std::optional<Cost> best;
        std::size_t best_i = 0;
        std::size_t best_j = 0;
        for (std::size_t i = 0; i < rows(); ++i) {
            if (row_done_[i] != 0) continue;
            Least least;
            for (std::size_t j = 0; j < columns(); ++j) {
                if (column_done_[j] == 0) least.take(working_cost(i, j), j);
            }
            if (const Cost p = least.penalty(); !best || p > *best) {
                best = p;
                best_i = i;
                best_j = least.where;
            }
        }
        for (std::size_t j = 0; j < columns(); ++j) {
            if (column_done_[j] != 0) continue;
            Least least;
            for (std::size_t i = 0; i < rows(); ++i) {
                if (row_done_[i] == 0) least.take(working_cost(i, j), i);
            }
            if (const Cost p = least.penalty(); !best || p > *best) {
                best = p;
                best_i = least.where;
                best_j = j;
            }
        }
        place(best_i, best_j);
    }
}

template <class Number>
void PotentialsWalk<Number>::start() {
    left_supply_ = table_.supplies;
    left_demand_ = table_.demands;
    row_done_.assign(rows(), 0);
    column_done_.assign(columns(), 0);
    rows_left_ = rows();
    columns_left_ = columns();
    switch (settings_.start) {
        case StartMethod::northwest:
            start_northwest();
            break;
        case StartMethod::least_cost:
            start_least_cost();
            break;
        case StartMethod::vogel:
            start_vogel();
            break;
    }
}

// u_1 = 0, then along the tree: u_i + v_j = c_ij at every basic cell.
template <class Number>
void PotentialsWalk<Number>::compute_potentials() {
    const std::size_t nodes = rows() + columns();
    constexpr std::uint32_t kUnseen = ~0U;
    parent_.assign(nodes, kUnseen);
    depth_.assign(nodes, 0);
    u_.assign(rows(), Cost{});
    v_.assign(columns(), Cost{});
    std::vector<std::uint32_t> queue{0};
    parent_[0] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t node = queue[head];
        for (const std::uint32_t next : neighbours_[node]) {
            if (parent_[next] != kUnseen) continue;
            parent_[next] = node;
            depth_[next] = depth_[node] + 1;
            if (next >= rows()) {
                v_[next - rows()] = table_.cost(node, next - rows()) - u_[node];
            } else {
                u_[next] = table_.cost(next, node - rows()) - v_[node - rows()];
            }
            queue.push_back(next);
        }
    }
    if (queue.size() != nodes) throw std::logic_error("базисные клетки плана не связаны");
}

// Without M anywhere (no forbidden route) only the plain parts count: one pass over plain numbers,
// the pass every step of a large problem spends its time in.
template <class Number>
std::optional<Cell> PotentialsWalk<Number>::entering_cell() const {
    std::optional<Cell> best;
    if (!has_m_) {
        const bool profit = table_.sense == Sense::profit_max;
        Number threshold = cost_eps_;  // improves, and beats the best so far (the first of equals stays)
        std::vector<Number> v(columns());
        for (std::size_t j = 0; j < columns(); ++j) v[j] = profit ? Number(-v_[j].plain) : v_[j].plain;
        std::vector<Number> row(columns());
        for (std::size_t i = 0; i < rows(); ++i) {
            // A row's estimates first, in a loop the compiler can vectorise, then the search in them.
            const Number u = profit ? Number(-u_[i].plain) : u_[i].plain;
            const Number* c = (profit ? negated_costs_ : plain_costs_).data() + at(i, 0);
            for (std::size_t j = 0; j < columns(); ++j) row[j] = u + v[j] - c[j];
            const std::uint8_t* basic = basic_.data() + at(i, 0);
            for (std::size_t j = 0; j < columns(); ++j) {
                if (row[j] > threshold && basic[j] == 0) {
                    threshold = row[j];
                    best = Cell{static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j)};
                }
            }
        }
        return best;
    }
    Cost best_score;
    for (std::size_t i = 0; i < rows(); ++i) {
        for (std::size_t j = 0; j < columns(); ++j) {
            if (basic_[at(i, j)] != 0) continue;
            const Cost s = score(estimate(i, j));
            if (improves(s, cost_eps_) && (!best || s > best_score)) {
                best = Cell{static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j)};
                best_score = s;
            }
        }
    }
    return best;
}

// The entering cell, then the path through the tree from its row to its column: the cells of
// that path alternate minus and plus, from the one in the entering cell's row.
template <class Number>
std::vector<CycleCell> PotentialsWalk<Number>::cycle_of(Cell entering) const {
    std::uint32_t a = entering.row;
    auto b = static_cast<std::uint32_t>(rows() + entering.column);
    std::vector<std::uint32_t> from_row{a};
    std::vector<std::uint32_t> from_column{b};
    while (a != b) {
        if (depth_[a] >= depth_[b]) {
            a = parent_[a];
            from_row.push_back(a);
        } else {
            b = parent_[b];
            from_column.push_back(b);
        }
    }
    from_column.pop_back();  // the meeting node is the last of from_row
    from_row.insert(from_row.end(), from_column.rbegin(), from_column.rend());
    std::vector<CycleCell> cycle{{entering, true}};
    for (std::size_t k = 0; k + 1 < from_row.size(); ++k) {
        const std::uint32_t x = from_row[k];
        const std::uint32_t y = from_row[k + 1];
        const Cell cell = x < rows() ? Cell{x, static_cast<std::uint32_t>(y - rows())}
                                     : Cell{y, static_cast<std::uint32_t>(x - rows())};
        cycle.push_back({cell, k % 2 == 1});
    }
    return cycle;
}

// θ is the least amount on a minus cell; of several, the one in the lowest row, then column, leaves.
template <class Number>
void PotentialsWalk<Number>::find_step() {
    compute_potentials();
    entering_ = entering_cell();
    cycle_.clear();
    theta_.reset();
    leaving_.reset();
    if (!entering_) return;
    cycle_ = cycle_of(*entering_);
    for (const CycleCell& corner : cycle_) {
        if (corner.plus) continue;
        const Number& x = amounts_[at(corner.cell.row, corner.cell.column)];
        const bool less = !theta_ || x < *theta_;
        const bool tie = theta_ && x == *theta_ &&
                         (corner.cell.row < leaving_->row ||
                          (corner.cell.row == leaving_->row && corner.cell.column < leaving_->column));
        if (less || tie) {
            theta_ = x;
            leaving_ = corner.cell;
        }
    }
}

template <class Number>
void PotentialsWalk<Number>::make_step() {
    for (const CycleCell& corner : cycle_) {
        Number& x = amounts_[at(corner.cell.row, corner.cell.column)];
        if (corner.plus) {
            x += *theta_;
        } else {
            x -= *theta_;
            if (x <= amount_eps_ && -x <= amount_eps_) x = 0;
        }
    }
    amounts_[at(leaving_->row, leaving_->column)] = 0;
    unlink(leaving_->row, leaving_->column);
    link(entering_->row, entering_->column);
}

template <class Number>
Plan<Number> PotentialsWalk<Number>::snapshot(std::int32_t number) const {
    Plan<Number> plan;
    plan.number = number;
    plan.amounts = amounts_;
    plan.basic = basic_;
    plan.u = u_;
    plan.v = v_;
    plan.estimates.assign(rows() * columns(), Cost{});
    for (std::size_t i = 0; i < rows(); ++i) {
        for (std::size_t j = 0; j < columns(); ++j) {
            if (basic_[at(i, j)] == 0) plan.estimates[at(i, j)] = estimate(i, j);
            if (amounts_[at(i, j)] != 0) {
                const Cost& c = table_.cost(i, j);
                plan.total = plan.total + Cost{c.m * amounts_[at(i, j)], c.plain * amounts_[at(i, j)]};
            }
        }
    }
    plan.entering = entering_;
    plan.cycle = cycle_;
    plan.theta = theta_;
    plan.leaving = leaving_;
    return plan;
}

template <class Number>
TransportOutcome<Number> PotentialsWalk<Number>::run() {
    TransportOutcome<Number> outcome;
    outcome.start = settings_.start;
    start();
    std::vector<std::uint32_t> basis{0};
    for (std::size_t k = 0; k < basic_.size(); ++k) {
        if (basic_[k] != 0) basis.push_back(static_cast<std::uint32_t>(k + 1));
    }
    BasisRepeatWatch repeats(basis);
    for (std::int32_t number = 0;; ++number) {
        find_step();
        const bool keep = settings_.keep_plan && settings_.keep_plan(number);
        const bool last = !entering_ || number >= settings_.step_limit;
        if (keep) outcome.plans.push_back(snapshot(number));
        if (last) {
            outcome.last = keep ? outcome.plans.back() : snapshot(number);
            outcome.end = entering_ ? TransportEnd::iteration_limit : TransportEnd::optimal;
            break;
        }
        const bool degenerate = *theta_ <= amount_eps_;
        if (degenerate) ++outcome.degenerate_steps;
        const auto leaving_key = static_cast<std::uint32_t>(at(leaving_->row, leaving_->column) + 1);
        const auto entering_key = static_cast<std::uint32_t>(at(entering_->row, entering_->column) + 1);
        make_step();
        outcome.iterations = number + 1;
        if (repeats.pivot(leaving_key, entering_key, number + 1, degenerate)) {
            find_step();
            outcome.last = snapshot(number + 1);
            if (settings_.keep_plan && settings_.keep_plan(number + 1)) outcome.plans.push_back(outcome.last);
            outcome.end = TransportEnd::cycling;
            break;
        }
    }
    if (outcome.end == TransportEnd::optimal) {
        for (std::size_t k = 0; k < amounts_.size(); ++k) {
            if (table_.forbidden[k] != 0 && amounts_[k] > amount_eps_) outcome.end = TransportEnd::infeasible;
        }
        for (std::size_t i = 0; i < rows(); ++i) {
            for (std::size_t j = 0; j < columns(); ++j) {
                if (basic_[at(i, j)] == 0 && is_zero(outcome.last.estimates[at(i, j)], cost_eps_)) {
                    outcome.alternatives.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j)});
                }
            }
        }
    }
    outcome.total_cost = outcome.last.total.plain;
    outcome.table = std::move(table_);
    return outcome;
}

}  // namespace

template <class Number>
BalancedTable<Number> balanced_table(const TransportProblem& problem) {
    const std::size_t m = problem.rows();
    const std::size_t n = problem.columns();
    if (m == 0 || n == 0 || problem.costs.size() != m * n || problem.forbidden.size() != m * n) {
        throw std::invalid_argument("транспортная задача без поставщиков или потребителей");
    }
    BalancedTable<Number> table;
    table.name = problem.name;
    table.sense = problem.sense;
    Number supply_sum(0);
    Number demand_sum(0);
    for (const double a : problem.supplies) {
        if (!(a >= 0)) throw std::invalid_argument("отрицательный запас");
        table.supplies.push_back(number_of<Number>(a));
        supply_sum += table.supplies.back();
    }
    for (const double b : problem.demands) {
        if (!(b >= 0)) throw std::invalid_argument("отрицательная потребность");
        table.demands.push_back(number_of<Number>(b));
        demand_sum += table.demands.back();
    }
    const Number eps = tolerance_for<Number>(double_of(supply_sum));
    const Number diff = supply_sum - demand_sum;
    if (diff > eps) {
        table.fictitious = Fictitious::consumer;
        table.imbalance = diff;
        table.demands.push_back(diff);
    } else if (diff < -eps) {
        table.fictitious = Fictitious::supplier;
        table.imbalance = -diff;
        table.supplies.push_back(-diff);
    }
    const std::size_t rows = table.supplies.size();
    const std::size_t columns = table.demands.size();
    const MCost<Number> forbidden_cost =
        problem.sense == Sense::cost_min ? MCost<Number>::big_m() : -MCost<Number>::big_m();
    table.costs.assign(rows * columns, MCost<Number>{});
    table.forbidden.assign(rows * columns, 0);
    for (std::size_t i = 0; i < m; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (problem.is_forbidden(i, j)) {
                table.forbidden[i * columns + j] = 1;
                table.costs[i * columns + j] = forbidden_cost;
            } else {
                table.costs[i * columns + j].plain = number_of<Number>(problem.cost(i, j));
            }
        }
    }
    for (std::size_t i = 0; i < rows; ++i) {
        table.supplier_names.push_back(i < problem.supplier_names.size() ? problem.supplier_names[i]
                                                                         : "A" + std::to_string(i + 1));
    }
    for (std::size_t j = 0; j < columns; ++j) {
        table.consumer_names.push_back(j < problem.consumer_names.size() ? problem.consumer_names[j]
                                                                         : "B" + std::to_string(j + 1));
    }
    return table;
}

template <class Number>
TransportOutcome<Number> solve_transport(const TransportProblem& problem, const TransportRunSettings& settings) {
    return PotentialsWalk<Number>(balanced_table<Number>(problem), settings).run();
}

template BalancedTable<double> balanced_table<double>(const TransportProblem&);
template BalancedTable<mpq_class> balanced_table<mpq_class>(const TransportProblem&);
template TransportOutcome<double> solve_transport<double>(const TransportProblem&, const TransportRunSettings&);
template TransportOutcome<mpq_class> solve_transport<mpq_class>(const TransportProblem&, const TransportRunSettings&);

}  // namespace transport
