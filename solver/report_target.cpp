#include "solver/report_target.h"

#include <system_error>

#include "problem/cp1251.h"

std::filesystem::path report_path(std::string_view cp1251_name) { return cp1251::to_utf8(cp1251_name); }

bool report_overwrites(const SimplexIteration& problem, const std::filesystem::path& problem_file) {
    if (problem.no_table || !problem.file) return false;  // the run opens no report
    std::error_code missing;                              // either name leads nowhere: nothing to overwrite
    return std::filesystem::equivalent(report_path(*problem.file), problem_file, missing);
}
