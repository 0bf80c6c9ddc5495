#pragma once

// What to load: a problem file or a model (with its data file), read as asked.

#include <optional>
#include <string>

#include "problem/model_format.h"
#include "problem/model_load_stop.h"
#include "problem/model_read_limits.h"

struct LoadRequest {
    std::string path;                      // the problem file or the model, bytes as the file system takes them
    std::optional<std::string> data_file;  // a MathProg model's data
    std::optional<ModelFormat> format;     // none: told by the path's extension
    ModelReadLimits limits;                // what a model's reading may take
    // Requested from another thread, it ends a model's reading with ModelReadError.
    const ModelLoadStop* stop = nullptr;
};

// The format the request is read in.
ModelFormat format_of(const LoadRequest& request);

// The data file a MathProg model is offered when none is named: the file beside it with its name and
// the extension ".dat", when there is one; nothing for the other formats.
std::optional<std::string> data_file_beside(const std::string& model_path);
