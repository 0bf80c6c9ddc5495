#pragma once

// The sentences a branch and bound is told in (UTF-8): each node's heading and result, and the
// tree as an outline. The report, the command line and the window tell the nodes from here.

#include <string>
#include <vector>

#include "solver/engine/branch_node.h"
#include "solver/report/report_sink.h"

// names: the problem's columns 1..n (entry 0 unused).

// How a bound's sign is written: "<=" in the reports (Windows-1251 has no "≤"), "≤" on the screen.
enum class BoundSigns { ascii, math };

// "x1 <= 2" ("x1 ≤ 2" in math signs).
std::string bound_text(const BranchBound& bound, const std::vector<std::string>& names,
                       BoundSigns signs = BoundSigns::ascii);
// "x1 <= 2, x2 >= 3"; "нет" for no bounds.
std::string bounds_text(const std::vector<BranchBound>& bounds, const std::vector<std::string>& names,
                        BoundSigns signs = BoundSigns::ascii);
// "Узел 3 (из узла 1): x1 <= 2"; the root's "Узел 1: задача без условий целочисленности".
std::string node_heading(const BranchNode& node, const std::vector<std::string>& names);
// The node's objective as the run computed it: its fraction in exact arithmetic.
std::string node_objective_text(const BranchNode& node);
// What the node's relaxation gave and what became of the node, one sentence.
std::string node_result_text(const BranchNode& node, const std::vector<std::string>& names);
// What became of the node without its objective: "ветвление по x1 = 2.5", "целое — ответ", "несовместна"...
std::string node_close_word(const BranchNode& node, const std::vector<std::string>& names);
// "F = 7, ветвление по x1 = 2.5", "F = 7, целое — ответ", "несовместна"...: the word of an outline entry.
std::string node_close_text(const BranchNode& node, const std::vector<std::string>& names);
// The tree, each node under its parent: its number, its own bound and its close.
std::vector<ReportPart::Entry> branch_outline(const std::vector<BranchNode>& nodes,
                                              const std::vector<std::string>& names);
// Said of a branch and bound that the node limit ended: with an answer, that it is the best found.
std::string node_limit_text(std::int32_t limit, bool answer_found);
