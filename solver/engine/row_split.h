#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace engine {

// The rows of a pivot split between the parts. Each column sums its rows of
// non-zero cost in the order 1..m; the rows of zero cost add nothing. So the
// first part makes the first rows of non-zero cost and adds each to the sums as
// it makes it; a later part makes its rows, waits for the part before it, then
// adds its rows of non-zero cost in a second pass (no division). The rows of zero
// cost, which need no sums, fill each part up to an even share of the work.
class RowSplit {
public:
    // Splits rows 1..m (basic_costs[i] the cost of row i's basic variable) between `parts` parts.
    void split(std::span<const double> basic_costs, unsigned parts);

    // What the second part saw of the first in a pivot run in parallel: whether it
    // had to wait for the first part's sums or found them done. The rows move a
    // little towards the first part or away from it for the next pivot, so that
    // the second part ends its first pass about when the first part ends: then
    // neither waits, whatever the machine's speed at each kind of work.
    void second_part_waited(bool waited) { first_extra_ += waited ? -kBalanceStep : kBalanceStep; }

    // The rows of `part`: first those it sums (in the order 1..m), then the others.
    std::span<const std::uint32_t> rows(unsigned part) const { return span(begin_[part], begin_[part + 1]); }
    // The rows of `part` that go into the sums, in the order 1..m: those of non-zero
    // cost; for a single part every row (those of zero cost add nothing).
    std::span<const std::uint32_t> summed_rows(unsigned part) const { return span(begin_[part], summed_end_[part]); }

private:
    // The work of a row, measured on the dense 300 x 500 problem: made alone it
    // costs kMade, made and summed at once kFused, summed after it was made kAdded more.
    static constexpr std::size_t kFused = 5;
    static constexpr std::size_t kMade = 4;
    static constexpr std::size_t kAdded = 2;
    static constexpr std::ptrdiff_t kBalanceStep = kFused;

    std::span<const std::uint32_t> span(std::uint32_t from, std::uint32_t to) const {
        return std::span<const std::uint32_t>(rows_).subspan(from, to - from);
    }

    std::vector<std::uint32_t> summed_;      // the rows of non-zero cost, ascending
    std::vector<std::uint32_t> unsummed_;    // the others
    std::vector<std::uint32_t> rows_;        // the parts' rows, part after part
    std::vector<std::uint32_t> begin_;       // [p]: where the rows of part p begin in rows_
    std::vector<std::uint32_t> summed_end_;  // [p]: where the rows of part p of non-zero cost end
    bool in_order_ = false;                  // rows_ holds 1..m
    std::ptrdiff_t first_extra_ = 0;         // work given to the first part beyond an even share
};

}  // namespace engine
