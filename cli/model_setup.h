#pragma once

#include "cli/command_line.h"
#include "problem/canonical_form.h"
#include "problem/model_format.h"

namespace cli {

// Loads the model of the command line (problem/model_loading.h). Throws
// CanonicalFormError, too, when its report can be named neither after the model
// nor by --report, and nothing is to be written instead (--write-qtb).
CanonicalForm load_model(const Options& options, ModelFormat format);

}  // namespace cli
