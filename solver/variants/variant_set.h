#pragma once

// A set of variants from the front end's request to its folder: the template read, the variants made,
// the files written. The command line and the window's dialog both make a set here.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "problem/model_format.h"
#include "solver/variants/variant_generator.h"

struct VariantSetRequest {
    std::uint32_t count = 0;
    std::uint64_t seed = 1;
    // Size, sense, kinds, artificial variables, pivots, numbers; with a template its rows, sense and
    // size are the template's.
    VariantShape shape;
    std::optional<std::string> template_file;    // a problem file or a model, a file-system path
    std::optional<ModelFormat> template_format;  // none: by the file's extension
    std::filesystem::path folder;
    bool replace_foreign = false;  // files in the folder the program did not write may be replaced
};

struct VariantSet {
    std::vector<Variant> variants;
    std::vector<std::filesystem::path> files;  // as written, in the folder
};

// The set, or why it was not made or not written (UTF-8, Russian).
std::variant<VariantSet, std::string> write_variant_set(const VariantSetRequest& request);
