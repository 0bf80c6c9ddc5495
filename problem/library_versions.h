#pragma once

#include <string>

// The versions of the libraries the program runs with, as they report themselves.
std::string glpk_version();
std::string gmp_version_text();
