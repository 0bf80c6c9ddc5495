#pragma once

// The working storage of the double kernels (the estimates, the pivot and the pivot
// of a clean table), kept by its owner from pass to pass against allocations per
// iteration: the tableau of a run holds one. A pass hands the parts it runs on
// other threads their own slots, made before the pass starts.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "solver/engine/row_split.h"

namespace engine {

// What one part of a pass of the estimates works in.
struct PartScratch {
    std::vector<std::int64_t> counts;  // non-zero elements of each column in the rows of non-zero cost
    std::vector<std::uint32_t> dense;  // the columns that take every such row
};

struct KernelScratch {
    // The estimates' inputs for the current basis.
    std::vector<double> basic_costs;
    std::vector<std::uint32_t> basic_rows;
    // The key row and the key column before a pivot, and the pivot's lists of columns.
    std::vector<double> key_row;
    std::vector<double> key_column;
    std::vector<std::uint32_t> nonzero_cols;  // a pivot's: the key row's non-zero columns, and the others
    std::vector<std::uint32_t> zero_cols;
    std::vector<std::uint32_t> changing;  // a clean pivot's: the columns it computes, and those it keeps
    std::vector<std::uint32_t> kept;
    // The rows of a clean pivot between its parts, kept from pivot to pivot as they balance.
    RowSplit split_between_parts;
    RowSplit split_for_one;

    // Slots for the parts 0..count-1 of a pass; called before the pass, never during it.
    std::span<PartScratch> part_slots(std::size_t count) {
        if (parts_.size() < count) parts_.resize(count);
        return std::span<PartScratch>(parts_).first(count);
    }

private:
    std::vector<PartScratch> parts_;
};

}  // namespace engine
