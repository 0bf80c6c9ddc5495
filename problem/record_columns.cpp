#include "problem/record_columns.h"

#include <algorithm>

#include "problem/cp1251.h"

std::uint32_t own_variable_count(const SimplexIteration& record) {
    if (record.base_vars <= 0) return 0;
    return std::min(static_cast<std::uint32_t>(record.base_vars), record.variable_count());
}

std::string utf8_variable_name(const SimplexIteration& record, std::uint32_t j) {
    if (record.var_names && j < record.var_names->size()) return cp1251::to_utf8((*record.var_names)[j]);
    return "x" + std::to_string(j);
}

std::vector<std::string> utf8_variable_names(const SimplexIteration& record) {
    const std::uint32_t n = record.variable_count();
    std::vector<std::string> names(std::size_t{n} + 1);
    for (std::uint32_t j = 1; j <= n; ++j) names[j] = utf8_variable_name(record, j);
    return names;
}
