#pragma once

// One simplex table as plain values, for the writers that lay tables out
// themselves (LaTeX, HTML) and for a window that keeps every table of a run.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "problem/table_look.h"

// A number of the table: the double, and in exact runs its text as well
// ("p/q", an integer "p", or "M" / "-M" for an M cost); empty in double runs.
// A view into the snapshot it is read from.
struct SnapshotNumber {
    double value = 0.0;
    std::string_view fraction;
};

// An allocator whose resize() leaves new doubles unwritten: a snapshot's values are written once, by the
// copy of the table (in parts, on the engine's threads), and not filled with zeros first.
template <class T>
struct UnfilledAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <class U>
    struct rebind {
        using other = UnfilledAllocator<U>;
    };
    template <class U>
    void construct(U* place) noexcept {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};
using SnapshotValues = std::vector<double, UnfilledAllocator<double>>;

// Numbers of a table held apart: the doubles side by side, so that a window keeping every large table
// of a double run copies a row of them at once into buffers it reuses, and the texts of an exact run
// beside them (none in double runs).
struct SnapshotNumbers {
    SnapshotValues values;
    std::vector<std::string> texts;  // empty, or one for each value

    std::size_t size() const { return values.size(); }
    SnapshotNumber operator[](std::size_t k) const {
        return {values[k], texts.empty() ? std::string_view{} : std::string_view{texts[k]}};
    }
    SnapshotNumber at(std::size_t k) const {
        return {values.at(k), texts.empty() ? std::string_view{} : std::string_view{texts.at(k)}};
    }
    // No numbers, with room for `count` values kept: the numbers of the next table are appended
    // into the buffer of the last without its being filled with zeros first.
    void empty_for(std::size_t count) {
        values.clear();
        values.reserve(count);
        texts.clear();
    }
};

// What follows the table: the pivot at the key column and row, or the end of the run.
// phase_end: the last table of phase I, phase II follows.
enum class TableClose { next_pivot, unbounded, infeasible, optimum, phase_end };

struct TableSnapshot {
    std::int32_t iteration = 0;        // pivots made before this table
    std::int32_t precision = 0;        // fraction digits of double runs
    std::uint32_t m = 0;               // constraint rows
    std::uint32_t n = 0;               // variables
    std::vector<std::string> names;    // UTF-8, columns 1..n; entry 0 unused
    SnapshotNumbers costs;             // columns 1..n; entry 0 unused
    std::vector<std::uint32_t> basis;  // rows 1..m: the column of the basic variable; entry 0 unused
    SnapshotNumbers elements;          // rows 1..m, columns 0..n, row after row
    SnapshotNumbers m_parts;           // columns 0..n: coefficients of M of the estimates
    SnapshotNumbers plain_parts;       // columns 0..n
    std::uint32_t key_column = 0;      // 0: none
    std::uint32_t key_row = 0;         // 0: none
    TableClose close = TableClose::optimum;
    TableLook look;  // of a method other than the big-M method

    SnapshotNumber element(std::uint32_t i, std::uint32_t j) const {
        return elements.at(std::size_t{i - 1} * (n + std::size_t{1}) + j);
    }
    SnapshotNumber basic_cost(std::uint32_t i) const { return costs.at(basis.at(i)); }
    const std::string& basic_name(std::uint32_t i) const { return names.at(basis.at(i)); }
};

// The text of a number as the report shows it: "M" and "-M" for +-BIG_M, the
// fraction of an exact run, else fixed notation with `precision` digits.
std::string snapshot_number_text(const SnapshotNumber& number, std::int32_t precision);
