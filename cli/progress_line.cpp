#include "cli/progress_line.h"

#include <algorithm>
#include <cstdio>

#include "problem/valid_utf8.h"

namespace cli {
namespace {

constexpr auto kFirstShown = std::chrono::milliseconds(500);
constexpr auto kRedraw = std::chrono::milliseconds(250);

}  // namespace

void ProgressLine::update(std::int32_t pivots, std::int32_t limit, Clock::time_point now) {
    if (now - start_ < kFirstShown || now < next_) return;
    next_ = now + kRedraw;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", std::chrono::duration<double>(now - start_).count());
    const std::string line =
        "Итерация " + std::to_string(pivots) + " из " + std::to_string(limit) + ", " + seconds + " с";
    const std::size_t width = utf8_width(line);
    // Blanks over what a longer line before left.
    out_ << '\r' << line << std::string(shown_ > width ? shown_ - width : 0, ' ') << std::flush;
    shown_ = std::max(shown_, width);
}

void ProgressLine::clear() {
    if (shown_ == 0) return;
    out_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
    shown_ = 0;
}

}  // namespace cli
