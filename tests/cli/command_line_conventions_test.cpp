// qtb-solve as a Linux tool: --version, the report's encoding from the environment, and one
// JSON object, always UTF-8, on every exit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "problem/valid_utf8.h"
#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace {

using namespace test_support;

// max x1: x1 + s = 4 -> x1 = 4 after one pivot; its report is p.txt.
constexpr const char* kProblem = "Aim: max\nSize: 1 2\nMatrix:\n 1 0\n 4 1 1\nFile: p.txt\n";
constexpr const char* kModel = "Maximize\n obj: x\nSubject To\n c1: x <= 4\nEnd\n";

// The run with QTB_ENCODING set to `encoding` (unset when nothing), given back as it was.
ToolRun run_with_encoding(const TempFolder& folder, const std::vector<std::string>& args,
                          const std::optional<std::string>& encoding) {
    const char* before = std::getenv("QTB_ENCODING");
    const std::optional<std::string> kept = before != nullptr ? std::optional<std::string>(before) : std::nullopt;
    if (encoding) {
        setenv("QTB_ENCODING", encoding->c_str(), 1);
    } else {
        unsetenv("QTB_ENCODING");
    }
    ToolRun run = run_tool(folder.path(), args);
    if (kept) {
        setenv("QTB_ENCODING", kept->c_str(), 1);
    } else {
        unsetenv("QTB_ENCODING");
    }
    return run;
}

TEST(CommandLineConventions, VersionNamesTheProgramAndItsLibraries) {
    const TempFolder folder("qtb_conventions");
    const ToolRun run = run_tool(folder.path(), {"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("qtb-solve 3.1.0.0\nGLPK ")) << run.out;
    EXPECT_NE(run.out.find("\nGMP "), std::string::npos) << run.out;
}

TEST(CommandLineConventions, TheExamplesThatEndTheHelpRun) {
    const TempFolder folder("qtb_conventions");
    std::filesystem::copy(std::filesystem::path(QTB_SOURCE_DIR) / "examples", folder.path() / "examples",
                          std::filesystem::copy_options::recursive);
    const std::string help = run_tool(folder.path(), {"--help"}).out;
    const std::size_t examples = help.find("\nПримеры:\n");
    ASSERT_NE(examples, std::string::npos);
    std::size_t count = 0;
    for (std::size_t at = help.find("\n  qtb-solve ", examples); at != std::string::npos;
         at = help.find("\n  qtb-solve ", at + 1)) {
        const std::size_t end = help.find('\n', at + 1);
        std::vector<std::string> args;  // the example's words, none of them quoted
        std::string line = help.substr(at + 13, end - at - 13);
        for (std::size_t word = 0; word < line.size();) {
            const std::size_t space = std::min(line.find(' ', word), line.size());
            args.push_back(line.substr(word, space - word));
            word = space + 1;
        }
        const ToolRun run = run_tool(folder.path(), args);
        EXPECT_EQ(run.status, 0) << line << run.err;
        ++count;
    }
    EXPECT_EQ(count, 4U);
}

TEST(CommandLineConventions, EveryExitPrintsOneJsonObject) {
    const struct {
        std::vector<std::string> args;
        std::optional<std::string> encoding;
        int status;
        std::string out;  // the whole output
    } cases[] = {
        {{"--json", "--bogus", "p.qtb"},
         {},
         64,
         R"({"ok": false, "stage": "usage", "codes": [], "messages": ["неизвестный параметр --bogus"]})"},
        {{"--json"}, {}, 64, R"({"ok": false, "stage": "usage", "codes": [], "messages": ["не указан файл задачи"]})"},
        {{"--json", "p.qtb"},
         "koi8-r",
         64,
         R"({"ok": false, "stage": "usage", "codes": [], "messages": ["QTB_ENCODING=koi8-r: ожидается cp1251 или )"
         R"x(utf-8 (или задайте --encoding)"]})x"},
        {{"--json", "--write-qtb", "w.qtb", "m.lp"}, {}, 0, R"({"ok": true, "written": "w.qtb"})"},
        {{"--json", "--stop", "0", "p.qtb"},
         {},
         64,
         R"({"ok": false, "stage": "usage", "codes": [], "messages": ["--stop: ожидается целое число не меньше 1"]})"},
    };
    for (const auto& c : cases) {
        const TempFolder folder("qtb_conventions");
        write_file(folder.path() / "p.qtb", kProblem);
        write_file(folder.path() / "m.lp", kModel);
        const ToolRun run = run_with_encoding(folder, c.args, c.encoding);
        EXPECT_EQ(run.status, c.status) << c.args.back() << run.err;
        EXPECT_EQ(run.out, c.out + "\n") << c.args.back();
    }
}

