// Reads arbitrary bytes as a model of one format (MODEL_FORMAT) through the
// translation the model box runs, in this process: the reading gives a model or
// ModelReadError, never a crash; GLPK's fatal errors are recovered.

#include <glpk.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz_bytes.h"
#include "problem/glpk_model_reader.h"
#include "problem/model_file_access.h"
#include "problem/model_translation.h"

namespace {

// One folder for the whole run, removed at its end (kept past the static objects' end).
const std::string& working_folder() {
    static const std::string* const folder = [] {
        auto* pattern = new std::string("/tmp/qtb-model-fuzz-XXXXXX");
        if (mkdtemp(pattern->data()) == nullptr) std::abort();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(working_folder(), ignored);
        });
        return pattern;
    }();
    return *folder;
}

// A run that would take long in any reading: the box's time limit is for those.
bool endless(const std::string& text) {
    std::size_t ranges = 0;
    std::size_t digits = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, "..") == 0) ++ranges;
        digits = text[at] >= '0' && text[at] <= '9' ? digits + 1 : 0;
        if (digits > 4) return true;
    }
    return ranges > 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(bytes_of(data, size));
    constexpr ModelFormat format = ModelFormat::MODEL_FORMAT;
    if (format == ModelFormat::mathprog) {
        // What the box's walls keep from files, the pre-scan keeps from them here.
        if (find_model_file_access(text) || find_deep_nesting(text) || endless(text)) return 0;
    }
    glp_mem_limit(256);
    try {
        const ModelFiles files = write_model_files(working_folder(), format, text, std::nullopt, "fuzz", std::nullopt);
        static_cast<void>(translate_model(files, format, "/dev/null"));
    } catch (const ModelReadError& error) {
        if (std::string(error.what()).empty()) std::abort();
    }
    return 0;
}
