#pragma once

// The exact arithmetic of the method: every number of the table is the
// rational that its shortest decimal spells, M is a symbol (each estimate an
// exact pair of M part and plain part), and pivot elements only need to be
// above 0: no snap, no tolerance.

#include <gmpxx.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "problem/column_widths.h"
#include "problem/simplex_iteration.h"
#include "solver/simplex_engine.h"

class ExactTableau {
public:
    using Number = mpq_class;

    // Takes the numbers of the run's table; costs of exactly +-BIG_M are M.
    explicit ExactTableau(SimplexIteration& run);

    const mpq_class& element(std::uint32_t i, std::uint32_t j) const { return table_[index(i, j)]; }
    const mpq_class& m_part(std::uint32_t j) const { return m_parts_.at(j); }
    const mpq_class& plain_part(std::uint32_t j) const { return plain_parts_.at(j); }

    static bool below_pivot_threshold(const mpq_class& a) { return sgn(a) <= 0; }
    static bool above_pivot_threshold(const mpq_class& a) { return sgn(a) > 0; }
    static mpq_class ratio(const mpq_class& b, const mpq_class& a) { return b / a; }
    static bool magnitude_greater(const mpq_class& a, const mpq_class& b) { return compare_magnitudes(a, b) > 0; }
    static bool magnitude_equal(const mpq_class& a, const mpq_class& b) { return compare_magnitudes(a, b) == 0; }

    void compute_estimates();
    void pivot();
    bool objective_has_m_part() const { return sgn(m_parts_[0]) != 0; }
    // The table with every number a reduced fraction, columns as wide as their entries.
    void print_table(std::ostream& stream);
    void finish(SolveOutcome& outcome) const;

private:
    std::uint32_t basic(std::uint32_t i) const;
    static int compare_magnitudes(const mpq_class& a, const mpq_class& b);
    std::size_t index(std::uint32_t i, std::uint32_t j) const {
        if (i >= rows_ || j >= columns_) throw Matrix::bad_matrix(Matrix::kOverrun);
        return std::size_t{i} * columns_ + j;
    }

    SimplexIteration& run_;
    std::uint32_t rows_;            // m + 1
    std::uint32_t columns_;         // n + 1
    std::vector<mpq_class> table_;  // row 0: the costs, 0 where the cost is M
    std::vector<bool> m_cost_;      // columns whose cost is M
    std::vector<mpq_class> m_parts_, plain_parts_;
    ColumnWidths base_widths_;  // from `width` and the names; tables widen them for their entries
};
