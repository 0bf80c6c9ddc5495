#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

// A few persistent threads that run the parts of one piece of work together with
// the calling thread. Parts are claimed one by one, the caller claiming too, so a
// worker that is slow to wake (a busy machine) delays nothing: the caller does the
// parts it has not taken. The caller claims from the first part on, the workers
// from the last one back, so that the threads work on parts far apart (neighbouring
// parts may share cache lines at their bounds) until they meet. Workers spin
// briefly between the many short pieces of work of one run before they sleep.
class WorkerPool {
public:
    // `threads` counts the caller too: threads - 1 workers are started (none for 0 or 1).
    explicit WorkerPool(unsigned threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    unsigned threads() const noexcept { return static_cast<unsigned>(workers_.size()) + 1; }

    // How the other threads took part in a piece of work.
    enum class Help {
        none,    // the caller ran every part: no worker came in time
        timely,  // workers ran parts, and the caller waited for them no more than for uneven parts
        late,    // the caller, out of parts to claim, waited for a worker's part far longer than
                 // it worked on its own: a sign of a machine too busy to keep the workers running
    };

    // Calls part(p) once for each p = 0..parts-1 (at most 65535 parts), on any of
    // the threads, and returns when every part has returned. A part must not
    // throw. One caller at a time. The caller takes the parts up in order and waits
    // for none of them, so a part may wait for the parts numbered below it.
    template <class Part>
    Help run(unsigned parts, const Part& part) {
        return dispatch(parts, &call<Part>, &part);
    }

private:
    using Call = void (*)(const void* part, unsigned index) noexcept;

    template <class Part>
    static void call(const void* part, unsigned index) noexcept {
        (*static_cast<const Part*>(part))(index);
    }

    Help dispatch(unsigned parts, Call call, const void* part);
    // Runs unclaimed parts of the piece of work `generation` until none is left,
    // taking the first or the last of them; returns how many it ran.
    unsigned claim_parts(std::uint32_t generation, bool from_front) noexcept;
    void work();
    // Wakes every worker to end it and joins it.
    void stop() noexcept;

    // Read only by a thread that has claimed a part of the current piece of work.
    Call call_ = nullptr;
    const void* part_ = nullptr;
    unsigned parts_ = 0;
    std::atomic<bool> stopping_{false};
    // The generation of the piece of work (high 32 bits), the first unclaimed part
    // (16 bits) and the end of the unclaimed parts (low 16 bits): a claim is one compare-exchange.
    std::atomic<std::uint64_t> claim_{0};
    std::atomic<std::uint32_t> generation_{0};  // what idle workers wait on
    std::atomic<std::uint32_t> done_{0};        // parts of the current piece that have returned
    std::vector<std::thread> workers_;
};
