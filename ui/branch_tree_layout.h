#pragma once

// Where each node of a branch and bound stands in its drawn tree: the leaves side by side in the
// order of a depth-first walk, each parent centred over its children, one row a level.

#include <cstddef>
#include <vector>

#include "solver/engine/branch_node.h"

struct TreePlace {
    double column = 0.0;    // in leaf widths from the left: leaves at 0, 1, 2..., parents between
    std::size_t level = 0;  // the root's 0
};

// The places of `nodes` (ids 1..n in order, each parent made before its children), one a node in the
// same order; a node whose parent is not an earlier node stands as a root of its own. Linear in n.
std::vector<TreePlace> branch_tree_places(const std::vector<BranchNode>& nodes);
