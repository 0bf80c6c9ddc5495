#pragma once

#include <cstddef>

// The engine's passes over a large table are split into parts that run on several
// threads. Every part computes its own elements with exactly the operations of a
// single thread, so the tables are the same bit for bit on any number of threads.

// Threads for large tables: 0 (the default) takes the hardware's thread count.
// Meant for tests and benchmarks; not to be changed while a run is going on.
void set_engine_threads(unsigned count);

// The thread count that set_engine_threads() selects, at least 1.
unsigned engine_threads();

// Below this many elements (rows x columns) a pass stays on the calling thread:
// the hand-off to other threads would cost more than it saves.
inline constexpr std::size_t kParallelElements = 12000;

// How many parts run_in_parts() makes of a pass over `elements` elements when it
// runs them in parallel: 1 when it never does. Otherwise it runs them as one part
// (a busy machine) or as this many.
unsigned parallel_parts(std::size_t elements);

namespace engine_detail {
using Part = void (*)(const void* work, unsigned part, unsigned parts) noexcept;
void run_in_parts(std::size_t elements, Part part, const void* work);
}  // namespace engine_detail

// Calls work(part, parts) for part = 0..parts-1, in parallel when the table is
// large enough, and returns when every part is done. `work` must not throw. A
// part may wait for the parts numbered below it: those are never left unclaimed
// behind it (on one thread the parts run in order).
template <class Work>
void run_in_parts(std::size_t elements, const Work& work) {
    engine_detail::run_in_parts(
        elements,
        [](const void* w, unsigned part, unsigned parts) noexcept { (*static_cast<const Work*>(w))(part, parts); },
        &work);
}
