#pragma once

// A linear program whose structure is a transport problem: every variable in one supply row and one
// demand row with coefficient 1 and no other, bounds 0 to infinity, rows "<=" (supplies), ">="
// (demands) or "=" (either side, as the rows' links tell). A pair of rows without a variable is a
// forbidden route.

#include <string>
#include <variant>

#include "problem/lp_model.h"
#include "problem/transport_problem.h"

namespace transport {

// Why a model is not taken as a transport problem (UTF-8, Russian).
struct NotTransport {
    std::string reason;
};

// The problem, the variable of each route (row-major, -1 at a forbidden route), or the reason.
struct ModelTransport {
    TransportProblem problem;
    std::vector<std::int64_t> variable_of_route;
};

std::variant<ModelTransport, NotTransport> transport_of_model(const LpModel& model);

}  // namespace transport
