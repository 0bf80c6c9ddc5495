#include "problem/problem_file_writer.h"

#include <charconv>

namespace {

std::string number(double x) {
    if (x == 0.0) return "0";  // never "-0", which the cost row refuses
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, x);
    return {text, result.ptr};
}

std::string cost(double x) {
    if (x == BIG_M) return "M";
    if (x == -BIG_M) return "-M";
    return number(x);
}

}  // namespace

std::string problem_file_bytes(const SimplexIteration& record) {
    std::string text;
    // Each line from its pieces, appended: no temporary strings, and none of GCC 12's
    // false -Wrestrict warnings at -O3 on "text" + std::string.
    const auto line = [&text](const auto&... pieces) {
        (text.append(pieces), ...);
        text.append("\r\n");
    };
    using std::to_string;
    if (record.name) line("Name: ", *record.name);
    line("Aim: ", record.aim == 1 ? "max" : "min");
    line("Size: ", to_string(record.constraint_count()), " ", to_string(record.variable_count()));
    if (record.base_vars > 0) line("Base: ", to_string(record.base_vars));
    if (record.var_names) {
        std::string names = "Var_names:";
        for (std::uint32_t j = 1; j <= record.variable_count(); ++j) names.append(" ").append((*record.var_names)[j]);
        line(names);
    }
    if (!record.integer_columns.empty()) {
        std::string columns = "Integer: " + to_string(record.integer_columns.size());
        for (const std::uint32_t j : record.integer_columns) columns.append(" ").append(to_string(j));
        line(columns);
    }
    if (record.file) line("File: ", *record.file);
    line("Accuracy: ", to_string(record.width), " ", to_string(record.precision));
    if (record.print_from != 0 || record.print_to != 0) {
        line("Print: ", to_string(record.print_from), " ", to_string(record.print_to));
    }
    if (record.stop > 0) line("Stop: ", to_string(record.stop));
    if (record.only_data_table) line("OnlyDataTable");
    if (record.only_optimal_table) line("OnlyOptimalTable");
    if (record.no_table) line("NoTable");
    line("Matrix:");
    std::string costs;
    for (std::uint32_t j = 1; j <= record.variable_count(); ++j)
        costs.append(j == 1 ? "" : " ").append(cost(record.table(0, j)));
    line(costs);
    for (std::uint32_t i = 1; i <= record.constraint_count(); ++i) {
        std::string row;
        for (std::uint32_t j = 0; j <= record.variable_count(); ++j)
            row.append(j == 0 ? "" : " ").append(number(record.table(i, j)));
        line(row);
    }
    return text;
}
