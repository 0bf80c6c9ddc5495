#include "solver/parallel/worker_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

// Each part leaves its own result and the thread that ran it; the pool must call every part exactly once.
struct Batch {
    explicit Batch(unsigned parts) : calls(parts), results(parts) {}

    void operator()(unsigned part) const {
        calls[part].fetch_add(1, std::memory_order_relaxed);
        results[part] = std::uint64_t{part} * part + 1;
        const std::lock_guard lock(mutex);
        threads.insert(std::this_thread::get_id());
    }

    mutable std::vector<std::atomic<unsigned>> calls;
    mutable std::vector<std::uint64_t> results;
    mutable std::mutex mutex;
    mutable std::set<std::thread::id> threads;
};

void expect_each_part_once(const Batch& batch, const WorkerPool& pool) {
    for (unsigned part = 0; part < batch.calls.size(); ++part) {
        ASSERT_EQ(batch.calls[part].load(), 1U) << "part " << part;
        ASSERT_EQ(batch.results[part], std::uint64_t{part} * part + 1) << "part " << part;
    }
    EXPECT_LE(batch.threads.size(), pool.threads());
}

TEST(WorkerPool, RunsEveryPartOnceForAnyCountOfThreadsAndParts) {
    for (const unsigned threads : {0U, 1U, 2U, 3U, 8U}) {
        WorkerPool pool(threads);
        EXPECT_EQ(pool.threads(), std::max(threads, 1U));
        // No part, one, fewer than the threads, many more, and the most a piece of work may have.
        for (const unsigned parts : {0U, 1U, 2U, 5U, 64U, 1000U, 65535U}) {
            SCOPED_TRACE(testing::Message() << threads << " threads, " << parts << " parts");
            Batch batch(parts);
            const WorkerPool::Help help = pool.run(parts, batch);
            expect_each_part_once(batch, pool);
            // The caller alone runs a piece of work of at most one part, and every part without workers.
            if (pool.threads() == 1 || parts <= 1) {
                EXPECT_EQ(help, WorkerPool::Help::none);
                EXPECT_LE(batch.threads.size(), 1U);
            }
        }
    }
}

TEST(WorkerPool, OnePoolRunsPieceAfterPieceOfWork) {
    WorkerPool pool(3);
    for (unsigned piece = 0; piece < 2000; ++piece) {
        Batch batch(piece % 17);
        pool.run(piece % 17, batch);
        expect_each_part_once(batch, pool);
    }
}

TEST(WorkerPool, APartMayWaitForThePartsNumberedBelowIt) {
    for (const unsigned threads : {1U, 2U, 4U}) {
        WorkerPool pool(threads);
        for (int piece = 0; piece < 50; ++piece) {
            constexpr unsigned kParts = 40;
            std::vector<std::atomic<bool>> done(kParts);
            pool.run(kParts, [&done](unsigned part) {
                if (part > 0) {
                    while (!done[part - 1].load(std::memory_order_acquire)) std::this_thread::yield();
                }
                done[part].store(true, std::memory_order_release);
            });
            EXPECT_TRUE(std::ranges::all_of(done, [](const std::atomic<bool>& d) { return d.load(); }));
        }
    }
}

}  // namespace
