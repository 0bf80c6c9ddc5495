// A problem file read by mapping it gives what reading it into memory gives.

#include "cli/problem_file_mapping.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/temp_folder.h"

namespace {

using test_support::TempFolder;
using test_support::write_in;

// The first code of a read, or the name and an entry of the record.
std::string outcome_of(const std::function<SimplexIteration()>& read) {
    try {
        const SimplexIteration record = read();
        return record.name.value_or("-") + ' ' + std::to_string(record.table(1, 0));
    } catch (const SimplexIteration::bad_simplex& codes) {
        return "code " + std::to_string(codes.codes[0]);
    }
}

TEST(ProblemFileMapping, ReadsAsTheReaderDoes) {
    const TempFolder folder("qtb_mapping");
    const std::string lines = "Name: n\nAim: max\nSize: 1 2\nFile: r.txt\nMatrix:\n1 2\n4 1 1\n";
    const std::string paths[] = {
        write_in(folder, "lf.qtb", lines),
        write_in(folder, "crlf.qtb", "Name: n\r\nAim: max\r\nSize: 1 2\r\nFile: r.txt\r\nMatrix:\r\n1 2\r\n4 1 1\r\n"),
        write_in(folder, "utf8.qtb", "\xEF\xBB\xBFИмя: задача\n" + lines.substr(8)),
        write_in(folder, "faults.qtb", "Size: 0 0\n"),
        write_in(folder, "empty.qtb", ""),
        folder.path().string(),
        (folder.path() / "missing.qtb").string(),
    };
    EXPECT_EQ(outcome_of([&] { return cli::read_problem_file(paths[0]); }), "n 4.000000");
    for (const std::string& path : paths) {
        EXPECT_EQ(outcome_of([&] { return cli::read_problem_file(path); }),
                  outcome_of([&] { return SimplexIteration(path); }))
            << path;
    }
}

}  // namespace
