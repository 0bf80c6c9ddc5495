#pragma once

#include <optional>
#include <string>

#include "cli/command_line.h"
#include "problem/canonical_form.h"
#include "problem/model_format.h"

namespace cli {

// The report of a model: the model's path with ".txt" for its extension, in
// Windows-1251; nothing when the path holds a character outside the code page.
std::optional<std::string> model_report_name(const std::string& model_path);

// Reads the model of the command line and builds its canonical form, the report
// file named after the model. Throws ModelReadError or CanonicalFormError when it
// cannot be taken, bad_simplex (code 13) when a row without coefficients fails.
CanonicalForm load_model(const Options& options, ModelFormat format);

}  // namespace cli
