#pragma once

// How large the text report of a run can grow, known before the run: a slip in the width box
// (2147483647) would write gigabytes before anything else could be done.

#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

// The bytes of the largest report a run of `problem` can write: every table its print options
// select up to its iteration limit, at its column widths (compute_col_widths has run) and
// precision. 0 when it prints no tables. A double: the worst cases pass any integer type.
double estimated_report_bytes(const SimplexIteration& problem, TextEncoding encoding = TextEncoding::cp1251);

// A report past this size (1 GB) is written only when the user has said yes to it.
inline constexpr double kLargeReportBytes = 1024.0 * 1024.0 * 1024.0;
