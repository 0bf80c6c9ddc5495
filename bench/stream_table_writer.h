#pragma once

#include <iosfwd>

#include "problem/simplex_iteration.h"

// The iteration table written the plain way, one `<<` at a time through the
// stream's own formatting (std::fixed, setprecision, setw), as the baseline
// for report_bench. It draws the same table as SimplexIteration::print_table,
// byte for byte; the benchmark checks that.
void stream_print_table(std::ostream& out, const SimplexIteration& record);
