#pragma once

// Loaded problem records built in code, and the status codes of their runs.

#include <cstdint>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/session/run_with_report.h"

namespace test_support {

// A record as the reader leaves it: costs c_1..c_n, rows (b_i, a_i1..a_in), the basis
// the lowest unit column of each row, widths computed. It prints no tables until told to.
inline SimplexIteration make_problem(std::uint8_t aim, const std::vector<double>& costs,
                                     const std::vector<std::vector<double>>& rows, std::int32_t base_vars = 0) {
    const auto m = static_cast<std::uint32_t>(rows.size());
    const auto n = static_cast<std::uint32_t>(costs.size());
    SimplexIteration p;
    p.aim = aim;
    p.table.resize(m + 1, n + 1);
    p.estimates.resize(2, n + 1);
    p.basis.assign(m + 1, 0);
    for (std::uint32_t j = 1; j <= n; ++j) p.table(0, j) = costs[j - 1];
    for (std::uint32_t i = 1; i <= m; ++i) {
        for (std::uint32_t j = 0; j <= n; ++j) p.table(i, j) = rows[i - 1].at(j);
    }
    for (std::uint32_t i = 1; i <= m; ++i) {
        for (std::uint32_t j = 1; j <= n && p.basis[i] == 0; ++j) {
            bool unit = true;
            for (std::uint32_t r = 1; r <= m; ++r) unit = unit && p.table(r, j) == (r == i ? 1.0 : 0.0);
            if (unit) p.basis[i] = j;
        }
    }
    p.base_vars = base_vars;
    p.no_table = true;
    p.file = "report.txt";
    p.compute_col_widths();
    return p;
}

// The status codes a run of the record ends with; none when it returns its solution.
inline std::vector<int> codes_of(const SimplexIteration& p) {
    try {
        solve(p);
    } catch (const SimplexIteration::bad_simplex& failure) {
        return {failure.codes.begin(), failure.codes.begin() + failure.count};
    }
    return {};
}

}  // namespace test_support
