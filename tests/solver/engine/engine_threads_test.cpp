#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "solver/engine/engine_threads.h"
#include "solver/engine/pivot_step.h"
#include "solver/engine/simplex_engine.h"

namespace {

// max c.x with A x + s = b in the first half of the rows and A x + r = b (r
// artificial, cost -M) in the second; A dense with mixed signs, so that the run
// takes many pivots over a table above the threshold of the parallel passes.
SimplexIteration dense_problem(std::uint32_t m, std::uint32_t own) {
    std::uint64_t state = 7;
    const auto next = [&state](double low, double high) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(state >> 11) / 9007199254740992.0;
    };
    SimplexIteration p;
    p.aim = 1;
    p.table.resize(m + 1, own + m + 1);
    p.estimates.resize(2, own + m + 1);
    p.basis.assign(m + 1, 0);
    for (std::uint32_t j = 1; j <= own; ++j) p.table(0, j) = next(1.0, 20.0);
    for (std::uint32_t i = 1; i <= m; ++i) {
        double b = i <= m / 2 ? next(1.0, 100.0) : 0.0;
        for (std::uint32_t j = 1; j <= own; ++j) {
            p.table(i, j) = next(-3.0, 10.0);
            b += p.table(i, j) * 0.5;
        }
        p.table(i, 0) = b > 0.0 ? b : 0.0;
        p.table(i, own + i) = 1.0;
        if (i > m / 2) p.table(0, own + i) = -BIG_M;
        p.basis[i] = own + i;
    }
    p.base_vars = static_cast<std::int32_t>(own + m / 2);
    return p;
}

bool same_bits(const Matrix& a, const Matrix& b) {
    return a.rows == b.rows && a.cols == b.cols &&
           std::memcmp(a.data.get(), b.data.get(), sizeof(double) * a.rows * a.cols) == 0;
}

// Each iteration is made once on one thread by the separate steps, and by the
// fused step of a run on 2, 3 or 4 threads in turn (more threads than cores
// included), without and with the facts of the table kept from pivot to pivot:
// the estimates and tables stay equal.
TEST(EngineThreads, ManyThreadsAndTheFusedStepGiveTheTablesOfOneBitForBit) {
    SimplexIteration one = dense_problem(80, 170);
    ASSERT_GE(std::size_t{one.table.rows - 1} * one.table.cols, kParallelElements);
    SimplexIteration many = one;
    set_engine_threads(1);
    one.compute_estimates();
    set_engine_threads(2);
    many.compute_estimates();
    SimplexIteration tracked = many;
    engine::TableFacts facts;
    int pivots = 0;
    for (; pivots < 1000; ++pivots) {
        ASSERT_TRUE(same_bits(one.estimates, many.estimates)) << "estimates after pivot " << pivots;
        ASSERT_TRUE(same_bits(one.table, many.table)) << "table after pivot " << pivots;
        ASSERT_TRUE(same_bits(one.estimates, tracked.estimates)) << "estimates after pivot " << pivots;
        ASSERT_TRUE(same_bits(one.table, tracked.table)) << "table after pivot " << pivots;
        ASSERT_EQ(one.basis, many.basis);
        const bool go_on = one.choose_pivot_col() != 0 && one.choose_pivot_row() != 0;
        ASSERT_EQ(go_on, many.choose_pivot_col() != 0 && many.choose_pivot_row() != 0);
        ASSERT_EQ(go_on, tracked.choose_pivot_col() != 0 && tracked.choose_pivot_row() != 0);
        if (!go_on) break;

        set_engine_threads(1);
        one.pivot();
        one.compute_estimates();
        set_engine_threads(2 + pivots % 3);
        pivot_and_estimate(many);
        engine::pivot_table(tracked, true, &facts);
    }
    set_engine_threads(0);
    EXPECT_GT(pivots, 50);
    EXPECT_EQ(one.estimates(0, 0), 0.0);  // optimal: no artificial variable left at a positive level
}

}  // namespace
