#include "solver/engine/engine_threads.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "solver/parallel/worker_pool.h"

namespace {

std::atomic<unsigned> requested_threads{0};

// One part a thread: every thread keeps its share of the table, and its cache
// lines, from pass to pass. Shares that move between threads cost more than the
// unevenness of few parts; a worker that comes late finds its part still there
// for the caller.
constexpr unsigned kPartsPerThread = 1;

// After a piece of work that waited long for a worker (a busy machine: the worker
// was not running), pieces stay on the calling thread for a while before the
// workers are tried again: 16 at first (a pivot of a large table is a piece or
// two; a machine that held a worker off its core once, as a virtual machine's
// host may, is seldom busy for long), twice as many after every such wait that
// follows, until pieces on which the workers help in time show the machine free
// again. Pieces that no worker came to in time count after a few of them in a row too.
constexpr unsigned kPiecesAloneFirst = 16;
constexpr unsigned kPiecesAloneMost = 8192;
constexpr unsigned kPiecesUnhelped = 8;
// A new worker takes a while to find a core of its own (it starts beside the
// caller): the pieces right after the pool starts do not count as unhelped.
constexpr unsigned kPiecesToStart = 64;

// Started at the first large table, stopped and joined at exit.
std::mutex pool_mutex;
std::unique_ptr<WorkerPool> pool;
// Guarded by pool_mutex.
unsigned pieces_alone = 0;                       // pieces still to run alone
unsigned pieces_alone_next = kPiecesAloneFirst;  // how many after the next sign of a busy machine
unsigned pieces_unhelped = 0;                    // pieces in a row that no worker came to
unsigned pieces_to_start = 0;                    // pieces left before unhelped ones count

}  // namespace

void set_engine_threads(unsigned count) { requested_threads.store(count, std::memory_order_relaxed); }

unsigned engine_threads() {
    const unsigned requested = requested_threads.load(std::memory_order_relaxed);
    if (requested != 0) return requested;
    // Asked once: the library reads it from the system's files at every call.
    static const unsigned hardware = std::max(1U, std::thread::hardware_concurrency());
    return hardware;
}

unsigned parallel_parts(std::size_t elements) {
    const unsigned threads = std::min(engine_threads(), 256U);
    return threads == 1 || elements < kParallelElements ? 1 : threads * kPartsPerThread;
}

void engine_detail::run_in_parts(std::size_t elements, Part part, const void* work) {
    const unsigned threads = std::min(engine_threads(), 256U);
    const unsigned parts = parallel_parts(elements);
    // A second run at the same time (the pool is busy) takes the single-threaded
    // way, which gives the same numbers.
    std::unique_lock lock(pool_mutex, std::defer_lock);
    if (parts == 1 || !lock.try_lock()) {
        part(work, 0, 1);
        return;
    }
    if (pieces_alone > 0) {
        --pieces_alone;
        lock.unlock();
        part(work, 0, 1);
        return;
    }
    if (!pool || pool->threads() != threads) {
        pool.reset();
        try {
            pool = std::make_unique<WorkerPool>(threads);
            pieces_to_start = kPiecesToStart;
        } catch (const std::exception&) {  // no threads to be had: one is enough
            part(work, 0, 1);
            return;
        }
    }
    const WorkerPool::Help help =
        pool->run(parts, [part, work, parts](unsigned index) noexcept { part(work, index, parts); });
    if (pieces_to_start > 0) --pieces_to_start;
    pieces_unhelped = help == WorkerPool::Help::none && pieces_to_start == 0 ? pieces_unhelped + 1 : 0;
    if (help == WorkerPool::Help::timely) {
        pieces_alone_next = kPiecesAloneFirst;
    } else if (help == WorkerPool::Help::late || pieces_unhelped == kPiecesUnhelped) {
        pieces_alone = pieces_alone_next;
        pieces_alone_next = std::min(2 * pieces_alone_next, kPiecesAloneMost);
        pieces_unhelped = 0;
    }
}
