// Speed of reading the numbers of a problem file: the numbers of a dense 300 x 500
// constraint matrix (300 rows of 501 numbers), and the whole reader on a problem file
// of that size.
//
//     build/bench/number_read_bench [RUNS]
//
// Reads the numbers RUNS times (default 5) each way, in turn, best time counted:
//   stream - `>> double` on a classic-locale string stream, the way of the C++ library;
//   reader - TextInput::read_double, the reader's way; its values must equal the
//            stream's bit for bit, and the benchmark checks that.
// Then reads the whole problem file from memory (SimplexIteration::from_bytes).
// Prints the time per number of each way, the speed-up and the time of the whole reader.
// Goal: reader >= 5 x stream.

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "bench/random_numbers.h"
#include "problem/simplex_iteration.h"
#include "problem/text_input.h"

namespace {

constexpr int kRows = 300;
constexpr int kVariables = 500;
constexpr int kOwnVariables = 200;  // the rest are slack variables, one unit column a row

using Clock = std::chrono::steady_clock;

// Numbers as people write them, the same on every machine.
class Numbers : public RandomNumbers {
public:
    Numbers() : RandomNumbers(20260301) {}

    // A number as people write them: up to 6 decimals, magnitudes 1e-3 to 1e5,
    // either sign, now and then with an exponent.
    std::string text(bool non_negative = false) {
        const double magnitude = std::pow(10.0, -3.0 + 8.0 * uniform());
        const double value = non_negative || uniform() < 0.5 ? magnitude : -magnitude;
        char buffer[64];
        if (uniform() < 0.1) {
            std::snprintf(buffer, sizeof buffer, "%.5e", value);
        } else {
            // Enough decimals that no number is written as 0.
            const int decimals = std::max(static_cast<int>(next() % 7), magnitude < 1.0 ? 4 : 0);
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        }
        return buffer;
    }
};

// 300 rows of 501 numbers, every one of them written out.
std::string dense_numbers() {
    Numbers numbers;
    std::string text;
    for (int i = 0; i < kRows; ++i) {
        for (int j = 0; j <= kVariables; ++j) text.append(numbers.text()).push_back(j == kVariables ? '\n' : ' ');
    }
    return text;
}

// A problem file of the largest size: dense own columns, a unit column for every row.
std::string dense_problem() {
    Numbers numbers;
    std::string text = "Name: dense\nAim: max\nSize: 300 500\nFile: dense.txt\nMatrix:\n";
    for (int j = 1; j <= kVariables; ++j) text.append(j <= kOwnVariables ? numbers.text() : "0").push_back(' ');
    for (int i = 1; i <= kRows; ++i) {
        text.append("\n").append(numbers.text(true));
        for (int j = 1; j <= kVariables; ++j) {
            text.push_back(' ');
            text.append(j <= kOwnVariables ? numbers.text() : j - kOwnVariables == i ? "1" : "0");
        }
    }
    return text + "\n";
}

double best_seconds(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string text = dense_numbers();
    const std::size_t count = static_cast<std::size_t>(kRows) * (kVariables + 1);

    // The two ways take turns, so that a busy machine slows both alike.
    std::vector<double> by_stream(count);
    std::vector<double> by_reader(count);
    double stream_seconds = 1e300;
    double reader_seconds = 1e300;
    for (int run = 0; run < runs; ++run) {
        stream_seconds = std::min(stream_seconds, best_seconds(1, [&] {
                                      std::istringstream in(text);
                                      in.imbue(std::locale::classic());
                                      for (double& value : by_stream) in >> value;
                                  }));
        reader_seconds = std::min(reader_seconds, best_seconds(1, [&] {
                                      TextInput in(text);
                                      for (double& value : by_reader) in.read_double(value);
                                  }));
    }
    const auto same_bits = [](double a, double b) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    };
    if (!std::equal(by_stream.begin(), by_stream.end(), by_reader.begin(), same_bits)) {
        std::fprintf(stderr, "the two ways read different numbers\n");
        return 1;
    }

    const std::string problem = dense_problem();
    const double whole_seconds = best_seconds(runs, [&] {
        try {
            const SimplexIteration record = SimplexIteration::from_bytes(problem);
        } catch (const SimplexIteration::bad_simplex& faults) {
            std::fprintf(stderr, "the problem file is refused with code %d\n", faults.codes[0]);
            std::exit(1);
        }
    });

    const double per_number = 1e9 / static_cast<double>(count);
    std::printf("numbers of a dense %d x %d matrix: %zu numbers, %.1f MB\n", kRows, kVariables + 1, count,
                static_cast<double>(text.size()) / 1e6);
    std::printf("  stream  %7.1f ns a number\n", stream_seconds * per_number);
    std::printf("  reader  %7.1f ns a number\n", reader_seconds * per_number);
    std::printf("  speed-up %.1f x (goal 5 x)\n", stream_seconds / reader_seconds);
    std::printf("whole reader on a %d x %d problem file (%.1f MB): %.1f ms\n", kRows, kVariables,
                static_cast<double>(problem.size()) / 1e6, whole_seconds * 1e3);
    return 0;
}
