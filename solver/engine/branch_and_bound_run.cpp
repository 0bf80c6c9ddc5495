// Branch and bound, depth first: each node's relaxation is a run of the linear method of the settings
// on the problem's starting table with the bound rows of its branch (bound_rows.h); a fractional
// integer column splits a node in two, the branch x <= floor first.

#include "solver/engine/branch_and_bound_run.h"

#include <gmpxx.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "problem/people_number.h"
#include "problem/record_columns.h"
#include "problem/status_texts.h"
#include "solver/engine/bound_rows.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/simplex_engine.h"
#include "solver/report/branch_texts.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_sink.h"

namespace {

// In double arithmetic a value within this distance of an integer is that integer: the tables carry
// about 18 significant digits, the rounding of a few hundred pivots stays far below it, and no
// teaching problem has a genuine fractional part this small.
constexpr double kIntegralTolerance = 1e-6;
// An optimum must pass the best integer solution by this share of it (at least by this much) to count
// as better: a tie in the tables is no reason to go on.
constexpr double kBetterShare = 1e-9;

// The runs of the nodes in one report: the problem's start and end are told once, by the tree; the
// nodes' runs add their tables and nothing else.
class NodeTables final : public ReportSink {
public:
    explicit NodeTables(ReportSink* target) : target_(target) {}
    ReportSink* sink() { return target_ ? this : nullptr; }

    void begin(const ReportStart& /*start*/) override {}
    void table(TableSource& source) override { target_->table(source); }
    void part(const ReportPart& part) override { target_->part(part); }
    void end(const ReportEnd& /*end*/) override {}

private:
    ReportSink* target_;
};

// A column's value in a node's solution, in the run's arithmetic.
struct Value {
    double number = 0.0;
    std::optional<mpq_class> exact;

    bool integral() const {
        if (exact) return exact->get_den() == 1;
        return std::fabs(number - std::round(number)) <= kIntegralTolerance;
    }
    // The fractional part, to compare columns by.
    double fraction() const {
        if (exact) {
            mpz_class floor;
            mpz_fdiv_q(floor.get_mpz_t(), exact->get_num_mpz_t(), exact->get_den_mpz_t());
            return mpq_class(*exact - floor).get_d();
        }
        return number - std::floor(number);
    }
    double floor() const {
        if (exact) {
            mpz_class floor;
            mpz_fdiv_q(floor.get_mpz_t(), exact->get_num_mpz_t(), exact->get_den_mpz_t());
            return floor.get_d();
        }
        return std::floor(number);
    }
};

class BranchAndBound {
public:
    BranchAndBound(const SimplexIteration& problem, const RunSettings& settings, const ReportFrame& frame,
                   const RunObserver& observer, ReportSink* report)
        : problem_(problem),
          settings_(settings),
          frame_(frame),
          observer_(observer),
          report_(problem.no_table ? nullptr : report),
          names_(utf8_variable_names(problem)) {
        node_settings_ = settings;
        node_settings_.integer = IntegerMethod::relax;
        node_settings_.keep_final_table = false;
        node_observer_.tables = watcher_.sink();
        node_observer_.progress = observer.progress;
        node_observer_.stop = observer.stop;
    }

    SolveOutcome run();

private:
    // Solves the node and closes or branches it; false when the run cannot go on (its outcome is then `end_`).
    bool solve(std::size_t index);
    void branch(std::size_t index, std::uint32_t column, const Value& value);
    Value value_of(const SolveOutcome& outcome, std::uint32_t column) const;
    bool better(const SolveOutcome& node) const;
    // The node's outcome in the problem's columns.
    SolveOutcome in_problem_columns(const SolveOutcome& node, const BoundRowsTable& table) const;
    void tell(const ReportPart& part) {
        if (report_) report_->part(part);
        if (observer_.tables) observer_.tables->part(part);
    }
    SolveOutcome finish();

    const SimplexIteration& problem_;
    const RunSettings& settings_;
    const ReportFrame& frame_;
    const RunObserver& observer_;
    ReportSink* report_;
    std::vector<std::string> names_;
    RunSettings node_settings_;
    NodeTables reported_{report_};
    NodeTables watcher_{observer_.tables};
    RunObserver node_observer_;

