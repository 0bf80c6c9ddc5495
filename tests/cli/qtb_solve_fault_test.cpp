// qtb-solve against faults of its files: the problem file is never written, whatever
// the report is called; a report that cannot be opened is code 7 at once and creates
// nothing; a report cut short is code 7 after the run's codes; tables that overflow
// to infinity end like any other run. The built program runs in temporary folders,
// each run with a time limit, so that a hang or a crash fails the test.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace {

using namespace test_support;

namespace fs = std::filesystem;
using namespace std::string_literals;

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// max 3x1 + 2x2: x1 + x2 <= 4, 2x1 + x2 <= 6; two pivots.
constexpr std::string_view kMaximum =
    "Aim: max\nSize: 2 4\nMatrix:\n 3 2 0 0\n 4 1 1 1 0\n 6 2 1 0 1\nFile: report.txt\n";
// max x1 + x2 with -x1 + x2 + s = 2: unbounded at once.
constexpr std::string_view kUnbounded = "Aim: max\nSize: 1 3\nMatrix:\n 1 1 0\n 2 -1 1 1\nFile: u.txt\n";
// min x1 with x1 <= 1 and x1 >= 2: the artificial variable stays basic.
constexpr std::string_view kInconsistent =
    "Aim: min\nSize: 2 4\nMatrix:\n 1 0 0 M\n 1 1 1 0 0\n 2 1 0 -1 1\nFile: i.txt\n";

// The options of every print mode.
const std::vector<std::vector<std::string>> kModes = {
    {"--tables", "all"},          {"--tables", "data"}, {"--tables", "optimal"},
    {"--tables", "data+optimal"}, {"--print", "1:1"},   {"--tables", "none"},
};

std::string joined(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) text += arg + " ";
    return text;
}

