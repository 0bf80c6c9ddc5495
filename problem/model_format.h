#pragma once

#include <optional>
#include <string_view>

// The formats a linear program is read from. A problem file is this program's own
// format; the others are read through GLPK.
enum class ModelFormat { problem_file, cplex_lp, mps, free_mps, mathprog };

// The format named on the command line: qtb, lp, mps (free, then fixed), freemps, mathprog.
std::optional<ModelFormat> model_format_named(std::string_view name);

// The format a file's extension stands for (.lp, .mps, .mod; anything else is a problem file).
ModelFormat model_format_of_path(std::string_view path);
