#pragma once

#include <atomic>

// A request, from another thread, to give up reading a model: the reading ends
// with ModelReadError as soon as it notices (problem/glpk_model_reader.h).
class ModelLoadStop {
public:
    void request() noexcept { requested_.store(true, std::memory_order_relaxed); }
    bool requested() const noexcept { return requested_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> requested_{false};
};
