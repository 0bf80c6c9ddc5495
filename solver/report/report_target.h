#pragma once

#include <filesystem>
#include <string_view>

// The file a run writes its report into: the record's Windows-1251 name spelled in UTF-8,
// a relative name taken from the current working directory when the run opens it.
std::filesystem::path report_path(std::string_view cp1251_name);
