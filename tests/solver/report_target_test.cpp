#include "solver/report_target.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "problem/cp1251.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using test_support::TempFolder;
using test_support::write_file;

// Relative report names are taken from the current folder, as the engine opens them.
class ReportTarget : public testing::Test {
protected:
    ReportTarget() {
        fs::current_path(dir_.path());
        write_file("p.qtb", "problem");
        write_file("other.txt", "other");
        fs::create_directory("sub");
        fs::create_symlink("p.qtb", "link.qtb");
        fs::create_hard_link("p.qtb", "задача.qtb");
    }
    ~ReportTarget() override { fs::current_path(previous_); }

    static SimplexIteration reporting_into(const std::string& utf8_name) {
        SimplexIteration problem;
        problem.file = cp1251::from_utf8(utf8_name).value();
        return problem;
    }

    fs::path previous_ = fs::current_path();
    TempFolder dir_{"qtb_report_target"};
};

TEST_F(ReportTarget, TheProblemFileUnderAnyOfItsNamesButNoOtherFile) {
    const struct {
        std::string report;
        const char* problem_file;
        bool overwrites;
    } cases[] = {
        {"p.qtb", "p.qtb", true},
        {"./p.qtb", "p.qtb", true},
        {"sub/../p.qtb", "p.qtb", true},
        {"link.qtb", "p.qtb", true},
        {"задача.qtb", "p.qtb", true},  // a hard link, its name spelled in Windows-1251 in the record
        {(dir_.path() / "p.qtb").string(), "p.qtb", true},
        {"p.qtb", "link.qtb", true},
        {"p.qtb", "sub/../задача.qtb", true},
        {"other.txt", "p.qtb", false},
        {"new.txt", "p.qtb", false},          // nothing of that name yet
        {"nosuch/../p.qtb", "p.qtb", false},  // cannot be opened, so cannot be overwritten
        {"sub", "p.qtb", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(report_overwrites(reporting_into(c.report), c.problem_file), c.overwrites)
            << c.report << " / " << c.problem_file;
    }
}

TEST_F(ReportTarget, ARunWithoutAReportOverwritesNothing) {
    SimplexIteration no_tables = reporting_into("p.qtb");
    no_tables.no_table = true;
    EXPECT_FALSE(report_overwrites(no_tables, "p.qtb"));
    EXPECT_FALSE(report_overwrites(SimplexIteration{}, "p.qtb"));
    EXPECT_FALSE(report_overwrites(reporting_into("p.qtb"), {}));  // no problem file known
}

}  // namespace
