#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "problem/lp_model.h"
#include "problem/model_format.h"

// A model file that cannot be read; what() is GLPK's message with the file's
// line number, in UTF-8.
class ModelReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a CPLEX LP, MPS or GNU MathProg model (with an optional data file)
// through GLPK. MPS is read as free MPS and, when that fails, as fixed MPS; an
// OBJSENSE section is honoured and a right-hand side v of the objective row is
// the objective constant -v. GLPK's terminal output is caught, never printed.
LpModel read_model_file(const std::string& path, ModelFormat format,
                        const std::optional<std::string>& data_file = std::nullopt);
