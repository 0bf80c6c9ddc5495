// Speed of the simplex engine on a dense problem of the largest size a problem
// file may give (300 constraints, 500 variables), solved without tables.
//
//     build/bench/solve_bench [RUNS] [THREADS]
//
// THREADS (default: the hardware's) sets the threads of the engine's passes.
//
// Prints the pivots per second and the time of one pivot with its estimates,
// next to the time of one plain pass over a table of the same size (every
// element read and written once), measured in the same run. The goal is a pivot
// that costs at most 8 plain passes. The extended-precision division of every
// element that a pivot changes sets its floor: the columns whose key-row element
// is 0 (the basic ones) are left as they are.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <span>

#include "bench/dense_problem.h"
#include "bench/plain_pass.h"
#include "problem/simplex_iteration.h"
#include "solver/engine/engine_threads.h"
#include "solver/session/run_with_report.h"

namespace {

constexpr std::uint32_t kRows = bench::kDenseRows;
constexpr std::uint32_t kVariables = bench::kDenseVariables;

using Clock = std::chrono::steady_clock;

// Seconds of one pass: the best of many.
double pass_seconds(void (*pass)(Matrix&), Matrix& table) {
    double best = 1e9;
    for (int round = 0; round < 20; ++round) {
        constexpr int kPasses = 50;
        const auto start = Clock::now();
        for (int n = 0; n < kPasses; ++n) pass(table);
        const std::chrono::duration<double> took = Clock::now() - start;
        best = std::min(best, took.count() / kPasses);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    if (argc > 2) set_engine_threads(static_cast<unsigned>(std::max(1, std::atoi(argv[2]))));
    const SimplexIteration problem = bench::dense_problem();

    double best_seconds = 1e9;
    double best_cpu_seconds = 1e9;
    SolveOutcome outcome;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const std::clock_t cpu_start = std::clock();
        try {
            outcome = solve_with_outcome(problem);
        } catch (const SimplexIteration::bad_simplex& failure) {
            std::printf("the benchmark problem failed with status code %d\n", failure.codes[0]);
            return 1;
        }
        const std::chrono::duration<double> took = Clock::now() - start;
        best_seconds = std::min(best_seconds, took.count());
        best_cpu_seconds = std::min(best_cpu_seconds, static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC);
    }

    Matrix table = problem.table;
    const double scalar = pass_seconds(scalar_pass, table);
    const double vectorised = pass_seconds(vectorised_pass, table);
    const int pivots = outcome.iterations;
    const double per_pivot = best_seconds / pivots;

    std::printf("problem: %u x %u dense, no tables, %u threads; %d pivots, %s, objective %.10g\n", kRows, kVariables,
                engine_threads(), pivots, outcome.end == RunEnd::optimal ? "optimal" : "stopped by the limit",
                outcome.solution(0, 0));
    std::printf("solve (best of %d): %.3f ms, %.0f pivots/s, %.1f us per pivot with its estimates\n", runs,
                best_seconds * 1e3, pivots / best_seconds, per_pivot * 1e6);
    // Processor time of all threads: on a busy machine the steadier figure of the work done.
    std::printf("processor time of the solve (best of %d, all threads): %.3f ms, %.1f us per pivot\n", runs,
                best_cpu_seconds * 1e3, best_cpu_seconds / pivots * 1e6);
    std::printf("plain pass over %u x %u: %.1f us element by element, %.1f us vectorised (checksum %.3g)\n", kRows + 1,
                kVariables + 1, scalar * 1e6, vectorised * 1e6, table(kRows / 2, kVariables / 2));
    std::printf("one pivot = %.2f plain passes element by element, %.2f vectorised (goal: at most 8)\n",
                per_pivot / scalar, per_pivot / vectorised);
    return 0;
}
