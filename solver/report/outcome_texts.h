#pragma once

// What a run's outcome says to people (UTF-8), the same in the documents and
// in the program's windows: the answer, the failure, the notes.

#include <cstdint>
#include <string>
#include <vector>

#include "solver/engine/run_types.h"

// The shortest decimal that reads back to x; "M" and "-M" for the M costs.
std::string shortest_number_text(double x);

// "F = …" and one line per variable (names: columns 1..n, entry 0 unused); a
// variable past the `own` first ones is marked artificial (own 0: none marked).
std::vector<std::string> outcome_answer_lines(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                              std::uint32_t own);

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

// Why a run gave no solution: the stop by its observer, what else stopped it before an optimum, or
// its status texts; empty when it gave one.
std::vector<std::string> outcome_failure_lines(const SolveOutcome& outcome);

// The remarks on the run; with `with_settings`, the arithmetic and the rule when they are not the usual ones.
std::vector<std::string> outcome_notes(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                       bool with_settings = true);

// "Арифметика: …; правило выбора: …." — always, for a window that shows how a run was made.
std::string run_settings_text(const RunSettings& settings);
