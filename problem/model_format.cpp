#include "problem/model_format.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

std::optional<ModelFormat> model_format_named(std::string_view name) {
    if (name == "qtb") return ModelFormat::problem_file;
    if (name == "lp") return ModelFormat::cplex_lp;
    if (name == "mps") return ModelFormat::mps;
    if (name == "freemps") return ModelFormat::free_mps;
    if (name == "mathprog") return ModelFormat::mathprog;
    return std::nullopt;
}

ModelFormat model_format_of_path(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".lp") return ModelFormat::cplex_lp;
    if (extension == ".mps") return ModelFormat::mps;
    if (extension == ".mod") return ModelFormat::mathprog;
    return ModelFormat::problem_file;
}
