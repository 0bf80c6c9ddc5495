#include "solver/transport/transport_run.h"

#include <fstream>

#include "solver/report/report_target.h"
#include "solver/transport/transport_document.h"
#include "solver/transport/transport_method.h"
#include "solver/transport/transport_report.h"

namespace transport {
namespace {

template <class Number>
TransportRun run_in(const TransportProblem& problem, const TransportRunRequest& request) {
    const TransportPrint& print = problem.print;
    TransportRunSettings settings;
    settings.start = print.start;
    settings.step_limit = print.stop > 0 ? print.stop : kDefaultStepLimit;
    const bool report = request.write_report && print.tables != PlanTables::none && !print.file.empty();
    settings.keep_plan = [&print, report, every = request.keep_every_plan](std::int32_t number) {
        return every || (report && plan_printed(print, number, false));
    };
    TransportOutcome<Number> outcome = solve_transport<Number>(problem, settings);
    TransportRun run{std::move(outcome), std::nullopt};
    if (report) {
        const auto& done = std::get<TransportOutcome<Number>>(run.outcome);
        const std::string bytes =
            report_bytes(transport_document(done, print), request.form, request.encoding, print.width);
        const auto path = report_path(print.file);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        out.close();
        if (!out) run.report_failure = "не удалось записать файл отчёта " + path.string();
    }
    return run;
}

}  // namespace

TransportRun run_transport(const TransportProblem& problem, const TransportRunRequest& request) {
    return request.arithmetic == Arithmetic::exact ? run_in<mpq_class>(problem, request)
                                                   : run_in<double>(problem, request);
}

}  // namespace transport
