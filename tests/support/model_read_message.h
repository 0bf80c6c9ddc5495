#pragma once

// The message a model's reading ends in, for tests of models that must not load.

#include <optional>
#include <string>

#include "problem/glpk_model_reader.h"
#include "problem/model_read_limits.h"

namespace test_support {

// The reading's error message, or "(read)" when the model loaded.
inline std::string model_read_message(const std::string& path, ModelFormat format,
                                      const std::optional<std::string>& data_path = std::nullopt,
                                      const ModelReadLimits& limits = {}) {
    try {
        static_cast<void>(read_model_file(path, format, data_path, limits));
    } catch (const ModelReadError& error) {
        return error.what();
    }
    return "(read)";
}

}  // namespace test_support
