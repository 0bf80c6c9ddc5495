#pragma once

#include <string_view>

// The line the documents and pictures of the program carry near their top, as a comment of their
// language, so that a later run knows the file for one of its own and may write it again.
inline constexpr std::string_view kOutputMarker = "Written by QTB (qtb-solve): may be replaced by its next run.";

// The first words of a transport report's title line, the line its text report begins with: a later
// run knows the report by them.
inline constexpr std::string_view kTransportReportTitle = "Транспортная задача";

// The first line of the text report of an integer program, the heading of its first part: the root
// node's of branch and bound, the relaxation's of Gomory's cuts. A later run knows the report by it and
// by the line under it, «Границы: ...» or «Метод Гомори ...».
inline constexpr std::string_view kRootNodeHeading = "Узел 1: задача без условий целочисленности";
inline constexpr std::string_view kRelaxationHeading = "Задача без условий целочисленности";
