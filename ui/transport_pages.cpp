#include "ui/transport_pages.h"

#include <utility>
#include <variant>

namespace {

template <class Number>
TransportPages pages_of(const transport::TransportOutcome<Number>& outcome, std::int32_t precision) {
    transport::TransportPrint print;
    print.tables = transport::PlanTables::all;
    print.precision = precision;
    transport::TransportDocument document = transport::transport_document(outcome, print);

    // The document draws the kept plans and then the last one unless it was kept: the same order here.
    std::vector<const transport::Plan<Number>*> plans;
    for (const transport::Plan<Number>& plan : outcome.plans) plans.push_back(&plan);
    if (plans.empty() || plans.back()->number != outcome.last.number) plans.push_back(&outcome.last);

    TransportPages pages;
    pages.title = std::move(document.title);
    pages.optimal = outcome.end == transport::TransportEnd::optimal;
    std::size_t next_plan = 0;
    for (transport::DocumentBlock& block : document.blocks) {
        if (block.grid.empty()) {
            std::vector<std::string>& text = next_plan == 0 ? pages.opening : pages.closing;
            for (std::vector<std::string>* part : {&block.lines, &block.after})
                for (std::string& line : *part) text.push_back(std::move(line));
            continue;
        }
        TransportPlanPage page{std::move(block.heading), std::move(block.grid.front()), {}, std::move(block.after)};
        if (next_plan < plans.size()) page.cycle = plans[next_plan]->cycle;
        ++next_plan;
        pages.plans.push_back(std::move(page));
    }
    return pages;
}

}  // namespace

TransportPages transport_pages(const transport::AnyTransportOutcome& outcome, std::int32_t precision) {
    return std::visit([precision](const auto& done) { return pages_of(done, precision); }, outcome);
}
