// The places of a drawn branch and bound tree.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/branch_tree_layout.h"

namespace {

std::vector<BranchNode> tree_of(const std::vector<std::int32_t>& parents) {
    std::vector<BranchNode> nodes;
    for (std::size_t k = 0; k < parents.size(); ++k) {
        BranchNode node;
        node.id = static_cast<std::int32_t>(k) + 1;
        node.parent = parents[k];
        nodes.push_back(node);
    }
    return nodes;
}

TEST(BranchTreePlaces, LeavesSideBySideAndParentsOverTheirChildren) {
    const struct {
        std::vector<std::int32_t> parents;  // of nodes 1..n
        std::vector<double> columns;
        std::vector<std::size_t> levels;
    } cases[] = {
        {{0}, {0}, {0}},
        // 1 -> 2, 3; 2 -> 4, 5: the leaves 4, 5, 3 in the order of a walk from the left.
        {{0, 1, 1, 2, 2}, {1.25, 0.5, 2, 0, 1}, {0, 1, 1, 2, 2}},
        // 1 -> 2, 3; 3 -> 4, 5; 5 -> 6, 7.
        {{0, 1, 1, 3, 3, 5, 5}, {0.875, 0, 1.75, 1, 2.5, 2, 3}, {0, 1, 1, 2, 2, 3, 3}},
        // A parent that is not an earlier node: the node stands as a root of its own, beside the tree.
        {{0, 1, 7}, {0, 0, 1}, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        const std::vector<TreePlace> places = branch_tree_places(tree_of(c.parents));
        ASSERT_EQ(places.size(), c.parents.size());
        for (std::size_t k = 0; k < places.size(); ++k) {
            EXPECT_DOUBLE_EQ(places[k].column, c.columns[k]) << "node " << k + 1;
            EXPECT_EQ(places[k].level, c.levels[k]) << "node " << k + 1;
        }
    }
}

}  // namespace
