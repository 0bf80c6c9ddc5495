// qtb-solve on models: the JSON answer, read failures, --write-qtb read back, and the dual of a model.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/glpk_model_reader.h"
#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace {

using namespace test_support;

// max 3x + 2y + z: x + y <= 4, x + 3y >= 2, -1 <= z <= 1 (z = -1 + z') -> x = 4, z = 1, F = 13.
constexpr const char* kModel =
    "Maximize\n obj: 3 x + 2 y + z\nSubject To\n c1: x + y <= 4\n c2: x + 3 y >= 2\n"
    "Bounds\n -1 <= z <= 1\nGenerals\n y\nEnd\n";

TEST(ModelCli, AnswersInTheModelsVariables) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "plan.lp", kModel);
    const auto run = run_tool(folder.path(), {"--json", "--integer", "relax", "plan.lp"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(R"("objective": 13,)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(R"("variables": {"x": 4, "y": 0, "z": 1}, "constant": -1, "relaxed_integers": true})"),
              std::string::npos)
        << run.out;
    const std::string report = read_file(folder.path() / "plan.txt");
    EXPECT_EQ(report.find("\r\n  1. c1: <= 4, "), report.find("\r\n  1. c1:"));
    EXPECT_NE(report.find("  z = 1\r\n"), std::string::npos);

    const auto exact = run_tool(folder.path(), {"--json", "--arithmetic", "exact", "plan.lp"});
    EXPECT_NE(exact.out.find(R"("variables": {"x": "4", "y": "0", "z": "1"})"), std::string::npos) << exact.out;
    EXPECT_NE(exact.out.find(R"("objective": "13",)"), std::string::npos) << exact.out;

    const auto text = run_tool(folder.path(), {"--integer", "relax", "plan.lp"});
    EXPECT_NE(text.out.find("Пометки целочисленности не учитывались"), std::string::npos) << text.out;
}

TEST(ModelCli, ANodeLimitBeforeAnyIntegerSolutionIsOneObjectWithoutAnAnswer) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "odd.lp",
               "Maximize\n obj: x + y\nSubject To\n c1: 2 x + 2 y = 3\nGenerals\n x y\nEnd\n");
    for (const char* arithmetic : {"double", "exact"}) {
        const auto run = run_tool(folder.path(),
                                  {"--json", "--tables", "none", "--nodes", "1", "--arithmetic", arithmetic, "odd.lp"});
        EXPECT_EQ(run.status, 7) << run.err;
        EXPECT_TRUE(run.out.starts_with(R"({"ok": true, "end": "node_limit", "objective": null, "solution": [],)"))
            << run.out;
        EXPECT_NE(run.out.find(R"("variables": {},)"), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
    }
}

TEST(ModelCli, ReadFailureGivesGlpkMessage) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "bad.mod", "var x >= 0;\nmaximize z: x\n");
    const auto run = run_tool(folder.path(), {"--json", "bad.mod"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.starts_with(R"({"ok": false, "stage": "read", "codes": [], "messages": ["bad.mod:)"))
        << run.out;
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(ModelCli, TheModelLimitsReachTheReading) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "big.mod",
               "set S := 1..100000000;\nparam p{i in S} := i;\nvar x;\nminimize z: x + sum{i in S} p[i];\nend;\n");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* said;
    } cases[] = {
        {{"--model-memory-limit", "64", "big.mod"}, 1, "модели не хватило памяти (предел 64 МиБ)"},
        {{"--model-time-limit", "0.2", "big.mod"}, 1, "дольше предела времени (0.2 с)"},
        {{"--model-time-limit", "0", "big.mod"}, 64, "--model-time-limit: ожидается"},
        {{"--model-memory-limit", "8", "big.mod"}, 64, "--model-memory-limit: ожидается"},
    };
    for (const auto& c : cases) {
        const auto run = run_tool(folder.path(), c.args);
        EXPECT_EQ(run.status, c.status) << c.said;
        EXPECT_NE((run.out + run.err).find(c.said), std::string::npos) << run.out << run.err;
    }
}

TEST(ModelCli, ModelOutputComesBeforeTheResult) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "p.mod",
               "printf \"Привет %d\\n\", 5;\nvar x >= 0;\nminimize z: x;\ns.t. c: x >= 1;\nend;\n");
    const auto text = run_tool(folder.path(), {"p.mod"});
    EXPECT_TRUE(text.out.starts_with("Вывод модели:\nПривет 5\nЗадача: p\n")) << text.out;
    const auto json = run_tool(folder.path(), {"--json", "p.mod"});
    EXPECT_TRUE(json.out.ends_with(R"(, "model_output": "Привет 5\u000a"})"
                                   "\n"))
        << json.out;
}

