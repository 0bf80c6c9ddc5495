#include "solver/report/branch_texts.h"

#include <cstddef>
#include <utility>

#include "problem/people_number.h"
#include "solver/report/output_marker.h"

namespace {

std::string number(double x) { return people_number::text(x, 1.0); }

std::string branch_value_text(const BranchNode& node) {
    return node.exact_branch_value.empty() ? number(node.branch_value) : node.exact_branch_value;
}

std::string outline_text(const BranchNode& node, const std::vector<std::string>& names) {
    const BranchBound* bound = own_bound(node);
    return "Узел " + std::to_string(node.id) + (bound ? ": " + bound_text(*bound, names) : "") + " — " +
           node_close_text(node, names);
}

}  // namespace

std::string bound_text(const BranchBound& bound, const std::vector<std::string>& names, BoundSigns signs) {
    const char* sign = signs == BoundSigns::math ? (bound.upper ? " ≤ " : " ≥ ") : (bound.upper ? " <= " : " >= ");
    return names.at(bound.column) + sign + number(bound.value);
}

std::string bounds_text(const std::vector<BranchBound>& bounds, const std::vector<std::string>& names,
                        BoundSigns signs) {
    if (bounds.empty()) return "нет";
    std::string text;
    for (const BranchBound& bound : bounds) text += (text.empty() ? "" : ", ") + bound_text(bound, names, signs);
    return text;
}

std::string node_heading(const BranchNode& node, const std::vector<std::string>& names) {
    const std::string head = "Узел " + std::to_string(node.id);
    const BranchBound* bound = own_bound(node);
    if (bound == nullptr) return std::string(kRootNodeHeading);  // the root, node 1
    return head + " (из узла " + std::to_string(node.parent) + "): " + bound_text(*bound, names);
}

std::string node_objective_text(const BranchNode& node) {
    return node.exact_objective.empty() ? number(node.objective) : node.exact_objective;
}

std::string node_result_text(const BranchNode& node, const std::vector<std::string>& names) {
    const std::string head = "Узел " + std::to_string(node.id) + ": ";
    const std::string optimum = "оптимум F = " + node_objective_text(node);
    switch (node.close) {
        case NodeClose::branched: {
            const std::string& name = names.at(node.branch_column);
            return head + optimum + ", " + name + " = " + branch_value_text(node) + " не целое: ветвление по " + name +
                   ".";
        }
        case NodeClose::integer:
            return head + optimum + ", решение целое" + ": лучшее из найденных до сих пор.";
        case NodeClose::not_better:
            return head + optimum + " не лучше найденного целого решения: узел закрыт.";
        case NodeClose::infeasible:
            return head + "система ограничений несовместна: узел закрыт.";
        case NodeClose::unbounded:
            return head + "функция не ограничена: счёт остановлен.";
        case NodeClose::no_optimum:
            return head + "оптимум не получен: счёт остановлен.";
        case NodeClose::covered:
            return head + "обе половины свободной переменной, " + names.at(node.covered_halves[0]) + " и " +
                   names.at(node.covered_halves[1]) +
                   ", не меньше 1 — эти решения, каждая половина на 1 меньше, есть в другой ветви: узел закрыт без "
                   "решения.";
        case NodeClose::open:
            break;
    }
    return head + "не решён: предел числа узлов.";
}

std::string node_close_word(const BranchNode& node, const std::vector<std::string>& names) {
    switch (node.close) {
        case NodeClose::branched:
            return "ветвление по " + names.at(node.branch_column) + " = " + branch_value_text(node);
        case NodeClose::integer:
            return node.incumbent ? "целое — ответ" : "целое";
        case NodeClose::not_better:
            return "не лучше найденного";
        case NodeClose::infeasible:
            return "несовместна";
        case NodeClose::unbounded:
            return "не ограничена";
        case NodeClose::no_optimum:
            return "оптимум не получен";
        case NodeClose::covered:
            return "повторяет другую ветвь";
        case NodeClose::open:
            break;
    }
    return "не решён";
}

std::string node_close_text(const BranchNode& node, const std::vector<std::string>& names) {
    const bool optimum =
        node.close == NodeClose::branched || node.close == NodeClose::integer || node.close == NodeClose::not_better;
    return optimum ? "F = " + node_objective_text(node) + ", " + node_close_word(node, names)
                   : node_close_word(node, names);
}

std::vector<ReportPart::Entry> branch_outline(const std::vector<BranchNode>& nodes,
                                              const std::vector<std::string>& names) {
    // Depth-first from the root, children in the order they were made; no recursion, a tree may be deep.
    std::vector<std::vector<std::int32_t>> children(nodes.size() + 1);
    for (const BranchNode& node : nodes) {
        if (node.parent > 0) children.at(static_cast<std::size_t>(node.parent)).push_back(node.id);
    }
    std::vector<ReportPart::Entry> entries;
    std::vector<std::pair<std::int32_t, std::uint32_t>> stack;  // node and depth
    if (!nodes.empty()) stack.emplace_back(1, 0);
    while (!stack.empty()) {
        const auto [id, depth] = stack.back();
        stack.pop_back();
        entries.push_back({depth, outline_text(nodes.at(static_cast<std::size_t>(id - 1)), names)});
        const std::vector<std::int32_t>& below = children[static_cast<std::size_t>(id)];
        for (auto child = below.rbegin(); child != below.rend(); ++child) stack.emplace_back(*child, depth + 1);
    }
    return entries;
}

std::string node_limit_text(std::int32_t limit, bool answer_found) {
    const std::string head = "Предел числа узлов (" + std::to_string(limit) + ") исчерпан: ";
    if (answer_found) return head + "ответ — лучшее найденное целое решение, его оптимальность не доказана.";
    return head + "целое решение не найдено.";
}