    std::vector<BranchNode> nodes_;
    std::vector<std::size_t> pending_;  // indices into nodes_, the next node last
    std::optional<SolveOutcome> best_;  // the best integer solution found, in the problem's columns
    std::optional<SolveOutcome> end_;   // a node's outcome that ended the run
    std::int32_t iterations_ = 0;
    bool node_limit_reached_ = false;
};

SolveOutcome BranchAndBound::run() {
    const ReportStart start{problem_, frame_.preamble};
    if (report_) report_->begin(start);
    if (observer_.tables) observer_.tables->begin(start);
    BranchNode root;
    root.id = 1;
    nodes_.push_back(std::move(root));
    pending_.push_back(0);
    std::int32_t solved = 0;
    while (!pending_.empty()) {
        if (solved == settings_.node_limit) {
            node_limit_reached_ = true;
            break;
        }
        const std::size_t index = pending_.back();
        pending_.pop_back();
        ++solved;
        if (!solve(index)) break;
    }
    return finish();
}

// A split free variable x = x+ - x- is the same x for (x+ - 1, x- - 1): a branch that holds both halves at
// 1 or more repeats solutions the tree holds elsewhere, and its chain of ever larger bounds would not end.
std::pair<std::uint32_t, std::uint32_t> covered_halves(const BranchNode& node,
                                                       const std::vector<std::uint32_t>& twins) {
    const auto held_above_zero = [&node](std::uint32_t column) {
        return std::any_of(node.bounds.begin(), node.bounds.end(), [column](const BranchBound& bound) {
            return bound.column == column && !bound.upper && bound.value >= 1.0;
        });
    };
    for (const BranchBound& bound : node.bounds) {
        const std::uint32_t twin = bound.column < twins.size() ? twins[bound.column] : 0;
        if (!bound.upper && bound.value >= 1.0 && twin != 0 && held_above_zero(twin)) return {bound.column, twin};
    }
    return {0, 0};
}

bool BranchAndBound::solve(std::size_t index) {
    BranchNode& node = nodes_[index];
    tell({node_heading(node, names_), {"Границы: " + bounds_text(node.bounds, names_) + "."}, {}});
    if (const auto [half, twin] = covered_halves(node, problem_.twin_columns); half != 0) {
        node.close = NodeClose::covered;
        node.covered_halves[0] = std::min(half, twin);
        node.covered_halves[1] = std::max(half, twin);
        tell({{}, {node_result_text(node, names_)}, {}});
        return true;
    }
    const BoundRowsTable table = with_bound_rows(problem_, node.bounds);
    SolveOutcome outcome = run_method(table.record, node_settings_, ReportFrame{}, node_observer_, reported_.sink());
    iterations_ += outcome.iterations;
    BranchNode& solved = nodes_[index];  // the vector has not grown meanwhile
    solved.iterations = outcome.iterations;
    const auto has = [&outcome](int code) {
        return std::find(outcome.status.codes.begin(), outcome.status.codes.begin() + outcome.status.count, code) !=
               outcome.status.codes.begin() + outcome.status.count;
    };
    bool goes_on = true;
    if (outcome.stopped) {
        end_ = in_problem_columns(outcome, table);
        return false;
    }
    if (outcome.status.count == 1 && has(kInconsistent) && !outcome.limit_before_feasible) {
        solved.result = NodeResult::infeasible;
        solved.close = NodeClose::infeasible;
    } else if (has(kUnbounded)) {
        solved.result = NodeResult::unbounded;
        solved.close = NodeClose::unbounded;
        goes_on = false;
    } else if (!outcome.status.empty() || outcome.end != RunEnd::optimal) {
        solved.result = NodeResult::no_optimum;
        solved.close = NodeClose::no_optimum;
        goes_on = false;
    } else {
        solved.result = NodeResult::optimal;
        solved.objective = outcome.solution(0, 0);
        if (!outcome.exact_solution.empty()) solved.exact_objective = outcome.exact_solution[0];
        if (best_ && !better(outcome)) {
            solved.close = NodeClose::not_better;
        } else {
            // The fractional column with the largest fractional part, the lowest on a tie.
            std::uint32_t column = 0;
            Value chosen;
            double largest = 0.0;
            for (const std::uint32_t j : problem_.integer_columns) {
                const Value value = value_of(outcome, table.column.at(j));
                if (value.integral() || (column != 0 && value.fraction() <= largest)) continue;
                column = j;
                chosen = value;
                largest = value.fraction();
            }
            if (column == 0) {
                solved.close = NodeClose::integer;
                for (BranchNode& other : nodes_) other.incumbent = false;
                solved.incumbent = true;
                best_ = in_problem_columns(outcome, table);
            } else {
                branch(index, column, chosen);
            }
        }
    }
    if (!goes_on) end_ = in_problem_columns(outcome, table);
    const BranchNode& told = nodes_[index];
    tell({{}, {node_result_text(told, names_)}, {}});
    return goes_on;
}

void BranchAndBound::branch(std::size_t index, std::uint32_t column, const Value& value) {
    BranchNode& parent = nodes_[index];
    parent.close = NodeClose::branched;
    parent.branch_column = column;
    parent.branch_value = value.exact ? value.exact->get_d() : value.number;
    if (value.exact) parent.exact_branch_value = value.exact->get_str();
    const double floor = value.floor();
    const auto child = [&](bool upper) {
        BranchNode node;
        node.id = static_cast<std::int32_t>(nodes_.size()) + 1;
        node.parent = nodes_[index].id;
        for (const BranchBound& bound : nodes_[index].bounds) {
            if (bound.column != column || bound.upper != upper) node.bounds.push_back(bound);
        }
        node.bounds.push_back({column, upper, upper ? floor : floor + 1.0});
        nodes_.push_back(std::move(node));
        return nodes_.size() - 1;
    };
    const std::size_t below = child(true);
    const std::size_t above = child(false);
    pending_.push_back(above);
    pending_.push_back(below);  // depth first, the branch x <= floor first
}

Value BranchAndBound::value_of(const SolveOutcome& outcome, std::uint32_t column) const {
    Value value;
    value.number = outcome.solution(column, 0);
    if (column < outcome.exact_solution.size()) value.exact = mpq_class(outcome.exact_solution[column]);
    return value;
}

bool BranchAndBound::better(const SolveOutcome& node) const {
    const bool maximum = problem_.aim == 1;
    if (!node.exact_solution.empty() && !best_->exact_solution.empty()) {
        const mpq_class a(node.exact_solution[0]);
        const mpq_class b(best_->exact_solution[0]);
        return maximum ? a > b : a < b;
    }
    const double a = node.solution(0, 0);
    const double b = best_->solution(0, 0);
    const double margin = kBetterShare * std::max(1.0, std::fabs(b));
    return maximum ? a > b + margin : a < b - margin;
}

SolveOutcome BranchAndBound::in_problem_columns(const SolveOutcome& node, const BoundRowsTable& table) const {
    SolveOutcome outcome = node;
    const std::uint32_t n = problem_.variable_count();
    if (node.solution.rows != 0) {
        outcome.solution.resize(n + 1, 1);
        outcome.solution(0, 0) = node.solution(0, 0);
        for (std::uint32_t j = 1; j <= n; ++j) outcome.solution(j, 0) = node.solution(table.column[j], 0);
    }
    if (!node.exact_solution.empty()) {
        outcome.exact_solution.assign(std::size_t{n} + 1, "0");
        outcome.exact_solution[0] = node.exact_solution[0];
        for (std::uint32_t j = 1; j <= n; ++j) outcome.exact_solution[j] = node.exact_solution.at(table.column[j]);
    }
    std::vector<std::uint32_t> problem_column(table.record.variable_count() + std::size_t{1}, 0);
    for (std::uint32_t j = 1; j <= n; ++j) problem_column[table.column[j]] = j;
    std::vector<std::uint32_t> alternatives;
    for (const std::uint32_t j : node.notes.alternative_columns) {
        if (problem_column.at(j) != 0) alternatives.push_back(problem_column[j]);
    }
    outcome.notes.alternative_columns = std::move(alternatives);
    outcome.notes.cycle.reset();  // its iterations are the node's
    outcome.pivots.clear();       // they name the node's rows and columns
    outcome.phases.clear();
    outcome.final_table = nullptr;
    return outcome;
}

SolveOutcome BranchAndBound::finish() {
    SolveOutcome outcome;
    if (end_) {
        outcome = std::move(*end_);
    } else if (best_) {
        outcome = std::move(*best_);
    } else {
        outcome.magnitude = people_number::largest_magnitude(problem_.table);
        if (node_limit_reached_) {
            outcome.end = RunEnd::iteration_limit;  // no optimum, and no answer either
        } else {
            outcome.status.add(kInconsistent);  // no node has an integer solution
        }
    }
    outcome.settings = settings_;
    outcome.iterations = iterations_;
    outcome.nodes = std::move(nodes_);
    outcome.node_limit_reached = node_limit_reached_;
    if (!report_ && !observer_.tables) return outcome;
    tell({"Дерево ветвей и границ", {}, branch_outline(outcome.nodes, names_)});
    ReportEnd end{outcome, {}, {}, frame_.text_notes && !outcome.stopped};
    if (outcome.status.empty() && !outcome.stopped && frame_.epilogue) {
        end.answer = outcome.end == RunEnd::optimal ? frame_.epilogue(outcome) : run_end_lines_cp1251(outcome);
    }
    if (frame_.closing_sections && !outcome.stopped) end.sections = frame_.closing_sections(outcome);
    if (report_) report_->end(end);
    if (observer_.tables) observer_.tables->end(end);
    return outcome;
}

}  // namespace

SolveOutcome run_branch_and_bound(const SimplexIteration& problem, const RunSettings& settings,
                                  const ReportFrame& frame, const RunObserver& observer, ReportSink* report) {
    return BranchAndBound(problem, settings, frame, observer, report).run();
}
