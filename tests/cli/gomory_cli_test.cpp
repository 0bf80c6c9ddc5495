// qtb-solve --integer gomory: each end with its exit status, the cuts in JSON and in the report.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace {

using namespace test_support;

// Two cuts: x2 <= 3, then x1 + x2 <= 7; the optimum x1 = 4, x2 = 3, z = 58.
constexpr const char* kPure =
    "Maximize\n z: 7 x1 + 10 x2\nSubject To\n c1: - x1 + 3 x2 <= 6\n c2: 7 x1 + x2 <= 35\nGeneral\n x1 x2\nEnd\n";
constexpr const char* kMixed =
    "Maximize\n z: 7 x1 + 10 x2\nSubject To\n c1: - x1 + 3 x2 <= 6\n c2: 7 x1 + x2 <= 35\nGeneral\n x1\nEnd\n";

TEST(GomoryCli, EachEndWithItsExitStatus) {
    const TempFolder folder("qtb_gomory_cli");
    write_file(folder.path() / "pure.lp", kPure);
    write_file(folder.path() / "mixed.lp", kMixed);
    const struct {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> said;
    } cases[] = {
        {{"--json", "--integer", "gomory", "pure.lp"},
         0,
         {R"("objective": "58")", R"("arithmetic": "exact")", R"("inequality": "x2 <= 3")",
          R"("coefficients": ["0", "0", "0", "-1/7", "-6/7", "1"], "rhs": "-4/7", "inequality": "x1 + x2 <= 7")"}},
        {{"--json", "--integer", "gomory", "--cuts", "1", "pure.lp"}, 8, {R"("end": "cut_limit")"}},
        {{"--json", "--integer", "gomory", "mixed.lp"}, 4, {R"("stage": "method")", "--integer branch", "x2"}},
        {{"--integer", "gomory", "--cuts", "1", "pure.lp"}, 8, {}},
    };
    for (const auto& c : cases) {
        const auto run = run_tool(folder.path(), c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << run.err;
        for (const std::string& text : c.said) EXPECT_NE(run.out.find(text), std::string::npos) << text << run.out;
    }
}

TEST(GomoryCli, ReportTellsEachCutBeforeItsTables) {
    const TempFolder folder("qtb_gomory_cli");
    write_file(folder.path() / "pure.lp", kPure);
    for (const std::string form : {"text", "html"}) {
        const auto run = run_tool(folder.path(), {"--integer", "gomory", "--encoding", "utf-8", "--output", form,
                                                  "--report", "r." + form, "pure.lp"});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string report = read_file(folder.path() / ("r." + form));
        const auto first = report.find("Отсечение 1");
        const auto second = report.find("Отсечение 2");
        ASSERT_NE(first, std::string::npos) << form;
        ASSERT_NE(second, std::string::npos) << form;
        EXPECT_LT(first, second);
        EXPECT_NE(report.find("точной арифметике"), std::string::npos) << form;
        EXPECT_NE(report.find(form == "html" ? "x1 + x2 &lt;= 7" : "x1 + x2 <= 7"), std::string::npos) << form;
    }
}

}  // namespace
