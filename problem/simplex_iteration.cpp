#include "problem/simplex_iteration.h"

#include <utility>

SimplexIteration& SimplexIteration::operator=(const SimplexIteration& other) {
    if (&other != this) {
        SimplexIteration copy(other);
        swap_with(copy);
    }
    return *this;
}

SimplexIteration& SimplexIteration::operator=(SimplexIteration&& other) noexcept {
    if (&other != this) swap_with(other);
    return *this;
}

void SimplexIteration::swap_with(SimplexIteration& other) noexcept {
    using std::swap;
    swap(aim, other.aim);
    swap(table, other.table);
    swap(estimates, other.estimates);
    swap(basis, other.basis);
    swap(col_widths, other.col_widths);
    swap(pivot_col, other.pivot_col);
    swap(pivot_row, other.pivot_row);
    swap(base_vars, other.base_vars);
    swap(iterations, other.iterations);
    swap(print_from, other.print_from);
    swap(print_to, other.print_to);
    swap(stop, other.stop);
    swap(only_data_table, other.only_data_table);
    swap(only_optimal_table, other.only_optimal_table);
    swap(no_table, other.no_table);
    swap(var_names, other.var_names);
    swap(name, other.name);
    swap(file, other.file);
    swap(width, other.width);
    swap(precision, other.precision);
    swap(twin_columns, other.twin_columns);
    swap(integer_columns, other.integer_columns);
    swap(exact_rhs, other.exact_rhs);
    swap(reading_hints, other.reading_hints);
    swap(look, other.look);
}

void SimplexIteration::compute_col_widths() {
    if (table.empty()) return;  // no size read yet: nothing to measure
    const auto n = static_cast<int>(variable_count());
    col_widths = ColumnWidths(static_cast<std::uint32_t>(n));
    const auto w = static_cast<std::uint32_t>(width);
    col_widths[-2] = w;
    col_widths[-1] = 5;
    col_widths[0] = w;
    for (int j = 1; j <= n; ++j) {
        col_widths[j] = w;
        if (var_names) {
            const auto length = static_cast<std::uint32_t>((*var_names)[static_cast<std::size_t>(j)].size());
            if (length > col_widths[j]) col_widths[j] = length;
        }
    }
}
