#pragma once

// What a run's outcome says to people (UTF-8), the same in the documents and
// in the program's windows: the answer, the failure, the notes.

#include <cstdint>
#include <string>
#include <vector>

#include "solver/simplex_engine.h"

// The shortest decimal that reads back to x; "M" and "-M" for the M costs.
std::string shortest_number_text(double x);

// "F = …" and one line per variable (names: columns 1..n, entry 0 unused); a
// variable past the `own` first ones is marked artificial (own 0: none marked).
std::vector<std::string> outcome_answer_lines(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                              std::uint32_t own);

// Why a run gave no solution: the stop by its observer or its status texts; empty when it gave one.
std::vector<std::string> outcome_failure_lines(const SolveOutcome& outcome);

// The remarks on the run; with `with_settings`, the arithmetic and the rule when they are not the usual ones.
std::vector<std::string> outcome_notes(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                       bool with_settings = true);

// "Арифметика: …; правило выбора: …." — always, for a window that shows how a run was made.
std::string run_settings_text(const RunSettings& settings);
