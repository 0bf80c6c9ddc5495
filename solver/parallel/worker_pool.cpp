#include "solver/parallel/worker_pool.h"

#include <chrono>

namespace {

// Spinning this long bridges the serial steps between the passes of one iteration
// (the choices of the key column and row) and a part of a pass that another
// thread is still on, without holding a core long once the run is over. A thread
// that sleeps instead takes some 30 µs to wake, a good part of a pass.
constexpr std::chrono::microseconds kSpinTime{200};

// A caller that waits this much longer for the parts of other threads than it
// worked on its own has seen a worker held off its core: mere unevenness of the
// parts stays far below it.
constexpr std::chrono::microseconds kLateWait{100};

void relax() noexcept {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Waits until `value` differs from `old`, spinning first; returns the new value.
std::uint32_t wait_for_change(const std::atomic<std::uint32_t>& value, std::uint32_t old) noexcept {
    const auto give_up = std::chrono::steady_clock::now() + kSpinTime;
    for (unsigned spin = 1;; ++spin) {
        const std::uint32_t now = value.load(std::memory_order_acquire);
        if (now != old) return now;
        relax();
        if (spin % 16 == 0 && std::chrono::steady_clock::now() > give_up) break;
    }
    for (;;) {
        value.wait(old, std::memory_order_acquire);
        const std::uint32_t now = value.load(std::memory_order_acquire);
        if (now != old) return now;
    }
}

constexpr std::uint64_t kPartMask = 0xffff;

}  // namespace

WorkerPool::WorkerPool(unsigned threads) {
    const unsigned workers = threads > 1 ? threads - 1 : 0;
    workers_.reserve(workers);
    try {
        for (unsigned index = 1; index <= workers; ++index) workers_.emplace_back([this] { work(); });
    } catch (...) {
        stop();
        throw;
    }
}

WorkerPool::~WorkerPool() { stop(); }

void WorkerPool::stop() noexcept {
    stopping_ = true;
    generation_.fetch_add(1, std::memory_order_release);
    generation_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

WorkerPool::Help WorkerPool::dispatch(unsigned parts, Call call, const void* part) {
    if (workers_.empty() || parts <= 1) {
        for (unsigned index = 0; index < parts; ++index) call(part, index);
        return Help::none;
    }
    call_ = call;
    part_ = part;
    parts_ = parts;
    done_.store(0, std::memory_order_relaxed);
    const std::uint32_t generation = generation_.load(std::memory_order_relaxed) + 1;
    claim_.store(std::uint64_t{generation} << 32 | (parts & kPartMask), std::memory_order_release);
    generation_.store(generation, std::memory_order_release);
    generation_.notify_all();
    const auto start = std::chrono::steady_clock::now();
    if (claim_parts(generation, true) == parts) return Help::none;
    std::uint32_t done = done_.load(std::memory_order_acquire);
    if (done == parts) return Help::timely;
    const auto worked = std::chrono::steady_clock::now();
    while (done != parts) done = wait_for_change(done_, done);
    return std::chrono::steady_clock::now() - worked > worked - start + kLateWait ? Help::late : Help::timely;
}

unsigned WorkerPool::claim_parts(std::uint32_t generation, bool from_front) noexcept {
    unsigned ran = 0;
    std::uint64_t claim = claim_.load(std::memory_order_acquire);
    for (;;) {
        const auto front = static_cast<unsigned>(claim >> 16 & kPartMask);
        const auto back = static_cast<unsigned>(claim & kPartMask);
        if (claim >> 32 != generation || front >= back) return ran;
        const std::uint64_t claimed = from_front ? claim + (1U << 16) : claim - 1;
        if (!claim_.compare_exchange_weak(claim, claimed, std::memory_order_acq_rel, std::memory_order_acquire)) {
            continue;
        }
        // Read while a part of this piece of work is unfinished, so not yet overwritten by the next.
        const unsigned parts = parts_;
        call_(part_, from_front ? front : back - 1);
        ++ran;
        if (done_.fetch_add(1, std::memory_order_acq_rel) + 1 == parts) done_.notify_one();
        claim = claim_.load(std::memory_order_acquire);
    }
}

void WorkerPool::work() {
    std::uint32_t seen = 0;
    for (;;) {
        seen = wait_for_change(generation_, seen);
        if (stopping_) return;
        claim_parts(seen, false);
    }
}