// The written problem file reads back to the model's table, names and options. Its start basis is a
// problem file's (the smallest unit column of each row: z in row 3), the model's its slacks and artificials.
TEST(ModelCli, WrittenProblemFileReadsBack) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "plan.lp", kModel);
    ASSERT_EQ(run_tool(folder.path(), {"--write-qtb", "plan.qtb", "plan.lp"}).status, 0);
    const SimplexIteration read((folder.path() / "plan.qtb").string());
    const SimplexIteration built =
        build_canonical_form(read_model_file((folder.path() / "plan.lp").string(), ModelFormat::cplex_lp)).record;
    ASSERT_EQ(std::tie(read.table.rows, read.table.cols), std::tie(built.table.rows, built.table.cols));
    for (std::uint32_t i = 0; i < read.table.rows; ++i) {
        for (std::uint32_t j = 0; j < read.table.cols; ++j) EXPECT_EQ(read.table(i, j), built.table(i, j));
    }
    EXPECT_EQ(read.basis, (std::vector<std::uint32_t>{0, 4, 7, 3}));
    EXPECT_EQ(built.basis, (std::vector<std::uint32_t>{0, 4, 7, 6}));
    EXPECT_EQ(read.var_names, built.var_names);
    EXPECT_EQ(std::tie(read.aim, read.base_vars, read.stop, read.width, read.precision),
              std::tie(built.aim, built.base_vars, built.stop, built.width, built.precision));
    EXPECT_EQ(read.col_widths, built.col_widths);
    ASSERT_EQ(run_tool(folder.path(), {"plan.qtb"}).status, 0);
}

}  // namespace

// --plot: a picture for a model in two variables; a refusal without a file or another exit status otherwise.
TEST(ModelCli, PlotsOnlyTwoVariables) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "two.lp", "Minimize\n obj: 2 x + 3 y\nSubject To\n need: x + y >= 4\nEnd\n");
    const auto two = run_tool(folder.path(), {"--plot", "two.svg", "two.lp"});
    EXPECT_EQ(two.status, 0) << two.err;
    const std::string svg = read_file(folder.path() / "two.svg");
    EXPECT_TRUE(svg.starts_with("<?xml")) << svg;
    EXPECT_NE(svg.find(">need</text>"), std::string::npos);

    write_file(folder.path() / "plan.lp", kModel);
    const auto three = run_tool(folder.path(), {"--plot", "plan.svg", "plan.lp"});
    EXPECT_EQ(three.status, 0);
    EXPECT_NE(three.err.find("--plot"), std::string::npos) << three.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "plan.svg"));
}

// --dual shows the dual before the answer and its solution after it; the report is the same as without it.
TEST(ModelCli, DualBesideTheAnswer) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "plan.lp", kModel);
    ASSERT_EQ(run_tool(folder.path(), {"--integer", "relax", "plan.lp"}).status, 0);
    const std::string plain_report = read_file(folder.path() / "plan.txt");
    const auto text = run_tool(folder.path(), {"--dual", "--integer", "relax", "plan.lp"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(text.out.starts_with("Двойственная задача:\n  Цель: минимум 4 y_c1 + 2 y_c2 - y_z_lo + y_z_up\n"))
        << text.out;
    EXPECT_NE(text.out.find("  y_c1 = Δ4 = 3 (оценка столбца s1; анализ чувствительности: 3)\n"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("цель прямой задачи 13, цель двойственной (b·y) 13 — равны.\n"), std::string::npos);
    EXPECT_EQ(read_file(folder.path() / "plan.txt"), plain_report);

    const auto json =
        run_tool(folder.path(), {"--json", "--tables", "none", "--dual", "--integer", "relax", "plan.lp"});
    EXPECT_NE(json.out.find(R"(, "dual": {"sense": "min", "constant": 0, "variables": [{"name": "y_c1", )"
                            R"("sign": ">= 0", "cost": 4, "from": {"kind": "row", "name": "c1", )"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find(R"("primal_objective": 13, "dual_objective": 13, "equal": true})"), std::string::npos);

    // Without an optimum the solution is not read.
    const auto stopped = run_tool(folder.path(), {"--json", "--tables", "none", "--stop", "1", "--dual", "plan.lp"});
    EXPECT_NE(stopped.out.find(R"("dual_solution": null)"), std::string::npos) << stopped.out;
}

// --write-dual writes the dual instead of solving, under the rules of --write-qtb; a problem file has none.
TEST(ModelCli, WrittenDualAndItsRefusals) {
    const TempFolder folder("qtb_model_cli");
    write_file(folder.path() / "plan.lp", kModel);
    const auto written = run_tool(folder.path(), {"--json", "--write-dual", "dual.lp", "plan.lp"});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "{\"ok\": true, \"written\": \"dual.lp\"}\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "plan.txt"));
    const LpModel dual = read_model_file((folder.path() / "dual.lp").string(), ModelFormat::cplex_lp);
    EXPECT_FALSE(dual.maximize);
    EXPECT_EQ(dual.rows.size(), 3u);
    const auto solved = run_tool(folder.path(), {"--json", "--tables", "none", "dual.lp"});
    EXPECT_NE(solved.out.find(R"("objective": 13,)"), std::string::npos) << solved.out;

    EXPECT_EQ(run_tool(folder.path(), {"--write-dual", "plan.lp", "plan.lp"}).status, 2);
    EXPECT_EQ(read_file(folder.path() / "plan.lp"), kModel);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--dual", "p.qtb"},
                                                 {"--write-dual", "d.lp", "p.qtb"},
                                                 {"--dual", "--format", "qtb", "plan.lp"}}) {
        const auto refused = run_tool(folder.path(), args);
        EXPECT_EQ(refused.status, 64);
        EXPECT_NE(refused.err.find("двойственная задача строится только для модели"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(run_tool(folder.path(), {"--dual", "--write-dual", "d.lp", "plan.lp"}).status, 64);
}
