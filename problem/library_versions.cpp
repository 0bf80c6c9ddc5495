#include "problem/library_versions.h"

#include <glpk.h>
#include <gmp.h>

std::string glpk_version() { return glp_version(); }

std::string gmp_version_text() { return gmp_version; }
