#pragma once

// The sentences a run's outcome is told in (UTF-8); outcome_story.h puts them together.

#include <cstdint>
#include <string>
#include <vector>

#include "solver/engine/run_types.h"

// The shortest decimal that reads back to x; "M" and "-M" for the M costs.
std::string shortest_number_text(double x);

// What stopped a run that reached no optimum without status codes: the stop by its observer or its
// time limit, a repeated basis, the iteration limit. Empty for any other run.
std::vector<std::string> run_end_lines(const SolveOutcome& outcome);
// The same in Windows-1251, for the end of a text report.
std::vector<std::string> run_end_lines_cp1251(const SolveOutcome& outcome);

// The line a report of a stopped run ends with: the pivots it made.
std::string stopped_run_text(std::int32_t pivots);

// The end of a run its time limit stopped: the limit and the pivots made.
std::string time_limit_text(double limit_seconds, std::int32_t pivots);

// The basis of iteration `repeat` is that of iteration `first`; Bland's rule cannot cycle.
std::string cycle_text(const RunNotes::BasisRepeat& cycle);
// Said beside code 13 when the iteration limit ended the run before the artificial variables left the basis.
std::string limit_before_feasible_text();
