#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "solver/report/earlier_output.h"
#include "solver/transport/transport_document.h"
#include "solver/transport/transport_method.h"
#include "solver/transport/transport_report.h"

namespace {

using namespace transport;

// Three suppliers, two consumers with less demand (a fictitious consumer), one forbidden route.
TransportOutcome<double> open_problem_run() {
    TransportProblem p;
    p.name = "Пример"_cp1251;
    p.supplies = {20, 30, 25};
    p.demands = {30, 35};
    p.costs = {4, 0, 2, 5, 3, 1};
    p.forbidden = {0, 1, 0, 0, 0, 0};
    TransportRunSettings settings;
    settings.keep_plan = [](std::int32_t) { return true; };
    return solve_transport<double>(p, settings);
}

std::string in_cp1251(std::string_view utf8) { return cp1251::from_utf8(utf8).value_or("?"); }

TEST(TransportReport, EachPlanIsAGridWithItsCycleAndTheFormsSayTheSame) {
    const auto outcome = open_problem_run();
    ASSERT_GE(outcome.plans.size(), 2U);
    const TransportDocument document = transport_document(outcome, TransportPrint{});
    // The opening, one block a plan, the end.
    EXPECT_EQ(document.blocks.size(), outcome.plans.size() + 2);
    const PlanGrid& first = document.blocks[1].grid.front();
    ASSERT_EQ(first.rows.size(), 3U + 3U);  // heading, suppliers, demands, v
    EXPECT_EQ(first.rows[1][2].top, "M");   // the forbidden route
    EXPECT_EQ(first.rows[0][3].top, "B3");  // the fictitious consumer
    int signs = 0;
    for (const auto& row : first.rows) {
        for (const GridCell& cell : row) signs += cell.sign != 0 ? 1 : 0;
    }
    EXPECT_EQ(static_cast<std::size_t>(signs), outcome.plans.front().cycle.size());

    struct Form {
        ReportForm form;
        TextEncoding encoding;
        std::vector<std::string> holds;
    };
    const std::vector<Form> forms = {
        {ReportForm::text, TextEncoding::cp1251, {in_cp1251("Пример"), in_cp1251("тета = "), "\r\n"}},
        {ReportForm::text, TextEncoding::utf8, {"Пример", "θ = ", "фиктивный потребитель B3"}},
        {ReportForm::latex, TextEncoding::utf8, {"\\begin{longtable}", "$\\theta$", "\\cellcolor{qtbpivot}"}},
        {ReportForm::html, TextEncoding::utf8, {"<!DOCTYPE html>", "class=\"free plus entering\"", "θ = "}},
    };
    for (const Form& f : forms) {
        const std::string bytes = report_bytes(document, f.form, f.encoding, 8);
        for (const std::string& part : f.holds) EXPECT_NE(bytes.find(part), std::string::npos) << part;
    }
    const std::string utf8 = report_bytes(document, ReportForm::text, TextEncoding::utf8, 8);
    EXPECT_EQ(utf8.find('\r'), std::string::npos);
    // A later run knows either encoding's report for its own.
    EXPECT_TRUE(looks_like_text_report(report_bytes(document, ReportForm::text, TextEncoding::cp1251, 8)));
    EXPECT_TRUE(looks_like_text_report(utf8));
}

TEST(TransportReport, PrintOptionsChooseThePlans) {
    struct Choice {
        PlanTables tables;
        std::int32_t from, to;
        std::vector<bool> shown;  // plans 0, 1, 2 of a run whose last plan is 2
    };
    const std::vector<Choice> choices = {
        {PlanTables::all, 0, 0, {true, true, true}},
        {PlanTables::all, 1, 1, {false, true, false}},
        {PlanTables::first, 0, 0, {true, false, false}},
        {PlanTables::optimal, 0, 0, {false, false, true}},
        {PlanTables::first_and_optimal, 0, 0, {true, false, true}},
        {PlanTables::none, 0, 0, {false, false, false}},
    };
    for (const Choice& c : choices) {
        TransportPrint print;
        print.tables = c.tables;
        print.print_from = c.from;
        print.print_to = c.to;
        for (std::int32_t n = 0; n < 3; ++n) EXPECT_EQ(plan_printed(print, n, n == 2), c.shown[n]) << n;
    }
}

}  // namespace
