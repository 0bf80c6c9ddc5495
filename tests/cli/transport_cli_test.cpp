// qtb-solve on transport problems: how each end of a run is told (exit status, output, report).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace {

using namespace test_support;

constexpr const char* kProblem =
    "Name: t\nAim: min\nSize: 2 2\nSupplies: 10 20\nDemands: 15 15\nCosts: 1 x\n 2 4\nFile: t.txt\n";
// Two steps from the north-west corner to its optimum, 435.
constexpr const char* kSteps =
    "Aim: min\nSize: 3 4\nSupplies: 15 25 10\nDemands: 5 15 15 15\n"
    "Costs: 10 2 20 11\n 12 7 9 20\n 4 14 16 18\nFile: t.txt\n";

struct Case {
    const char* name;
    std::string file;  // written as p.qtt, or p.lp
    std::vector<std::string> args;
    int status;
    std::string out;  // a part of standard output
};

const std::vector<Case> kCases = {
    {"optimum", kProblem, {}, 0, "Наименьшая стоимость: 80."},
    {"exact_json", kProblem, {"--json", "--arithmetic", "exact"}, 0, R"("total_cost": "80")"},
    {"every_fault", "Aim: min\nSize: 2 x\nFile: t.txt\n", {}, 1, "p.qtt:2: размерность"},
    {"no_feasible_plan",
     "Aim: min\nSize: 1 2\nSupplies: 5\nDemands: 2 3\nCosts: 1 x\nFile: t.txt\n",
     {},
     2,
     "допустимого плана нет"},
    {"iteration_limit", kSteps, {"--stop", "1", "--start", "northwest", "--json"}, 3, R"("end": "iteration_limit")"},
    {"model_not_transport",
     "Maximize\n obj: x + y\nSubject To\n c: x + 2 y <= 4\nEnd\n",
     {"--method", "potentials"},
     4,
     "не транспортная задача"},
};

class TransportTool : public testing::TestWithParam<Case> {};

TEST_P(TransportTool, TellsTheEndOfTheRun) {
    const Case& c = GetParam();
    const TempFolder folder("qtb_transport_cli");
    const bool model = c.file.starts_with("Maximize");
    const std::string file = write_in(folder, model ? "p.lp" : "p.qtt", c.file);
    std::vector<std::string> args = c.args;
    args.push_back(file);
    const ToolRun run = run_tool(folder.path(), args);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    if (c.status == 0 && c.args.empty()) {
        const std::string report = read_file(folder.path() / "t.txt");
        EXPECT_NE(report.find("\r\n"), std::string::npos);  // Windows-1251 with CR LF
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, TransportTool, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
