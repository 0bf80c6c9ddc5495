// The progress line of a long run: quiet at first, redrawn over itself a few times a second, wiped at the end.

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>

#include "cli/progress_line.h"

namespace {

using namespace std::chrono_literals;

TEST(ProgressLine, ShowsALongRunOnOneLineAndWipesIt) {
    std::ostringstream terminal;
    const auto start = cli::ProgressLine::Clock::time_point{};
    {
        cli::ProgressLine line(terminal, start);
        line.update(1, 100, start + 100ms);  // a quick run shows nothing
        EXPECT_EQ(terminal.str(), "");
        line.update(5000, 10000, start + 600ms);
        line.update(5001, 10000, start + 700ms);  // too soon after the last one
        EXPECT_EQ(terminal.str(), "\rИтерация 5000 из 10000, 0.6 с");
        line.update(9, 10000, start + 1000ms);  // shorter: blanks over the rest
        EXPECT_EQ(terminal.str().substr(terminal.str().rfind('\r')), "\rИтерация 9 из 10000, 1.0 с   ");
        terminal.str("");
    }
    EXPECT_EQ(terminal.str(), "\r" + std::string(29, ' ') + "\r");
}

}  // namespace
