#pragma once

// Every table of a run of the big-M method in exact arithmetic, kept in memory: what the
// tables a person worked out are checked against. No report file is touched.

#include <stdexcept>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/check/exact_table.h"
#include "solver/engine/run_types.h"

struct RunTables {
    std::vector<ExactTable> tables;  // table 0 is the first table of the run
    RunEnd end = RunEnd::optimal;
};

// A run with more tables than can be kept for a check.
class RunTooLongError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs the loaded problem (its iteration limit as it stands) with the rule, exactly.
RunTables exact_run_tables(const SimplexIteration& problem, PivotRule rule);
