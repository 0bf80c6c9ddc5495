// Speed of the simplex engine on a dense problem of the largest size a problem
// file may give (300 constraints, 500 variables), solved without tables.
//
//     build/bench/solve_bench [RUNS]
//
// Prints the pivots per second and the time of one pivot with its estimates,
// next to the time of one plain pass over a table of the same size (every
// element read and written once), measured in the same run. The goal is a pivot
// that costs at most 8 plain passes; the extended-precision division of every
// element puts the floor near 6.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "bench/plain_pass.h"
#include "problem/simplex_iteration.h"
#include "solver/simplex_engine.h"

namespace {

constexpr std::uint32_t kRows = 300;
constexpr std::uint32_t kVariables = 500;
constexpr std::uint32_t kOwnVariables = kVariables - kRows;  // the rest are slack variables

using Clock = std::chrono::steady_clock;

// Deterministic pseudo-random numbers in [low, high), the same on every machine.
class Numbers {
public:
    double next(double low, double high) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_ = 20240601;
};

// max c.x subject to A x + s = b in the first half of the rows and A x + r = b
// with artificial variables r (cost -M) in the second; A is dense with mixed signs.
SimplexIteration dense_problem() {
    SimplexIteration p;
    p.aim = 1;
    p.table.resize(kRows + 1, kVariables + 1);
    p.estimates.resize(2, kVariables + 1);
    p.basis.assign(kRows + 1, 0);
    Numbers numbers;
    // b = A x0 (plus slack in the first half) for a positive x0 keeps the problem feasible.
    double x0[kOwnVariables + 1];
    for (std::uint32_t j = 1; j <= kOwnVariables; ++j) {
        p.table(0, j) = numbers.next(1.0, 20.0);
        x0[j] = numbers.next(0.0, 1.0);
    }
    for (std::uint32_t i = 1; i <= kRows; ++i) {
        double b = i <= kRows / 2 ? numbers.next(1.0, 100.0) : 0.0;
        for (std::uint32_t j = 1; j <= kOwnVariables; ++j) {
            p.table(i, j) = numbers.next(-3.0, 10.0);
            b += p.table(i, j) * x0[j];
        }
        p.table(i, 0) = std::max(b, 0.0);
        p.table(i, kOwnVariables + i) = 1.0;
        if (i > kRows / 2) p.table(0, kOwnVariables + i) = -BIG_M;
        p.basis[i] = kOwnVariables + i;
    }
    p.base_vars = static_cast<std::int32_t>(kOwnVariables + kRows / 2);
    p.stop = 100000;
    p.no_table = true;
    p.compute_col_widths();
    return p;
}

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
    const SimplexIteration problem = dense_problem();

    double best_seconds = 1e9;
    SolveOutcome outcome;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        try {
            outcome = solve_with_outcome(problem);
        } catch (const SimplexIteration::bad_simplex& failure) {
            std::printf("the benchmark problem failed with status code %d\n", failure.codes[0]);
            return 1;
        }
        const std::chrono::duration<double> took = Clock::now() - start;
        best_seconds = std::min(best_seconds, took.count());
    }

    Matrix table = problem.table;
    const double scalar = pass_seconds(scalar_pass, table);
    const double vectorised = pass_seconds(vectorised_pass, table);
    const int pivots = outcome.iterations;
    const double per_pivot = best_seconds / pivots;

    std::printf("problem: %u x %u dense, no tables; %d pivots, %s, objective %.10g\n", kRows, kVariables, pivots,
                outcome.end == RunEnd::optimal ? "optimal" : "stopped by the limit", outcome.solution(0, 0));
    std::printf("solve (best of %d): %.3f ms, %.0f pivots/s, %.1f us per pivot with its estimates\n", runs,
                best_seconds * 1e3, pivots / best_seconds, per_pivot * 1e6);
    std::printf("plain pass over %u x %u: %.1f us element by element, %.1f us vectorised (checksum %.3g)\n", kRows + 1,
                kVariables + 1, scalar * 1e6, vectorised * 1e6, table(kRows / 2, kVariables / 2));
    std::printf("one pivot = %.2f plain passes element by element, %.2f vectorised (goal: at most 8)\n",
                per_pivot / scalar, per_pivot / vectorised);
    return 0;
}
