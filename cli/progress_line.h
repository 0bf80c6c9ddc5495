#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace cli {

// The progress of a long run on one line of a terminal: the pivots made of the limit and the
// seconds gone, redrawn over itself with a carriage return a few times a second at most, from
// the first half second on (a quick run shows nothing), and wiped at the end.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    explicit ProgressLine(std::ostream& terminal, Clock::time_point start = Clock::now())
        : out_(terminal), start_(start) {}
    ~ProgressLine() { clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // After a pivot; `now` is the time of the call.
    void update(std::int32_t pivots, std::int32_t limit, Clock::time_point now = Clock::now());
    // Wipes the line, when one is shown.
    void clear();

private:
    std::ostream& out_;
    Clock::time_point start_;
    Clock::time_point next_{};  // the earliest time of the next redraw
    std::size_t shown_ = 0;     // characters on the line
};

}  // namespace cli
