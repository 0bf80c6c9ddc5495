#include "solver/engine/row_split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

namespace {

using Rows = std::vector<std::uint32_t>;

// Every row goes to exactly one part, and the rows of non-zero cost are summed in
// the order 1..m part after part: the order every column's sums depend on.
void expect_sound(const engine::RowSplit& split, const std::vector<double>& costs, unsigned parts) {
    Rows all;
    Rows summed;
    for (unsigned part = 0; part < parts; ++part) {
        const auto rows = split.rows(part);
        const auto part_summed = split.summed_rows(part);
        ASSERT_LE(part_summed.size(), rows.size());
        ASSERT_TRUE(std::equal(part_summed.begin(), part_summed.end(), rows.begin()));
        if (parts > 1) {
            for (std::size_t k = 0; k < rows.size(); ++k) EXPECT_EQ(costs[rows[k]] != 0.0, k < part_summed.size());
        }
        all.insert(all.end(), rows.begin(), rows.end());
        summed.insert(summed.end(), part_summed.begin(), part_summed.end());
    }
    Rows every(costs.size() - 1);
    std::iota(every.begin(), every.end(), 1U);
    if (parts == 1) {  // one part makes and sums every row in order
        EXPECT_EQ(summed, every);
        return;
    }
    std::ranges::sort(all);
    EXPECT_EQ(all, every);
    EXPECT_TRUE(std::ranges::is_sorted(summed));
    EXPECT_EQ(summed.size(), static_cast<std::size_t>(std::ranges::count_if(costs.begin() + 1, costs.end(),
                                                                            [](double c) { return c != 0.0; })));
}

TEST(RowSplit, EveryRowOnceAndTheSummedRowsInOrderHoweverTheBalanceMoves) {
    const std::vector<std::vector<double>> cost_rows = {
        {0, 0, 0, 0, 0, 0, 0},     // no sums at all
        {0, 1, 2, 3, 4, 5, 6},     // every row summed
        {0, 1, 0, -1e6, 0, 2, 0},  // mixed
        {0, 0, 0, 0, 0, 0, 7, 8},  // the summed rows last
        {0, 3},                    // one row
    };
    for (const auto& costs : cost_rows) {
        for (unsigned parts = 1; parts <= 4; ++parts) {
            // The balance moves to either end and back.
            for (const bool waited : {true, false}) {
                engine::RowSplit split;
                for (int pivot = 0; pivot < 12; ++pivot) {
                    split.split(costs, parts);
                    expect_sound(split, costs, parts);
                    split.second_part_waited(waited == (pivot < 8));
                }
            }
        }
    }
}

}  // namespace
