#pragma once

// What a caller besides the report sees of a run while it goes: every table,
// the progress, and a way to stop it from another thread.

#include <atomic>
#include <cstdint>
#include <functional>

class ReportSink;

struct RunObserver {
    // Sees the run's start, every table of the run (whatever the report prints)
    // and its end. Called on the run's thread.
    ReportSink* tables = nullptr;
    // After each pivot: the pivots made and the run's iteration limit. Called on the run's thread.
    std::function<void(std::int32_t pivots, std::int32_t limit)> progress;
    // Set from any thread: the run stops at its next table, before that table's pivot.
    const std::atomic<bool>* stop = nullptr;

    bool stop_requested() const { return stop != nullptr && stop->load(std::memory_order_relaxed); }
};
