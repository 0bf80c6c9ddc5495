// The cost of the model box: each model read through the box (a helper process,
// its walls and pipes) against the same translation in this process.
//   build/bench/model_box_bench [RUNS] MODEL...
// The helper is this build's unless QTB_MODEL_BOX names another.

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "problem/glpk_model_reader.h"
#include "problem/model_format.h"
#include "problem/model_translation.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QTB_MODEL_BOX", QTB_MODEL_BOX_OF_BUILD, 0);
    int first = 1;
    int runs = 20;
    if (argc > 1 && std::atoi(argv[1]) > 0) {
        runs = std::atoi(argv[1]);
        first = 2;
    }
    std::string folder = (std::filesystem::temp_directory_path() / "qtb-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) return 1;
    std::printf("%-28s %12s %12s %12s\n", "model", "box, ms", "in-process", "cost, ms");
    for (int i = first; i < argc; ++i) {
        const std::string path = argv[i];
        const ModelFormat format = model_format_of_path(path);
        if (format == ModelFormat::problem_file) continue;
        std::ifstream in(path, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        Clock::time_point start = Clock::now();
        for (int run = 0; run < runs; ++run) static_cast<void>(read_model_file(path, format));
        const double boxed = milliseconds_since(start) / runs;
        start = Clock::now();
        for (int run = 0; run < runs; ++run) {
            const ModelFiles files = write_model_files(folder, format, text, std::nullopt, path, std::nullopt);
            static_cast<void>(translate_model(files, format, "/dev/null"));
        }
        const double plain = milliseconds_since(start) / runs;
        std::printf("%-28s %12.2f %12.2f %12.2f\n", std::filesystem::path(path).filename().c_str(), boxed, plain,
                    boxed - plain);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
