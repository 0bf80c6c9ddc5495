#pragma once

// The time a run has taken, against the limit of its settings.

#include <chrono>
#include <optional>

class RunClock {
public:
    explicit RunClock(std::optional<double> limit_seconds)
        : start_(std::chrono::steady_clock::now()), limit_(limit_seconds) {}

    bool past_limit() const {
        return limit_ && std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count() >= *limit_;
    }

private:
    std::chrono::steady_clock::time_point start_;
    std::optional<double> limit_;
};
