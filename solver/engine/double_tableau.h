#pragma once

// The double arithmetic of the method: the record's own table and estimates,
// the extended-precision passes of solver/engine/simplex_engine.cpp, the snap of tiny
// estimates (done there) and PIVOT_EPS in the comparisons of pivot elements.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/engine/element_update.h"
#include "solver/engine/engine_threads.h"
#include "solver/engine/estimate_columns.h"
#include "solver/engine/final_table.h"
#include "solver/engine/kernel_scratch.h"
#include "solver/engine/pivot_step.h"
#include "solver/engine/simplex_engine.h"
#include "solver/engine/tableau_concept.h"
#include "solver/report/table_snapshot.h"

class DoubleTableau {
public:
    using Number = double;
    using Ratio = double;

    explicit DoubleTableau(SimplexIteration& run) : run_(run) {}

    double element(std::uint32_t i, std::uint32_t j) const { return std::as_const(run_.table)(i, j); }
    double m_part(std::uint32_t j) const { return std::as_const(run_.estimates)(0, j); }
    double plain_part(std::uint32_t j) const { return std::as_const(run_.estimates)(1, j); }

    // Elements of rounding residue size would blow the table up as pivots.
    static bool below_pivot_threshold(double a) { return a <= PIVOT_EPS; }
    static bool above_pivot_threshold(double a) { return a > PIVOT_EPS; }
    static double ratio(double b, double a) { return engine::extended_quotient(b, a); }
    static bool magnitude_greater(double a, double b) { return std::fabs(a) > std::fabs(b); }
    static bool magnitude_equal(double a, double b) { return std::fabs(a) == std::fabs(b); }

    // Numbers as the report prints them, for the explanations of a run's choices.
    std::string element_text(std::uint32_t i, std::uint32_t j) const { return text_of(element(i, j)); }
    std::string m_part_text(std::uint32_t j) const { return text_of(m_part(j)); }
    std::string plain_part_text(std::uint32_t j) const { return text_of(plain_part(j)); }
    std::string ratio_text(double q) const { return text_of(q); }

    // A pivot leaves the estimates of its new table behind (engine::pivot_table, one
    // pass over the table); only the first table's are computed on their own.
    void compute_estimates() {
        if (!estimates_current_) engine::compute_estimates(run_, scratch_);
        estimates_current_ = false;
    }
    void pivot() {
        engine::pivot_table(run_, true, scratch_, &facts_);
        estimates_current_ = true;
    }
    bool objective_has_m_part() const { return m_part(0) != 0.0; }
    void print_table(std::ostream& stream) { run_.print_table(stream); }
    // Appends the numbers to a snapshot emptied by snapshot_of_record_into().
    void fill_snapshot(TableSnapshot& snapshot) const {
        const std::uint32_t n = run_.variable_count();
        SnapshotValues& costs = snapshot.costs.values;
        costs.push_back(0.0);  // unused
        for (std::uint32_t j = 1; j <= n; ++j) costs.push_back(run_.table(0, j));
        // The rows in parts on the engine's threads: a window records every table of a run, and the copy
        // (with the first touch of fresh memory) is most of what recording costs.
        const std::uint32_t m = run_.constraint_count();
        const std::size_t columns = std::size_t{n} + 1;
        SnapshotValues& elements = snapshot.elements.values;
        elements.resize(std::size_t{m} * columns);
        const Matrix& table = run_.table;
        run_in_parts(elements.size(), [&](unsigned part, unsigned parts) {
            const std::uint32_t first = 1 + static_cast<std::uint32_t>(std::uint64_t{m} * part / parts);
            const std::uint32_t last = static_cast<std::uint32_t>(std::uint64_t{m} * (part + 1) / parts);
            for (std::uint32_t i = first; i <= last; ++i) {
                const std::span<const double> row = table.row(i).first(columns);
                std::copy(row.begin(), row.end(), elements.begin() + static_cast<std::ptrdiff_t>((i - 1) * columns));
            }
        });
        for (std::uint32_t j = 0; j <= n; ++j) {
            snapshot.m_parts.values.push_back(m_part(j));
            snapshot.plain_parts.values.push_back(plain_part(j));
        }
    }

    // Element 0 the objective value, element basis[i] the value of row i's basic variable.
    void finish(SolveOutcome& outcome) const {
        Matrix solution(run_.variable_count() + 1, 1);
        const long double m_part_of_objective = m_part(0);
        solution(0, 0) = static_cast<double>(m_part_of_objective * BIG_M + plain_part(0));
        for (std::uint32_t i = 1; i <= run_.constraint_count(); ++i) {
            solution(run_.basis.at(i), 0) = element(i, 0);
        }
        outcome.solution = std::move(solution);
    }

    FinalTable<double> final_table(std::vector<std::uint32_t> initial_basis) const {
        FinalTable<double> t;
        t.aim = run_.aim;
        t.m = run_.constraint_count();
        t.n = run_.variable_count();
        for (std::uint32_t i = 1; i <= t.m; ++i) {
            for (std::uint32_t j = 0; j <= t.n; ++j) t.elements.push_back(element(i, j));
        }
        for (std::uint32_t j = 0; j <= t.n; ++j) {
            const double c = j == 0 ? 0.0 : std::as_const(run_.table)(0, j);
            const bool m_cost = c == BIG_M || c == -BIG_M;
            t.costs.push_back(m_cost ? 0.0 : c);
            t.m_cost.push_back(m_cost);
            t.plain_estimates.push_back(plain_part(j));
        }
        t.basis = run_.basis;
        t.initial_basis = std::move(initial_basis);
        return t;
    }

private:
    std::string text_of(double x) const { return snapshot_number_text(SnapshotNumber{x, {}}, run_.precision); }

    SimplexIteration& run_;
    bool estimates_current_ = false;
    engine::TableFacts facts_;
    engine::KernelScratch scratch_;  // the kernels' storage, kept from pivot to pivot
};

static_assert(big_m::Tableau<DoubleTableau>);
