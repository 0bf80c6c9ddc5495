#pragma once

// Gomory's fractional cuts: the final table of the relaxation, a row of fractional parts added to it
// for a basic integer column with a fractional value, then dual simplex steps, until the basic
// solution is integer or the cut limit of the settings is reached.

#include <optional>
#include <string>

#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

struct ReportFrame;
struct RunObserver;
class ReportSink;

// Why the cuts do not apply to the problem (UTF-8); nothing when they do.
std::optional<std::string> gomory_refusal(const SimplexIteration& problem, const RunSettings& settings);

// The run by cuts; called only when gomory_refusal() has nothing to say.
SolveOutcome run_gomory(const SimplexIteration& problem, const RunSettings& settings, const ReportFrame& frame,
                        const RunObserver& observer, ReportSink* report);
