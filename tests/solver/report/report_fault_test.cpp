// Faults of the report file as the engine meets them: a report that cannot be
// opened stops the run at once with code 7 alone and creates nothing; a report that
// cannot be written completely adds code 7 after the run's own codes, in every print
// mode, and only when output was really lost.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "problem/cp1251.h"
#include "problem/status_texts.h"
#include "solver/engine/run_types.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

using namespace test_support;

namespace fs = std::filesystem;
using Codes = std::vector<int>;

// max 3x1 + 2x2: x1 + x2 <= 4, 2x1 + x2 <= 6; two pivots to x1 = x2 = 2.
SimplexIteration solvable() { return make_problem(1, {3, 2, 0, 0}, {{4, 1, 1, 1, 0}, {6, 2, 1, 0, 1}}); }
// max x1 + x2 with -x1 + x2 + s = 2: column 1 is unbounded at once.
SimplexIteration unbounded() { return make_problem(1, {1, 1, 0}, {{2, -1, 1, 1}}); }
// min x1 with x1 <= 1 and x1 >= 2 (artificial r): one pivot, then r stays basic at 1.
SimplexIteration inconsistent() { return make_problem(2, {1, 0, 0, BIG_M}, {{1, 1, 1, 0, 0}, {2, 1, 0, -1, 1}}); }

struct Mode {
    const char* name;
    bool only_data_table;
    bool only_optimal_table;
    std::int32_t print_from;
    std::int32_t print_to;
};
// The modes that open the report (no tables opens nothing); the interval twice: with
// tables of a short run in it, and past the end of one.
const Mode kPrintingModes[] = {
    {"all", false, false, 0, 0},        {"data", true, false, 0, 0},           {"optimal", false, true, 0, 0},
    {"data+optimal", true, true, 0, 0}, {"interval 1..1", false, false, 1, 1}, {"interval 5..9", false, false, 5, 9},
};

SimplexIteration with_report(SimplexIteration p, const Mode& mode, const std::string& file) {
    p.no_table = false;
    p.only_data_table = mode.only_data_table;
    p.only_optimal_table = mode.only_optimal_table;
    p.print_from = mode.print_from;
    p.print_to = mode.print_to;
    p.file = file;
    return p;
}

std::vector<std::string> listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs `body` in a child process and returns its exit status (-1 when it was killed).
// The child is for what must not touch this process: lowered privileges, limits.
template <typename Body>
int in_child(Body body) {
    const pid_t child = fork();
    if (child == 0) _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

constexpr int kCannotDropPrivileges = 99;

TEST(ReportFaults, AReportThatCannotBeOpenedStopsEveryRunAtOnceAndCreatesNothing) {
    const TempFolder dir("qtb_report_fault");
    std::ofstream(dir.path() / "plain.txt") << "plain";
    const std::vector<std::string> names = {
        dir.report_name("missing/r.txt"),        // a folder that does not exist
        dir.report_name(""),                     // the folder itself
        dir.report_name("plain.txt/r.txt"),      // a file where a folder belongs
        dir.report_name(std::string(300, 'n')),  // longer than a file name may be
        dir.report_name("missing/../r.txt"),     // through a folder that does not exist
    };
    const std::vector<std::string> before = listing(dir.path());
    for (const SimplexIteration& problem : {solvable(), unbounded(), inconsistent()}) {
        for (const Mode& mode : kPrintingModes) {
            for (const std::string& name : names) {
                // No pivot is made and the run's own codes never come: 7 alone.
                EXPECT_EQ(codes_of(with_report(problem, mode, name)), Codes{kCannotOpenReportFile})
                    << mode.name << ", " << name;
            }
        }
    }
    EXPECT_EQ(listing(dir.path()), before);
    EXPECT_EQ(read_file(dir.path() / "plain.txt"), "plain");
}

// A folder without write permission and a read-only report. Root may write
// anywhere, so as root the runs are made by a child with the privileges of nobody.
TEST(ReportFaults, AFolderOrAFileThatMayNotBeWrittenStopsTheRunAtOnce) {
    const TempFolder dir("qtb_report_fault");
    const fs::path locked = dir.path() / "locked";
    const fs::path open = dir.path() / "open";
    fs::create_directory(locked);
    fs::create_directory(open);
    std::ofstream(open / "kept.txt") << "kept";
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(open, fs::perms::all);
    fs::permissions(open / "kept.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const int failures = in_child([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return kCannotDropPrivileges;
        if (access(dir.path().c_str(), X_OK) != 0) return kCannotDropPrivileges;  // e.g. a private TMPDIR
        int failed = 0;
        for (const SimplexIteration& problem : {solvable(), unbounded(), inconsistent()}) {
            const Mode& all = kPrintingModes[0];
            if (codes_of(with_report(problem, all, dir.report_name("locked/r.txt"))) != Codes{kCannotOpenReportFile}) {
                failed |= 1;
            }
            if (codes_of(with_report(problem, all, dir.report_name("open/kept.txt"))) != Codes{kCannotOpenReportFile}) {
                failed |= 2;
            }
        }
        // The same child may write where it is allowed to: the refusals came from the permissions.
        if (!codes_of(with_report(solvable(), kPrintingModes[0], dir.report_name("open/new.txt"))).empty()) failed |= 4;
        return failed;
    });
    if (failures == kCannotDropPrivileges)
        GTEST_SKIP() << "cannot run as nobody, or nobody cannot reach " << dir.path();
    EXPECT_EQ(failures & 1, 0) << "a report in a folder without write permission";
    EXPECT_EQ(failures & 2, 0) << "a read-only report";
    EXPECT_EQ(failures & 4, 0) << "a report where writing is allowed";
    EXPECT_TRUE(fs::is_empty(locked));
    EXPECT_EQ(read_file(open / "kept.txt"), "kept");
    EXPECT_TRUE(fs::exists(open / "new.txt"));
}

