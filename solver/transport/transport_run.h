#pragma once

// A transport problem run once for a front end: in the arithmetic asked for, its plans kept as the
// report (and, when asked, the JSON answer) need them, its report written in the form asked for.

#include <gmpxx.h>

#include <optional>
#include <string>
#include <variant>

#include "problem/transport_problem.h"
#include "solver/engine/run_types.h"
#include "solver/transport/transport_plan.h"

namespace transport {

struct TransportRunRequest {
    Arithmetic arithmetic = Arithmetic::double_precision;
    ReportForm form = ReportForm::text;
    TextEncoding encoding = TextEncoding::cp1251;
    bool keep_every_plan = false;  // for an answer that lists every plan
    bool write_report = true;      // to the problem's print.file
};

using AnyTransportOutcome = std::variant<TransportOutcome<double>, TransportOutcome<mpq_class>>;

struct TransportRun {
    AnyTransportOutcome outcome;
    std::optional<std::string> report_failure;  // UTF-8, when the report could not be written
};

TransportRun run_transport(const TransportProblem& problem, const TransportRunRequest& request);

}  // namespace transport
