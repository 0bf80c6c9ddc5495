#include "ui/branch_tree_layout.h"

#include <cstdint>
#include <utility>

std::vector<TreePlace> branch_tree_places(const std::vector<BranchNode>& nodes) {
    const std::size_t n = nodes.size();
    const auto parent_of = [&](std::size_t k) -> std::size_t {  // an index, or n for none
        const std::int32_t parent = nodes[k].parent;
        return parent >= 1 && static_cast<std::size_t>(parent) <= k ? static_cast<std::size_t>(parent) - 1 : n;
    };
    std::vector<std::vector<std::size_t>> children(n + 1);  // children[n]: the roots
    for (std::size_t k = 0; k < n; ++k) children[parent_of(k)].push_back(k);

    std::vector<TreePlace> places(n);
    // Depth first without recursion (a tree may be deep): each leaf takes the next column.
    double next_leaf = 0.0;
    std::vector<std::pair<std::size_t, std::size_t>> stack;  // node and level
    for (auto root = children[n].rbegin(); root != children[n].rend(); ++root) stack.emplace_back(*root, 0);
    while (!stack.empty()) {
        const auto [k, level] = stack.back();
        stack.pop_back();
        places[k].level = level;
        if (children[k].empty()) places[k].column = next_leaf++;
        for (auto child = children[k].rbegin(); child != children[k].rend(); ++child) {
            stack.emplace_back(*child, level + 1);
        }
    }
    // Children come after their parent: from the last node back, every child is placed before its parent.
    for (std::size_t k = n; k-- > 0;) {
        if (!children[k].empty()) {
            places[k].column = (places[children[k].front()].column + places[children[k].back()].column) / 2.0;
        }
    }
    return places;
}
