#pragma once

// The exact arithmetic of the method: every number of the table is the
// rational that its shortest decimal spells, M is a symbol (each estimate an
// exact pair of M part and plain part), and pivot elements only need to be
// above 0: no snap, no tolerance.
//
// Fraction-free (integer-preserving) pivoting: the table is held as integers
// over one positive denominator D, the determinant of the current basis (of
// the rows scaled to integers), so a pivot needs no greatest common divisors:
// t'(i,j) = (t(i,j) t(r,s) - t(i,s) t(r,j)) / D divides exactly, and D' = t(r,s).
// The two estimate rows are carried along by the same step (over D, and over
// D times the common denominator of the costs), which gives exactly what a
// rebuild from the costs would.

#include <gmpxx.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "problem/column_widths.h"
#include "problem/simplex_iteration.h"
#include "solver/engine/final_table.h"
#include "solver/engine/run_types.h"
#include "solver/engine/tableau_concept.h"
#include "solver/report/table_snapshot.h"

struct TableTexts;

class ExactTableau {
public:
    using Number = mpz_class;  // a numerator; the denominators are positive
    using Ratio = mpq_class;

    // Takes the numbers of the run's table (a model's right-hand sides from `exact_rhs`);
    // costs of exactly +-BIG_M are M.
    explicit ExactTableau(SimplexIteration& run);
    // The same with rows 1..m given exactly (columns 0..n, row after row), the costs from the run's
    // table: a phase that starts where an earlier one ended. The basic columns must be unit columns.
    ExactTableau(SimplexIteration& run, const std::vector<mpq_class>& rows);
    // A table as a person wrote it: rows 1..m and both estimate rows (columns 0..n) taken as they stand,
    // whether or not the estimates follow from the costs; a pivot carries them along as it does its own.
    ExactTableau(SimplexIteration& run, const std::vector<mpq_class>& rows, const std::vector<mpq_class>& m_parts,
                 const std::vector<mpq_class>& plain_parts);

    const mpz_class& element(std::uint32_t i, std::uint32_t j) const { return table_[index(i, j)]; }
    const mpz_class& m_part(std::uint32_t j) const { return m_parts_.at(j); }
    const mpz_class& plain_part(std::uint32_t j) const { return plain_parts_.at(j); }

    static bool below_pivot_threshold(const mpz_class& a) { return sgn(a) <= 0; }
    static bool above_pivot_threshold(const mpz_class& a) { return sgn(a) > 0; }
    // Numerators of one row share their denominator: b / a is theirs alone.
    static mpq_class ratio(const mpz_class& b, const mpz_class& a);
    static bool magnitude_greater(const mpz_class& a, const mpz_class& b) {
        return mpz_cmpabs(a.get_mpz_t(), b.get_mpz_t()) > 0;
    }
    static bool magnitude_equal(const mpz_class& a, const mpz_class& b) {
        return mpz_cmpabs(a.get_mpz_t(), b.get_mpz_t()) == 0;
    }

    // Computes the estimates once; pivot() keeps them up to date from then on.
    void compute_estimates();
    // Works out the table after the pivot at the run's key column and row beside the current one, which
    // stays as it is; `interrupted` is asked before every row. False when it said so: nothing has changed.
    // A pivot of a large exact table takes seconds, and a stop must not wait for it.
    bool stage_pivot(const std::function<bool()>& interrupted);
    // The pivot: the staged table, or one worked out now, becomes the current one.
    void pivot();
    bool objective_has_m_part() const { return sgn(m_parts_[0]) != 0; }
    // The table with every number a reduced fraction, columns as wide as their entries.
    void print_table(std::ostream& stream);
    // The numbers of a snapshot sized by snapshot_of_record(), with their fractions.
    void fill_snapshot(TableSnapshot& snapshot) const;
    void finish(SolveOutcome& outcome) const;

    FinalTable<mpq_class> final_table(std::vector<std::uint32_t> initial_basis) const;

    // Numbers as the report prints them (reduced fractions), for the explanations of a run's choices.
    std::string element_text(std::uint32_t i, std::uint32_t j) const;
    std::string m_part_text(std::uint32_t j) const;
    std::string plain_part_text(std::uint32_t j) const;
    static std::string ratio_text(const mpq_class& q);

    mpq_class element_value(std::uint32_t i, std::uint32_t j) const;
    mpq_class m_part_value(std::uint32_t j) const;
    mpq_class plain_part_value(std::uint32_t j) const;

private:
    // `extra_scale` joins the denominator D, so that estimates given with denominators of their own
    // stay integers over it and every pivot still divides exactly.
    ExactTableau(SimplexIteration& run, const std::function<mpq_class(std::uint32_t, std::uint32_t)>& value_at,
                 const mpz_class& extra_scale = 1);
    // Every number of the current table as the report writes it.
    TableTexts texts() const;
    std::uint32_t basic(std::uint32_t i) const;
    std::size_t index(std::uint32_t i, std::uint32_t j) const {
        if (i == 0 || i >= rows_ || j >= columns_) throw Matrix::bad_matrix(Matrix::kOverrun);
        return std::size_t{i} * columns_ + j;
    }
    // One row of numerators through a pivot with the key row `key` and key element `p`, into `out`.
    void eliminate(mpz_class* out, const mpz_class* row, const mpz_class* key, const mpz_class& p, std::uint32_t s);

    SimplexIteration& run_;
    std::uint32_t rows_;                            // m + 1
    std::uint32_t columns_;                         // n + 1
    std::vector<mpz_class> table_;                  // rows 1..m; row 0 is not used
    mpz_class denominator_;                         // D
    std::vector<bool> m_cost_;                      // columns whose cost is M
    std::vector<mpq_class> costs_;                  // the other columns' costs
    mpz_class cost_denominator_;                    // of all costs that are not M
    std::vector<mpz_class> m_parts_, plain_parts_;  // over D and over D * cost_denominator_
    bool estimates_current_ = false;
    // The table and estimates after the next pivot (stage_pivot), and whether they are staged; the buffers
    // of the table before, from then on.
    std::vector<mpz_class> next_table_;
    std::vector<mpz_class> next_m_parts_, next_plain_parts_;
    bool staged_ = false;
    mpz_class product_;         // scratch of eliminate()
    ColumnWidths base_widths_;  // from `width` and the names; tables widen them for their entries
};

static_assert(big_m::Tableau<ExactTableau>);
