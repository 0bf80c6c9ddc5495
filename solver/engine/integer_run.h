#pragma once

// The runs of problems with integer columns: branch and bound, or Gomory's fractional cuts, each
// made of runs of the linear method the settings name (run_method with the conditions relaxed).

#include <optional>
#include <stdexcept>
#include <string>

#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

struct ReportFrame;
struct RunObserver;
class ReportSink;

// Whether a run of `problem` with `settings` keeps integer conditions: it has integer columns and
// the settings do not relax them.
bool keeps_integer_conditions(const SimplexIteration& problem, const RunSettings& settings);

// Why the integer method of the settings does not apply to the problem (UTF-8); nothing when it does,
// or when the run keeps no integer conditions. The front ends ask before a run and show the message.
std::optional<std::string> integer_method_refusal(const SimplexIteration& problem, const RunSettings& settings);

// A run of an integer method on a problem it does not apply to; what() is the refusal's message.
class IntegerMethodRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The run of a problem that keeps integer conditions, by the integer method of the settings. Throws
// IntegerMethodRefused, before any table, when integer_method_refusal() has a message.
SolveOutcome run_integer(const SimplexIteration& problem, const RunSettings& settings, const ReportFrame& frame,
                         const RunObserver& observer, ReportSink* report);
