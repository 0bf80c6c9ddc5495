#pragma once

#include "cli/command_line.h"

namespace cli {

// --variants: makes the set the options describe and writes it into the folder of --out; tells what
// was written (or why nothing was) on standard output, as text or JSON. The exit status: 0, or 2.
int write_variants(const Options& options);

}  // namespace cli