class QtbSolveFaults : public testing::Test {
protected:
    fs::path at(std::string_view leaf) const { return dir_.path() / fs::path(std::string(leaf)); }
    ToolRun run(const std::vector<std::string>& args, bool as_nobody = false) const {
        return run_tool(dir_.path(), args, as_nobody);
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir_.path())) {
            names.push_back(fs::relative(entry.path(), dir_.path()).string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder dir_{"qtb_cli_fault"};
};

TEST_F(QtbSolveFaults, TheProblemFileIsNeverWrittenWhateverTheReportIsCalled) {
    write_file(at("p.qtb"), kMaximum);
    fs::create_symlink("p.qtb", at("link.qtb"));
    fs::create_hard_link(at("p.qtb"), at("hard.qtb"));
    fs::create_directory(at("sub"));
    const std::string problem = read_file(at("p.qtb"));
    const std::vector<std::string> before = files();

    const std::vector<std::string> spellings = {
        "p.qtb", "./p.qtb", "sub/../p.qtb", "link.qtb", "hard.qtb", at("p.qtb").string(), "//" + at("p.qtb").string(),
    };
    for (const std::vector<std::string>& mode : kModes) {
        const bool writes = mode.back() != "none";
        for (const std::string& report : spellings) {
            std::vector<std::string> args = mode;
            args.insert(args.end(), {"--json", "--report", report, "p.qtb"});
            const ToolRun r = run(args);
            EXPECT_EQ(r.status, writes ? 2 : 0) << joined(args);
            EXPECT_EQ(contains(r.out, R"("codes": [7])"), writes) << joined(args);
            EXPECT_EQ(read_file(at("p.qtb")), problem) << joined(args);
        }
        // The problem named through a link, the report by the file's own name.
        for (const std::string& link : {"link.qtb"s, "hard.qtb"s}) {
            std::vector<std::string> args = mode;
            args.insert(args.end(), {"--json", "--report", "p.qtb", link});
            EXPECT_EQ(run(args).status, writes ? 2 : 0) << joined(args);
            EXPECT_EQ(read_file(at("p.qtb")), problem) << joined(args);
        }
        // Any other report leaves the problem as it was, too.
        std::vector<std::string> args = mode;
        args.insert(args.end(), {"--json", "--report", "other.txt", "p.qtb"});
        EXPECT_EQ(run(args).status, 0) << joined(args);
        EXPECT_EQ(fs::exists(at("other.txt")), writes);
        fs::remove(at("other.txt"));
        EXPECT_EQ(read_file(at("p.qtb")), problem) << joined(args);
    }
    EXPECT_EQ(files(), before);
}

TEST_F(QtbSolveFaults, AReportNameInTheProblemThatLeadsBackToItIsRefused) {
    // The report name of the file itself, spelled otherwise, or cut at a NUL byte when opened.
    for (const std::string& name : {"./self.qtb"s, "sub/../self.qtb"s, "self.qtb\0junk"s, "self-link.qtb"s}) {
        const std::string text = "Aim: max\nSize: 1 2\nMatrix:\n 1 0\n 4 1 1\nFile: " + name + "\n";
        write_file(at("self.qtb"), text);
        fs::create_directory(at("sub"));
        if (!fs::exists(fs::symlink_status(at("self-link.qtb")))) fs::create_symlink("self.qtb", at("self-link.qtb"));
        const ToolRun r = run({"--json", "self.qtb"});
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_TRUE(contains(r.out, R"("codes": [7])")) << name;
        EXPECT_EQ(read_file(at("self.qtb")), text) << name;
    }
}

TEST_F(QtbSolveFaults, AReportThatCannotBeOpenedIsCodeSevenAloneAndCreatesNothing) {
    write_file(at("max.qtb"), kMaximum);
    write_file(at("unbounded.qtb"), kUnbounded);
    write_file(at("inconsistent.qtb"), kInconsistent);
    fs::create_directory(at("folder"));
    const std::vector<std::string> before = files();
    for (const char* problem : {"max.qtb", "unbounded.qtb", "inconsistent.qtb"}) {
        for (const char* report : {"nowhere/r.txt", "folder", "folder/", "max.qtb/r.txt"}) {
            const ToolRun json = run({"--json", "--report", report, problem});
            EXPECT_EQ(json.status, 2) << problem << " " << report;
            EXPECT_TRUE(contains(json.out, R"("codes": [7], )")) << problem << " " << report << ": " << json.out;
            // For people: the one status text, and no other code.
            const ToolRun text = run({"--report", report, problem});
            EXPECT_EQ(text.status, 2);
            EXPECT_TRUE(contains(text.out, "(код 7)")) << text.out;
            EXPECT_FALSE(contains(text.out, "(код 12)") || contains(text.out, "(код 13)")) << text.out;
        }
    }
    EXPECT_EQ(files(), before);
}

TEST_F(QtbSolveFaults, AFolderOrAReportThatMayNotBeWrittenIsCodeSeven) {
    write_file(at("p.qtb"), kMaximum);
    fs::create_directory(at("locked"));
    write_file(at("kept.txt"), "kept");
    fs::permissions(at("locked"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::permissions(at("kept.txt"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir_.path(), fs::perms::all);  // only the two above are closed to the run

    // Root may write anywhere: the runs are made with the privileges of nobody.
    const ToolRun locked = run({"--json", "--report", "locked/r.txt", "p.qtb"}, true);
    if (locked.status == kCannotDropPrivileges)
        GTEST_SKIP() << "cannot run as nobody, or nobody cannot reach " << dir_.path();
    EXPECT_EQ(locked.status, 2);
    EXPECT_TRUE(contains(locked.out, R"("codes": [7])")) << locked.out;
    EXPECT_TRUE(fs::is_empty(at("locked")));

    const ToolRun read_only = run({"--json", "--report", "kept.txt", "p.qtb"}, true);
    EXPECT_EQ(read_only.status, 2);
    EXPECT_TRUE(contains(read_only.out, R"("codes": [7])")) << read_only.out;
    EXPECT_EQ(read_file(at("kept.txt")), "kept");

    // The same user may write beside them: the refusals came from the permissions.
    EXPECT_EQ(run({"--json", "--report", "new.txt", "p.qtb"}, true).status, 0);
    EXPECT_TRUE(fs::exists(at("new.txt")));
}

TEST_F(QtbSolveFaults, AFullDeviceIsCodeSevenAfterTheRunsCodes) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    write_file(at("unbounded.qtb"), kUnbounded);
    write_file(at("inconsistent.qtb"), kInconsistent);
    const ToolRun unbounded = run({"--json", "--report", "/dev/full", "unbounded.qtb"});
    EXPECT_EQ(unbounded.status, 2);
    EXPECT_TRUE(contains(unbounded.out, R"("codes": [12, 7])")) << unbounded.out;
    const ToolRun inconsistent = run({"--report", "/dev/full", "inconsistent.qtb"});
    EXPECT_EQ(inconsistent.status, 2);
    const auto code_13 = inconsistent.out.find("(код 13)");
    const auto code_7 = inconsistent.out.find("(код 7)");
    EXPECT_TRUE(code_13 != std::string::npos && code_7 != std::string::npos && code_13 < code_7) << inconsistent.out;
    // A run unbounded at once prints no data table: nothing is lost, nothing added.
    const ToolRun nothing = run({"--json", "--tables", "data", "--report", "/dev/full", "unbounded.qtb"});
    EXPECT_TRUE(contains(nothing.out, R"("codes": [12], )")) << nothing.out;
}

// Cells of numbers that are not finite, as printf("%*.*f") writes them.
TEST_F(QtbSolveFaults, TablesThatOverflowToInfinityEndLikeAnyRun) {
    // The pivot on x1 in row 1 makes -1e308 - 10 * 1e308 in row 2: -inf. Its zero-cost
    // row then gives column 2 the estimate 0 * -inf, which is NaN: no key column.
    write_file(at("inf.qtb"),
               "Aim: max\nSize: 2 4\nMatrix:\n 1 1 0 0\n 1 1 1e308 1 0\n 100 10 -1e308 0 1\nFile: inf.txt\n"
               "Accuracy: 8 1\n");
    const ToolRun r = run({"--json", "inf.qtb"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(
        r.out,
        R"({"ok": true, "end": "optimal", "objective": 1, "solution": [1, 1, 0, 0, 90], )"
        R"("iterations": 1, "pivots": [[1, 1]], "alternative_optima": false, "alternative_columns": [], "degenerate": false, "degenerate_pivots": 0})"
        "\n");
    const std::string report = read_file(at("inf.txt"));
    EXPECT_TRUE(contains(report, "|     -inf |")) << report;
    EXPECT_TRUE(contains(report, "|     -nan |") || contains(report, "|      nan |")) << report;

    // An objective value beyond the largest double is null in JSON.
    write_file(at("big.qtb"), "Aim: max\nSize: 1 2\nMatrix:\n 1e308 0\n 10 1 1\nFile: big.txt\n");
    EXPECT_EQ(
        run({"--json", "big.qtb"}).out,
        R"({"ok": true, "end": "optimal", "objective": null, "solution": [null, 10, 0], "iterations": 0, )"
        R"("pivots": [], "alternative_optima": false, "alternative_columns": [], "degenerate": false, "degenerate_pivots": 0})"
        "\n");

    // Tables full of numbers next to the largest double, with every table printed:
    // whatever they give, the program ends with a result or with codes.
    const std::vector<std::string> numbers = {"1e308", "-1e308", "1.7e308", "1e-308", "0", "1", "3", "-2.5"};
    std::mt19937 random(7);
    int non_finite = 0;  // runs whose tables show infinities or NaN
    for (int trial = 0; trial < 30; ++trial) {
        const int m = 2 + static_cast<int>(random() % 4);
        const int n = m + 2 + static_cast<int>(random() % 3);
        std::string text = "Aim: " + std::string(trial % 2 ? "max" : "min") + "\nSize: " + std::to_string(m) + " " +
                           std::to_string(n) + "\nMatrix:\n";
        for (int j = 1; j <= n; ++j)
            text += (j > n - m && trial % 3 == 0 ? "M" : numbers[random() % numbers.size()]) + " ";
        for (int i = 1; i <= m; ++i) {
            text.append("\n").append(random() % 2 ? "1e308" : "5");
            for (int j = 1; j <= n; ++j) {
                text +=
                    " " + (j > n - m ? std::string(j - (n - m) == i ? "1" : "0") : numbers[random() % numbers.size()]);
            }
        }
        text += "\nFile: r.txt\n";
        write_file(at("t.qtb"), text);
        const ToolRun t = run({"--json", "--tables", "all", "t.qtb"});
        EXPECT_TRUE(t.status == 0 || t.status == 2) << t.status << " " << t.err << "\n" << text;
        EXPECT_TRUE(t.out.starts_with(R"({"ok": )")) << t.out;
        const std::string tables = read_file(at("r.txt"));
        non_finite += contains(tables, "inf |") || contains(tables, "nan |");
    }
    EXPECT_GT(non_finite, 5);
}

}  // namespace
