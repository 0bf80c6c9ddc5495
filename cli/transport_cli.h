#pragma once

// qtb-solve on a transport problem: a .qtt file, or a model with --method potentials.

#include <ostream>

#include "cli/command_line.h"
#include "problem/transport_problem.h"
#include "solver/transport/transport_run.h"

namespace cli {

// Whether the command line asks for the method of potentials.
bool is_transport_run(const Options& options);

// Reads, solves, reports and prints; returns the exit status.
int run_transport_command(const Options& options);

// The answer as one JSON object on one line: every plan kept, the end and the total cost.
void print_transport_json(std::ostream& out, const transport::AnyTransportOutcome& outcome,
                          const transport::TransportProblem& problem);

}  // namespace cli
