#pragma once

// One node of a branch and bound: the bounds of its branch, how its relaxation ended and
// why it was closed. The outcome of a branch and bound lists every node (run_types.h).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// x_column <= value (upper) or x_column >= value; the value is an integer.
struct BranchBound {
    std::uint32_t column = 0;  // a column of the problem, 1-based
    bool upper = true;
    double value = 0.0;
    bool operator==(const BranchBound&) const = default;
};

// How a node's relaxation ended; not_solved for a node the node limit left open.
enum class NodeResult { optimal, infeasible, unbounded, no_optimum, not_solved };
// What became of a node: branched in two, or closed because its solution is integer, its relaxation
// has none, its optimum is not better than the best integer solution found before it, its relaxation
// is unbounded or reached no optimum, or its bounds hold both halves of a free variable at 1 or more
// (covered: each of its solutions, both halves less 1, is one of another branch; not solved); open
// when the node limit came first.
enum class NodeClose { branched, integer, infeasible, not_better, unbounded, no_optimum, covered, open };

struct BranchNode {
    std::int32_t id = 0;      // 1 for the root, then in the order the nodes were made
    std::int32_t parent = 0;  // 0 for the root
    // Every bound of the branch from the root down, at most one a side and column; the node's own last.
    std::vector<BranchBound> bounds;
    NodeResult result = NodeResult::not_solved;
    double objective = 0.0;       // the relaxation's optimum, when it has one
    std::string exact_objective;  // the same as "p/q", in exact arithmetic
    NodeClose close = NodeClose::open;
    std::uint32_t branch_column = 0;                // of a node branched: the column and its fractional value
    std::array<std::uint32_t, 2> covered_halves{};  // of a node covered: the two halves of the free variable
    double branch_value = 0.0;
    std::string exact_branch_value;
    bool incumbent = false;       // its solution is the answer of the run
    std::int32_t iterations = 0;  // pivots of its relaxation
};

// The node's own bound: the last of its bounds (the root has none).
inline const BranchBound* own_bound(const BranchNode& node) {
    return node.bounds.empty() ? nullptr : &node.bounds.back();
}
