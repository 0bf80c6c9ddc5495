#include "solver/report_target.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "problem/cp1251.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Relative names are taken from the current folder, as the engine opens the report.
TEST(ReportTarget, TheProblemFileUnderAnyOfItsNamesButNothingElse) {
    const fs::path previous = fs::current_path();
    const test_support::TempFolder dir("qtb_report_target");
    fs::current_path(dir.path());
    test_support::write_file("p.qtb", "problem");
    test_support::write_file("other.txt", "other");
    fs::create_directory("sub");
    fs::create_symlink("p.qtb", "link.qtb");
    fs::create_hard_link("p.qtb", "задача.qtb");
    const struct {
        const char* report;  // UTF-8 here, Windows-1251 in the record
        const char* problem_file;
        bool overwrites;
    } cases[] = {
        {"./p.qtb", "p.qtb", true},          {"sub/../p.qtb", "p.qtb", true},
        {"link.qtb", "p.qtb", true},         {"задача.qtb", "p.qtb", true},
        {"p.qtb", "link.qtb", true},         {"other.txt", "p.qtb", false},
        {"new.txt", "p.qtb", false},         {"sub", "p.qtb", false},
        {"nosuch/../p.qtb", "p.qtb", false},  // cannot be opened, so it cannot be overwritten
    };
    for (const auto& c : cases) {
        SimplexIteration problem;
        problem.file = cp1251::from_utf8(c.report).value();
        EXPECT_EQ(report_overwrites(problem, c.problem_file), c.overwrites) << c.report << " / " << c.problem_file;
        problem.no_table = true;  // no report at all
        EXPECT_FALSE(report_overwrites(problem, c.problem_file)) << c.report;
    }
    fs::current_path(previous);
}

}  // namespace
