#pragma once

// One simplex table of the big-M method in exact numbers: what a checker compares and steps on.

#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct ExactTable {
    std::uint32_t m = 0;               // constraint rows
    std::uint32_t n = 0;               // variables
    std::vector<std::uint32_t> basis;  // rows 1..m: the column of the basic variable; entry 0 the elimination marker
    std::vector<mpq_class> elements;   // rows 1..m, columns 0..n, row after row
    std::vector<mpq_class> m_parts;    // columns 0..n: coefficients of M of the estimates
    std::vector<mpq_class> plain_parts;

    const mpq_class& element(std::uint32_t i, std::uint32_t j) const {
        return elements.at((std::size_t{i} - 1) * (std::size_t{n} + 1) + j);
    }
};
