#pragma once

// The translation of a model by GLPK in the calling process: what the model box's
// helper runs (problem/model_box.h), and what the fuzz targets drive. GLPK's fatal
// errors are recovered (glp_error_hook, longjmp, glp_free_env) and become
// ModelReadError; GLPK's terminal output is caught, bounded, and never printed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "problem/lp_model.h"
#include "problem/model_format.h"

// The files GLPK reads, and the names the user knows them by, which stand in
// GLPK's messages for the files' own paths.
struct ModelFiles {
    std::string model_path;
    std::optional<std::string> data_path;
    std::string model_name;
    std::optional<std::string> data_name;
    std::optional<bool> maximize;  // an MPS file's OBJSENSE, taken out of the text GLPK reads
};

// Writes the model text (and the data text) into the folder as GLPK is to read
// them, an MPS file without its OBJSENSE section. Throws ModelReadError.
ModelFiles write_model_files(const std::string& folder, ModelFormat format, const std::string& model_text,
                             const std::optional<std::string>& data_text, const std::string& model_name,
                             const std::optional<std::string>& data_name);

// The most of GLPK's terminal output kept for its messages; the rest is counted.
inline constexpr std::size_t kKeptTerminalBytes = std::size_t{64} << 10;

// Reads the written files through GLPK; a MathProg model's display and printf
// output goes to the file print_name (GLPK takes "/dev/stdout" as the process's
// standard output, without opening anything). Throws ModelReadError; a fatal
// error of GLPK for want of memory throws ModelOutOfMemory.
LpModel translate_model(const ModelFiles& files, ModelFormat format, const std::string& print_name);

// Bounds what GLPK itself allocates from now on (its fatal error then throws
// ModelOutOfMemory); the box's helper sets it beside its address-space limit.
void limit_translation_memory(std::uint64_t mib);

// GLPK's error part of its output: from the first line that names a file and a
// line number ("model.lp:5: ...") to the end, or the last line there is.
std::string located_error_message(const std::string& output);
