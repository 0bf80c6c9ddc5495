#pragma once

#include "problem/simplex_iteration.h"

// Whether a record that the reader accepted keeps every promise of a loaded problem.
inline bool keeps_loaded_invariants(const SimplexIteration& r) {
    const std::uint32_t m = r.constraint_count();
    const std::uint32_t n = r.variable_count();
    if (m < 1 || m > n || m > 300 || n > 500) return false;
    if (r.table.rows != m + 1 || r.table.cols != n + 1) return false;
    if (r.estimates.rows != 2 || r.estimates.cols != n + 1) return false;
    if (r.basis.size() != m + 1 || r.basis[0] != 0) return false;
    if (r.col_widths.last() != static_cast<int>(n)) return false;
    if ((r.aim != 1 && r.aim != 2) || !r.file) return false;
    if (r.precision < 0 || r.precision >= r.width) return false;
    if (r.iterations != 0 || r.pivot_col != 0 || r.pivot_row != 0) return false;
    if (r.base_vars < 0 || r.base_vars > static_cast<std::int32_t>(n)) return false;
    if (r.var_names && r.var_names->size() != n + 1) return false;
    for (std::uint32_t j = 0; j <= n; ++j) {
        if (r.estimates(0, j) != 0.0 || r.estimates(1, j) != 0.0) return false;
    }
    for (std::uint32_t i = 1; i <= m; ++i) {
        if (!(r.table(i, 0) >= 0.0)) return false;
        const std::uint32_t b = r.basis[i];
        if (b < 1 || b > n) return false;
        for (std::uint32_t k = 1; k <= m; ++k) {
            if (r.table(k, b) != (k == i ? 1.0 : 0.0)) return false;
        }
    }
    SimplexIteration widths = r;
    widths.compute_col_widths();
    return widths.col_widths == r.col_widths;
}
