#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "problem/lp_model.h"
#include "problem/model_format.h"
#include "problem/model_read_limits.h"

// A model file that cannot be read; what() is GLPK's message with the file's
// line number, in UTF-8.
class ModelReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ModelReadError(const std::string& message, const std::string& model_output)
        : std::runtime_error(message), model_output_(std::make_shared<const std::string>(model_output)) {}

    // What a MathProg model printed before it failed (LpModel::output), often nothing.
    const std::string& model_output() const {
        static const std::string kNothing;
        return model_output_ ? *model_output_ : kNothing;
    }

private:
    std::shared_ptr<const std::string> model_output_;
};

// The reading ran out of memory (problem/model_translation.h).
class ModelOutOfMemory : public ModelReadError {
public:
    using ModelReadError::ModelReadError;
};

// Reads a CPLEX LP, MPS or GNU MathProg model (with an optional data file)
// through GLPK. MPS is read as free MPS and, when that fails, as fixed MPS; an
// OBJSENSE section is honoured and a right-hand side v of the objective row is
// the objective constant -v. GLPK's terminal output is caught, never printed.
// A MathProg model that would touch a file (problem/model_file_access.h) is
// refused before GLPK reads it, and so is one nested too deeply; what it prints
// comes back in LpModel::output. GLPK reads in the model box (problem/model_box.h)
// within the limits; a file is read up to 256 MiB.
LpModel read_model_file(const std::string& path, ModelFormat format,
                        const std::optional<std::string>& data_file = std::nullopt, const ModelReadLimits& limits = {});
