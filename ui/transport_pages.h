#pragma once

// A transport run as the solution window shows it: a page a plan (its title, its grid, the cycle's
// corners in the order they are gone round, the lines under the grid) and the texts around the plans.

#include <cstdint>
#include <string>
#include <vector>

#include "solver/transport/transport_document.h"
#include "solver/transport/transport_run.h"

struct TransportPlanPage {
    std::string title;  // UTF-8, as every text here
    transport::PlanGrid grid;
    std::vector<transport::CycleCell> cycle;  // from the entering cell round; empty at the last plan
    std::vector<std::string> after;           // the plan's cost, the entering cell, the cycle, θ
};

struct TransportPages {
    std::string title;                     // "Транспортная задача «...»"
    std::vector<std::string> opening;      // the problem, its balance and the method's rules
    std::vector<TransportPlanPage> plans;  // in the run's order, the last plan always
    std::vector<std::string> closing;      // how the run ended and, at an optimum, the answer
    bool optimal = false;
};

// The pages of a run that kept every plan; numbers with at most `precision` fraction digits.
TransportPages transport_pages(const transport::AnyTransportOutcome& outcome, std::int32_t precision);