// /dev/full takes the file open but no byte written to it. Code 7 comes last, after
// the codes of the run, in every mode that prints a table; a mode that prints
// nothing loses nothing and adds no code.
TEST(ReportFaults, AFullDeviceAddsCodeSevenAfterTheRunsCodesWhenATableWasLost) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const TempFolder dir("qtb_report_fault");
    int lost = 0;
    int kept = 0;
    for (const SimplexIteration& problem : {solvable(), unbounded(), inconsistent()}) {
        for (const Mode& mode : kPrintingModes) {
            // The same run with a real report tells its own codes and whether it prints.
            Codes expected = codes_of(with_report(problem, mode, dir.report_name("real.txt")));
            const bool prints = !read_file(dir.path() / "real.txt").empty();
            if (prints) expected.push_back(kCannotOpenReportFile);
            EXPECT_EQ(codes_of(with_report(problem, mode, "/dev/full")), expected) << mode.name;
            (prints ? lost : kept) += 1;
        }
    }
    EXPECT_GT(lost, 0);
    EXPECT_GT(kept, 0);  // e.g. only the data table of a run unbounded at once
}

// A disk that fills in the middle of a report, simulated by a limit on the file size:
// later tables are dropped, the run still goes to its end, and what reached the
// file is the beginning of the full report.
TEST(ReportFaults, AReportCutShortInTheMiddleKeepsItsBeginningAndAddsCodeSevenLast) {
    const TempFolder dir("qtb_report_fault");
    constexpr rlim_t kLimit = 256 << 10;
    for (const SimplexIteration& base : {solvable(), unbounded(), inconsistent()}) {
        SimplexIteration problem = base;
        problem.width = 30000;  // tables of some megabytes: the limit is met inside the run
        problem.precision = 2;
        problem.compute_col_widths();
        const SimplexIteration full = with_report(problem, kPrintingModes[0], dir.report_name("full.txt"));
        const Codes run_codes = codes_of(full);
        const std::string whole = read_file(dir.path() / "full.txt");
        ASSERT_GT(whole.size(), 4 * kLimit);

        Codes expected = run_codes;
        expected.push_back(kCannotOpenReportFile);
        const SimplexIteration cut = with_report(problem, kPrintingModes[0], dir.report_name("cut.txt"));
        const int status = in_child([&] {
            std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of ending the process
            const rlimit limit{kLimit, kLimit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
            return codes_of(cut) == expected ? 0 : 1;
        });
        EXPECT_EQ(status, 0) << "codes of the run, then 7";
        const std::string part = read_file(dir.path() / "cut.txt");
        EXPECT_EQ(part.size(), kLimit);
        EXPECT_EQ(part, whole.substr(0, part.size()));
    }
}

}  // namespace
