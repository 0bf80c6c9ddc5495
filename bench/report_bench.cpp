// Speed of the iteration table report on tables of the largest size a problem
// file may give (300 constraints, 500 variables, width 10, precision 4).
//
//     build/bench/report_bench [OUTPUT-FOLDER] [TABLES]
//
// Writes TABLES tables (default 20) three ways into files in OUTPUT-FOLDER
// (default: the system's temporary folder), each way five times in turn, best
// time counted:
//   report  - SimplexIteration::print_table, the program's writer;
//   stream  - the plain stream-based writer of stream_table_writer.cpp
//             (setw/setprecision, one `<<` at a time), the baseline; its bytes
//             must equal the report's, and the benchmark checks that;
//   copy    - a plain copy of the report file (read and write in 1 MiB blocks)
//             to the same folder: what moving the bytes costs at all.
// Prints bytes per second of each, the ratios, and the peak memory before and
// after the report writer's first pass (it stays flat: the writer keeps one
// 64 KiB block and one rule line, whatever the length of the report).
// Goals: report >= 8 x stream, report >= copy / 10.
// The files are removed at the end.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/random_numbers.h"
#include "bench/stream_table_writer.h"
#include "problem/simplex_iteration.h"

namespace {

constexpr std::uint32_t kRows = 300;
constexpr std::uint32_t kVariables = 500;
constexpr int kRepeats = 5;

using Clock = std::chrono::steady_clock;

// The numbers of simplex tables, the same on every machine.
class Numbers : public RandomNumbers {
public:
    Numbers() : RandomNumbers(20260101) {}

    // What a simplex table holds: a quarter zeros, the rest of either sign with
    // magnitudes spread from 1e-3 to 1e5 and full binary fractions.
    double entry() {
        if (uniform() < 0.25) return 0.0;
        const double magnitude = std::pow(10.0, -3.0 + 8.0 * uniform());
        return uniform() < 0.5 ? -magnitude : magnitude;
    }
};

// The tables of a run: iteration t with its own numbers, M costs for the last
// hundred variables, and the final table optimal.
std::vector<SimplexIteration> make_tables(int count) {
    Numbers numbers;
    std::vector<SimplexIteration> tables;
    for (int t = 0; t < count; ++t) {
        SimplexIteration r;
        r.aim = 1;
        r.table.resize(kRows + 1, kVariables + 1);
        r.estimates.resize(2, kVariables + 1);
        for (std::uint32_t j = 1; j <= kVariables; ++j) r.table(0, j) = j > kVariables - 100 ? -BIG_M : numbers.entry();
        for (std::uint32_t i = 1; i <= kRows; ++i)
            for (std::uint32_t j = 0; j <= kVariables; ++j) r.table(i, j) = numbers.entry();
        for (std::uint32_t j = 0; j <= kVariables; ++j) {
            r.estimates(0, j) = numbers.uniform() < 0.5 ? 0.0 : numbers.entry();
            r.estimates(1, j) = numbers.entry();
        }
        r.basis.assign(kRows + 1, 0);
        for (std::uint32_t i = 1; i <= kRows; ++i)
            r.basis[i] = 1 + static_cast<std::uint32_t>(numbers.next() % kVariables);
        r.name = "benchmark";
        r.iterations = t;
        const bool last = t == count - 1;
        r.pivot_col = last ? 0 : 1 + static_cast<int>(numbers.next() % kVariables);
        r.pivot_row = 1 + static_cast<int>(numbers.next() % kRows);
        if (last) r.estimates(0, 0) = 0.0;
        r.compute_col_widths();
        tables.push_back(std::move(r));
    }
    return tables;
}

long peak_rss_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Seconds taken by `work`.
double seconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool write_tables(const std::filesystem::path& file, std::vector<SimplexIteration>& tables, bool with_stream_writer) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (auto& table : tables) {
        if (with_stream_writer) {
            stream_print_table(out, table);
        } else {
            table.print_table(out);
        }
    }
    out.close();
    return !out.fail();
}

bool plain_copy(const std::filesystem::path& from, const std::filesystem::path& to) {
    const int in = open(from.c_str(), O_RDONLY);
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = in >= 0 && out >= 0;
    std::vector<char> block(std::size_t{1} << 20);
    while (ok) {
        const ssize_t got = read(in, block.data(), block.size());
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = write(out, block.data(), static_cast<std::size_t>(got)) == got;
    }
    if (in >= 0) close(in);
    if (out >= 0) ok = close(out) == 0 && ok;
    return ok;
}

bool same_bytes(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::ifstream fa(a, std::ios::binary);
    std::ifstream fb(b, std::ios::binary);
    std::vector<char> ba(std::size_t{1} << 20);
    std::vector<char> bb(ba.size());
    while (true) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        if (fa.gcount() != fb.gcount()) return false;
        if (!std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin())) return false;
        if (fa.gcount() == 0) return true;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    const auto report_file = folder / "report_bench_report.txt";
    const auto stream_file = folder / "report_bench_stream.txt";
    const auto copy_target = folder / "report_bench_copy.txt";

    std::vector<SimplexIteration> tables = make_tables(count);
    const long rss_before = peak_rss_kib();

    // The three ways take turns, so that a burst of other work on the machine
    // does not fall on one of them alone; the best time of each counts.
    bool ok = true;
    double report_s = 1e300;
    double stream_s = 1e300;
    double copy_s = 1e300;
    long rss_after = 0;
    for (int k = 0; k < kRepeats && ok; ++k) {
        report_s = std::min(report_s, seconds([&] { ok = write_tables(report_file, tables, false) && ok; }));
        if (k == 0) rss_after = peak_rss_kib();
        stream_s = std::min(stream_s, seconds([&] { ok = write_tables(stream_file, tables, true) && ok; }));
        copy_s = std::min(copy_s, seconds([&] { ok = plain_copy(report_file, copy_target) && ok; }));
    }
    if (!ok) {
        std::fprintf(stderr, "report_bench: cannot write into %s\n", folder.c_str());
        return 1;
    }

    const auto bytes = static_cast<double>(std::filesystem::file_size(report_file));
    const bool equal = same_bytes(report_file, stream_file);
    const auto rate = [&](double seconds) { return bytes / seconds / 1e6; };

    std::printf("%d tables of %u x %u, %.1f MB each way, best of %d, in %s\n", count, kRows, kVariables, bytes / 1e6,
                kRepeats, folder.c_str());
    std::printf("report writer   %8.1f MB/s  (%.3f s)\n", rate(report_s), report_s);
    std::printf("stream writer   %8.1f MB/s  (%.3f s)  bytes equal to the report's: %s\n", rate(stream_s), stream_s,
                equal ? "yes" : "NO");
    std::printf("plain copy      %8.1f MB/s  (%.3f s)\n", rate(copy_s), copy_s);
    std::printf("report / stream %8.1f x    (goal >= 8)\n", stream_s / report_s);
    std::printf("report / copy   %8.3f      (goal >= 0.1)\n", copy_s / report_s);
    std::printf("peak memory     %ld KiB with the tables built, %ld KiB after the report writer wrote them\n",
                rss_before, rss_after);

    std::filesystem::remove(report_file);
    std::filesystem::remove(stream_file);
    std::filesystem::remove(copy_target);
    return equal ? 0 : 2;
}