TEST(CommandLineConventions, TheEnvironmentSetsTheReportsEncodingUnlessTheOptionDoes) {
    const struct {
        std::optional<std::string> encoding;
        std::vector<std::string> args;
        bool crlf;
    } cases[] = {
        {{}, {"p.qtb"}, true},
        {"utf-8", {"p.qtb"}, false},
        {"cp1251", {"p.qtb"}, true},
        {"utf-8", {"--encoding", "cp1251", "p.qtb"}, true},
        {"koi8-r", {"--encoding=utf-8", "p.qtb"}, false},  // the option wins, the variable goes unread
    };
    for (const auto& c : cases) {
        const TempFolder folder("qtb_conventions");
        write_file(folder.path() / "p.qtb", kProblem);
        const ToolRun run = run_with_encoding(folder, c.args, c.encoding);
        ASSERT_EQ(run.status, 0) << c.encoding.value_or("-") << run.err;
        const std::string report = read_file(folder.path() / "p.txt");
        EXPECT_EQ(report.find("\r\n") != std::string::npos, c.crlf) << c.encoding.value_or("-");
    }
}

TEST(CommandLineConventions, AModelsReadErrorNamesItsFileAndLine) {
    const struct {
        std::vector<std::string> args;
        std::string place;
    } cases[] = {
        {{"bad.lp"}, R"("file": "bad.lp", "line": 4)"},
        {{"m.mod", "--data", "d.dat"}, R"("file": "d.dat", "line": 2)"},
        {{"missing.lp"}, R"("file": "missing.lp", "line": null)"},
    };
    for (const auto& c : cases) {
        const TempFolder folder("qtb_conventions");
        write_file(folder.path() / "bad.lp", "Maximize\n obj: x\nSubject To !\n c1: x <= 4\nEnd\n");
        write_file(folder.path() / "m.mod", "param p;\nvar x >= 0;\nmaximize z: p * x;\ns.t. c: x <= 1;\nend;\n");
        write_file(folder.path() / "d.dat", "data;\nparam q := 1;\nend;\n");
        std::vector<std::string> args{"--json"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolRun run = run_tool(folder.path(), args);
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_NE(run.out.find(c.place), std::string::npos) << run.out;
    }
}

TEST(CommandLineConventions, JsonStaysUtf8WhateverTheFileHolds) {
    const TempFolder folder("qtb_conventions");
    // A Windows-1251 name on a line GLPK refuses, and one as the model's file name.
    write_file(folder.path() / "bad.lp", "Maximize\n obj: x\nSubject To\n \xEE\xE3\xF0: x <= 4 \xFF\nEnd\n");
    const ToolRun run = run_tool(folder.path(), {"--json", "bad.lp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(valid_utf8(run.out), run.out) << run.out;
    const ToolRun usage = run_tool(folder.path(), {"--json", "--\xFF"});
    EXPECT_EQ(usage.status, 64);
    EXPECT_EQ(valid_utf8(usage.out), usage.out) << usage.out;
    EXPECT_NE(usage.out.find("--я"), std::string::npos) << usage.out;
}

TEST(CommandLineConventions, ExactRunsGiveEveryValueAsAString) {
    const TempFolder folder("qtb_conventions");
    write_file(folder.path() / "c.mod", "var x >= 0;\nmaximize z: x + 0.5;\ns.t. c: x <= 4;\nend;\n");
    const ToolRun run = run_tool(folder.path(), {"--json", "--tables", "none", "--arithmetic", "exact", "c.mod"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(R"("constant": "1/2")"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(R"("objective": "9/2")"), std::string::npos) << run.out;
}

}  // namespace
