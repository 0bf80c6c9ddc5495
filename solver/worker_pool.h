#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

// A few persistent threads that run the parts of one piece of work together with
// the calling thread. A hand-off costs a store and, only for a worker that has
// fallen asleep, a futex wake: workers spin briefly between the many short
// pieces of work of one run before they sleep.
class WorkerPool {
public:
    // `threads` counts the caller too: threads - 1 workers are started (none for 0 or 1).
    explicit WorkerPool(unsigned threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    unsigned threads() const noexcept { return static_cast<unsigned>(workers_.size()) + 1; }

    // Calls part(p) for p = 0..threads()-1, part 0 on the calling thread, and returns
    // when every part has returned. A part must not throw. One caller at a time.
    template <class Part>
    void run(const Part& part) {
        dispatch(&call<Part>, &part);
    }

private:
    using Call = void (*)(const void* part, unsigned index) noexcept;

    template <class Part>
    static void call(const void* part, unsigned index) noexcept {
        (*static_cast<const Part*>(part))(index);
    }

    void dispatch(Call call, const void* part);
    void work(unsigned index);
    // Wakes every worker to end it and joins it.
    void stop() noexcept;

    // Published by the caller before it advances the generation.
    Call call_ = nullptr;
    const void* part_ = nullptr;
    bool stopping_ = false;
    std::atomic<std::uint32_t> generation_{0};
    std::atomic<std::uint32_t> busy_{0};  // workers that have not finished the current piece
    std::vector<std::thread> workers_;
};
