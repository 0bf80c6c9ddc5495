#pragma once

// The final table of a run that ended at an optimum, kept for the analysis
// that reads it (solver/analysis/sensitivity.h), in the numbers of the run.

#include <gmpxx.h>

#include <cstdint>
#include <variant>
#include <vector>

template <class Number>
struct FinalTable {
    int aim = 1;  // 1 maximise, 2 minimise
    std::uint32_t m = 0;
    std::uint32_t n = 0;
    std::vector<Number> elements;         // rows 1..m, columns 0..n, row after row
    std::vector<Number> costs;            // columns 0..n; an M cost as 0
    std::vector<bool> m_cost;             // columns 0..n
    std::vector<Number> plain_estimates;  // columns 0..n: plain parts of the estimates
    std::vector<std::uint32_t> basis;     // rows 0..m (0 unused)
    // The unit columns of the first table, row by row: their final columns hold
    // the inverse of the final basis.
    std::vector<std::uint32_t> initial_basis;

    const Number& element(std::uint32_t i, std::uint32_t j) const {
        return elements.at(std::size_t{i - 1} * (n + 1) + j);
    }
};

struct FinalTableSnapshot {
    std::variant<FinalTable<double>, FinalTable<mpq_class>> table;
    double magnitude = 0.0;  // the run's SolveOutcome::magnitude
};
