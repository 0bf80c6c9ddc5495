// A problem file read by mapping it gives what reading it into memory gives.

#include "cli/problem_file_mapping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

using test_support::TempFolder;
using test_support::write_in;

// The record's fields that the reading fills, or the codes it throws.
template <typename Read>
std::string outcome_of(Read read) {
    try {
        const SimplexIteration record = read();
        std::string text =
            std::to_string(record.aim) + ' ' + record.name.value_or("-") + ' ' + record.file.value_or("-");
        for (std::uint32_t i = 0; i < record.table.rows; ++i) {
            for (std::uint32_t j = 0; j < record.table.cols; ++j) text += ' ' + std::to_string(record.table(i, j));
        }
        for (const std::uint32_t column : record.basis) text += ' ' + std::to_string(column);
        for (const std::string& name : record.var_names.value_or(std::vector<std::string>{})) text += ' ' + name;
        return text;
    } catch (const SimplexIteration::bad_simplex& codes) {
        std::string text = "codes";
        for (int k = 0; k < codes.count; ++k) text += ' ' + std::to_string(codes.codes[static_cast<std::size_t>(k)]);
        return text;
    }
}

TEST(ProblemFileMapping, ReadsAsTheReaderDoes) {
    const TempFolder folder("qtb_mapping");
    const std::string problem = "Name: n\nAim: max\nSize: 1 2\nVar_names: x y\nFile: r.txt\nMatrix:\n1 2\n4 1 1\n";
    std::string crlf;
    for (const char c : problem) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string paths[] = {
        write_in(folder, "lf.qtb", problem),
        write_in(folder, "crlf.qtb", crlf),
        write_in(folder, "eof.qtb", problem + "\x1A" + "Aim: min"),
        write_in(folder, "utf8.qtb", "\xEF\xBB\xBFИмя: задача\n" + problem.substr(problem.find('\n') + 1)),
        write_in(folder, "faults.qtb", "Size: 0 0\n"),
        write_in(folder, "empty.qtb", ""),
        folder.path().string(),
        (folder.path() / "missing.qtb").string(),
    };
    for (const std::string& path : paths) {
        const bool readable = path.ends_with("lf.qtb") || path.ends_with("eof.qtb") || path.ends_with("utf8.qtb");
        EXPECT_EQ(outcome_of([&] { return SimplexIteration(path); }).starts_with("codes"), !readable) << path;
        EXPECT_EQ(outcome_of([&] { return cli::read_problem_file(path); }),
                  outcome_of([&] { return SimplexIteration(path); }))
            << path;
    }
}

}  // namespace
