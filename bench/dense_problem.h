#pragma once

// The dense benchmark problem of the largest size a problem file may give: 300
// constraints, 500 variables, solved in several hundred pivots. Shared by the
// engine benchmark and the writer of its problem files for the comparison with glpsol.

#include <algorithm>
#include <array>
#include <cstdint>

#include "problem/simplex_iteration.h"

namespace bench {

inline constexpr std::uint32_t kDenseRows = 300;
inline constexpr std::uint32_t kDenseVariables = 500;
// The rest of the columns are the slack (first half of the rows) and artificial variables.
inline constexpr std::uint32_t kDenseOwnVariables = kDenseVariables - kDenseRows;

// Deterministic pseudo-random numbers in [low, high), the same on every machine.
class Numbers {
public:
    double next(double low, double high) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_ = 20240601;
};

// max c.x subject to A x + s = b in the first half of the rows and A x + r = b
// with artificial variables r (cost -M) in the second; A is dense with mixed signs.
// No tables are printed; the iteration limit is far away.
inline SimplexIteration dense_problem() {
    constexpr std::uint32_t m = kDenseRows;
    constexpr std::uint32_t own = kDenseOwnVariables;
    SimplexIteration p;
    p.aim = 1;
    p.table.resize(m + 1, kDenseVariables + 1);
    p.estimates.resize(2, kDenseVariables + 1);
    p.basis.assign(m + 1, 0);
    Numbers numbers;
    // b = A x0 (plus slack in the first half) for a positive x0 keeps the problem feasible.
    std::array<double, own + 1> x0{};
    for (std::uint32_t j = 1; j <= own; ++j) {
        p.table(0, j) = numbers.next(1.0, 20.0);
        x0[j] = numbers.next(0.0, 1.0);
    }
    for (std::uint32_t i = 1; i <= m; ++i) {
        double b = i <= m / 2 ? numbers.next(1.0, 100.0) : 0.0;
        for (std::uint32_t j = 1; j <= own; ++j) {
            p.table(i, j) = numbers.next(-3.0, 10.0);
            b += p.table(i, j) * x0[j];
        }
        p.table(i, 0) = std::max(b, 0.0);
        p.table(i, own + i) = 1.0;
        if (i > m / 2) p.table(0, own + i) = -BIG_M;
        p.basis[i] = own + i;
    }
    p.base_vars = static_cast<std::int32_t>(own + m / 2);
    p.stop = 100000;
    p.no_table = true;
    p.compute_col_widths();
    return p;
}

}  // namespace bench
