#pragma once

// The structure a set of variants keeps from a problem given as its model: the sense, the rows'
// relations in order and where the coefficients are zero.

#include <string>
#include <variant>

#include "solver/session/loaded_problem.h"
#include "solver/variants/variant_shape.h"

// A model's structure is read off its rows and columns (each column non-negative without bounds); a
// problem file's off its starting table: a row with a slack of +1 is "<=", one with an artificial
// variable and a surplus of -1 is ">=", one with an artificial variable alone is "=". The message
// (UTF-8) says why a problem cannot serve.
std::variant<VariantTemplate, std::string> variant_template(const LoadedProblem& loaded);
