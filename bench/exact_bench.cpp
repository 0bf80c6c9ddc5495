// Exact against double arithmetic, whole qtb-solve processes:
//
//     build/bench/exact_bench build/qtb-solve [RUNS]
//
// Writes three generated problems of about 30 x 60 and three of 50 x 150 as
// problem files into a temporary folder (the same files on every machine), then
// runs `qtb-solve --json --tables none` on each of them and on every problem in
// examples/, in double and in exact arithmetic with both rules, and prints the
// best wall time of RUNS runs (default 5) with the pivots made. Goals: every
// example under 20 ms in exact arithmetic, 50 x 150 under one second.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Deterministic pseudo-random integers, the same on every machine.
class Numbers {
public:
    explicit Numbers(std::uint64_t seed) : state_(seed) {}
    int next(int low, int high) {  // in [low, high]
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};

// max c.x with m rows over n columns: the first half of the rows "<=" with a
// slack column, the others equalities with an artificial column (cost -M);
// small integer data (some halves among them), b = A x0 for an integer x0 >= 0
// so that every problem is feasible.
std::string generated_problem(std::uint32_t m, std::uint32_t n, std::uint64_t seed) {
    Numbers numbers(seed);
    const std::uint32_t own = n - m;
    std::vector<int> x0(own);
    for (int& x : x0) x = numbers.next(0, 3);
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "text" + std::to_string(...).
    std::string text = "Aim: max\nSize: ";
    text.append(std::to_string(m)).append(" ").append(std::to_string(n)).append("\nBase: ");
    text.append(std::to_string(own + m / 2)).append("\nStop: 100000\nMatrix:\n");
    for (std::uint32_t j = 0; j < own; ++j) text.append(" ").append(std::to_string(numbers.next(1, 20)));
    for (std::uint32_t i = 0; i < m; ++i) text += i < m / 2 ? " 0" : " -M";
    text += "\n";
    for (std::uint32_t i = 0; i < m; ++i) {
        std::vector<double> row(own);
        double b = i < m / 2 ? numbers.next(1, 30) : 0;
        for (std::uint32_t j = 0; j < own; ++j) {
            const int k = numbers.next(-6, 18);
            row[j] = k % 5 == 0 ? k / 2.0 : (k > 9 ? 0 : k);  // zeros, halves and small integers
            b += row[j] * x0[j];
        }
        if (b < 0) {  // a right-hand side must not be negative
            for (double& a : row) a = -a;
            b = -b;
        }
        char number[32];
        std::snprintf(number, sizeof number, "%g", b);
        text += number;
        for (const double a : row) {
            std::snprintf(number, sizeof number, " %g", a);
            text += number;
        }
        for (std::uint32_t k = 0; k < m; ++k) text += k == i ? " 1" : " 0";
        text += "\n";
    }
    text += "File: report.txt\n";
    return text;
}

// Runs the tool once with its output into a file; the wall time in seconds, or -1.
double run_once(const std::vector<std::string>& args, const fs::path& output) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const auto start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    const std::chrono::duration<double> took = Clock::now() - start;
    return took.count();
}

std::string read_all(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A field of the tool's JSON, as text: enough for the pivots and the end.
std::string json_field(const std::string& json, const std::string& key) {
    const auto at = json.find("\"" + key + "\": ");
    if (at == std::string::npos) return "-";
    const auto from = at + key.size() + 4;
    const auto to = json.find_first_of(",}", from);
    return json.substr(from, to - from);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: exact_bench PATH/TO/qtb-solve [RUNS]\n");
        return 64;
    }
    const std::string tool = fs::absolute(argv[1]).string();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path folder =
        fs::temp_directory_path() / std::string("qtb_exact_bench_").append(std::to_string(getpid()));
    fs::create_directories(folder);

    std::vector<fs::path> problems;
    for (const auto& entry : fs::directory_iterator(fs::path(QTB_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() == ".qtb") problems.push_back(entry.path());
    }
    std::sort(problems.begin(), problems.end());
    const struct { std::uint32_t m, n; } sizes[] = {{30, 60}, {50, 150}};
    for (const auto& size : sizes) {
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            const fs::path path = folder / std::string("gen_")
                                               .append(std::to_string(size.m))
                                               .append("x")
                                               .append(std::to_string(size.n))
                                               .append("_")
                                               .append(std::to_string(seed))
                                               .append(".qtb");
            std::ofstream(path) << generated_problem(size.m, size.n, seed);
            problems.push_back(path);
        }
    }

    struct Mode {
        const char* label;
        const char* arithmetic;
        const char* rule;
    };
    const Mode modes[] = {
        {"double", "double", "dantzig"}, {"exact", "exact", "dantzig"}, {"exact+bland", "exact", "bland"}};
    std::printf("%-22s", "problem");
    for (const Mode& mode : modes) std::printf(" %20s", mode.label);
    std::printf("\n%-22s", "");
    for (std::size_t k = 0; k < std::size(modes); ++k) std::printf(" %20s", "ms (pivots, end)");
    std::printf("\n");
    const fs::path output = folder / "out.json";
    for (const fs::path& problem : problems) {
        std::printf("%-22s", problem.filename().string().c_str());
        for (const Mode& mode : modes) {
            double best = 1e9;
            for (int r = 0; r < runs; ++r) {
                best = std::min(best, run_once({tool, "--json", "--tables", "none", "--arithmetic", mode.arithmetic,
                                                "--rule", mode.rule, problem.string()},
                                               output));
            }
            const std::string json = read_all(output);
            std::string end = json_field(json, "end");
            if (end == "-") end = "codes " + json_field(json, "codes");
            std::printf(" %9.1f (%s, %s)", best * 1e3, json_field(json, "iterations").c_str(), end.c_str());
        }
        std::printf("\n");
    }
    fs::remove_all(folder);
    return 0;
}
