#pragma once

// The method of potentials: a first plan by the chosen start, then, plan by plan, the potentials
// (u_1 = 0), the estimates of the free cells, the entering cell, its cycle and θ, until no estimate
// improves. One walk for both arithmetics: double, or mpq_class for exact fractions.

#include <cstdint>
#include <functional>

#include "problem/transport_problem.h"
#include "solver/transport/transport_plan.h"

namespace transport {

// The iteration limit when the problem sets none.
inline constexpr std::int32_t kDefaultStepLimit = 100000;

struct TransportRunSettings {
    StartMethod start = StartMethod::northwest;
    std::int32_t step_limit = kDefaultStepLimit;
    // Whether plan `number` is kept in the outcome's plans (the last one always is in `last`).
    std::function<bool(std::int32_t number)> keep_plan;
};

// The problem balanced: a fictitious supplier or consumer with zero costs takes up the difference;
// forbidden routes cost M (-M in a profit problem).
template <class Number>
BalancedTable<Number> balanced_table(const TransportProblem& problem);

// Throws std::invalid_argument for a problem the method cannot take (no rows, a negative amount).
template <class Number>
TransportOutcome<Number> solve_transport(const TransportProblem& problem, const TransportRunSettings& settings);

}  // namespace transport
