#pragma once

// The dual simplex method: every row a "<=" row with a slack of its own, right-hand sides of any sign,
// from the slack basis when it is dual feasible.

#include <optional>
#include <stdexcept>
#include <string>

#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

struct ReportFrame;
struct RunObserver;
class ReportSink;

// How a message names the methods that fit: by the tool's options, or by the window's menu.
enum class MethodNaming { command_line, menu };

// Why the dual simplex method does not apply to the problem (UTF-8), as its estimates in `arithmetic`
// show them: the slack basis of its start table (solver/engine/dual_start_table.h) is not dual
// feasible. Nothing when it applies. The front ends ask before a run and show the message.
std::optional<std::string> dual_simplex_refusal(const SimplexIteration& problem,
                                                Arithmetic arithmetic = Arithmetic::double_precision,
                                                MethodNaming naming = MethodNaming::command_line);

// A run of the dual simplex method on a problem it does not apply to; what() is the refusal's message.
class DualSimplexRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The run from the start table of the problem `run`; its tables are the start table's, the outcome's
// solution vector, exact values and notes are in the columns of `run`. Throws DualSimplexRefused,
// before any table, when dual_simplex_refusal() has a message. The final table, when the settings ask
// for it, is the problem's own at the basis the run ended with.
SolveOutcome run_dual_simplex(const SimplexIteration& run, const RunSettings& settings, const ReportFrame& frame,
                              const RunObserver& observer, ReportSink* report);
