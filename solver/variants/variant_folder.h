#pragma once

// A set of variants written into one folder: the problem files variant-NN.qtb, the answer key and the
// problem sheet, each as LaTeX and HTML. Nothing is written outside the folder, and a file there that
// the program did not write is replaced only when the caller allows it.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "solver/variants/variant_generator.h"

// The papers' names in the folder: answer-key.tex, answer-key.html, problems.tex, problems.html.
inline constexpr const char* kAnswerKeyStem = "answer-key";
inline constexpr const char* kProblemSheetStem = "problems";

// The files of the set, in the order written.
std::vector<std::filesystem::path> variant_folder_files(const std::filesystem::path& folder,
                                                        const std::vector<Variant>& variants);

// Why the set may not be written into `folder` (UTF-8, Russian): a name there is a link, a folder, or
// (unless `replace_foreign`) a file that is neither empty nor an earlier output of the program.
std::optional<std::string> variant_folder_refusal(const std::filesystem::path& folder,
                                                  const std::vector<Variant>& variants, bool replace_foreign);

// Creates the folder when it is missing and writes the set; a message when it cannot.
std::optional<std::string> write_variant_folder(const std::filesystem::path& folder,
                                                const std::vector<Variant>& variants,
                                                const std::vector<std::string>& about, bool replace_foreign);
