#pragma once

#include "numerics/matrix.h"

// A plain pass: every element of the table read and written once. Two forms,
// because the engine's extended-precision arithmetic cannot be vectorised while a
// plain pass can: element by element, as the project's optimisation level
// compiles such a loop, and vectorised, as fast as the memory allows. Each lives
// in a file of its own, built with vectorisation off or on (bench/CMakeLists.txt).
void scalar_pass(Matrix& table);
void vectorised_pass(Matrix& table);
