#include "solver/worker_pool.h"

namespace {

// About 20-50 us of spinning: long enough to bridge the serial steps between the
// passes of one iteration, short enough not to hold a core when the run is over.
constexpr int kSpins = 4000;

void relax() noexcept {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Waits until `value` differs from `old`, spinning first; returns the new value.
std::uint32_t wait_for_change(const std::atomic<std::uint32_t>& value, std::uint32_t old) noexcept {
    for (int spin = 0; spin < kSpins; ++spin) {
        const std::uint32_t now = value.load(std::memory_order_acquire);
        if (now != old) return now;
        relax();
    }
    for (;;) {
        value.wait(old, std::memory_order_acquire);
        const std::uint32_t now = value.load(std::memory_order_acquire);
        if (now != old) return now;
    }
}

}  // namespace

WorkerPool::WorkerPool(unsigned threads) {
    const unsigned workers = threads > 1 ? threads - 1 : 0;
    workers_.reserve(workers);
    try {
        for (unsigned index = 1; index <= workers; ++index) workers_.emplace_back([this, index] { work(index); });
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

void WorkerPool::dispatch(Call call, const void* part) {
    if (workers_.empty()) {
        call(part, 0);
        return;
    }
    call_ = call;
    part_ = part;
    busy_.store(static_cast<std::uint32_t>(workers_.size()), std::memory_order_relaxed);
    generation_.fetch_add(1, std::memory_order_release);
    generation_.notify_all();
    call(part, 0);
    for (std::uint32_t busy = busy_.load(std::memory_order_acquire); busy != 0;) busy = wait_for_change(busy_, busy);
}

void WorkerPool::work(unsigned index) {
    std::uint32_t seen = 0;
    for (;;) {
        seen = wait_for_change(generation_, seen);
        if (stopping_) return;
        call_(part_, index);
        if (busy_.fetch_sub(1, std::memory_order_acq_rel) == 1) busy_.notify_one();
    }
}
