#include "solver/report/report_target.h"

#include "problem/cp1251.h"

std::filesystem::path report_path(std::string_view cp1251_name) { return cp1251::to_utf8(cp1251_name); }
