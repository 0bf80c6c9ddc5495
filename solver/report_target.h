#pragma once

#include <filesystem>
#include <string_view>

#include "problem/simplex_iteration.h"

// The file a run writes its report into: the record's Windows-1251 name spelled in UTF-8,
// a relative name taken from the current working directory when the run opens it.
std::filesystem::path report_path(std::string_view cp1251_name);

// True when a run of `problem` would write its report over `problem_file`: it writes a report
// and both names lead to one file (same device and inode), whatever links or "." and ".."
// lie on the way. A report name of which nothing exists yet is never the problem file.
bool report_overwrites(const SimplexIteration& problem, const std::filesystem::path& problem_file);
