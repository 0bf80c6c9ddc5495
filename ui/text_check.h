#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "problem/model_format.h"
#include "solver/session/loaded_problem.h"
#include "ui/editor_formats.h"

// One fault of a problem text: the line it stands on (from 1; 0 when it belongs to no line) and
// what is wrong, in Unicode.
struct TextFault {
    unsigned line;
    QString message;
    friend bool operator==(const TextFault&, const TextFault&) = default;
};

// What the check of a text found.
struct TextCheck {
    std::vector<TextFault> faults;
    std::optional<LoadedProblem> model;  // the model loaded, when the text is a model that loads
    bool stopped = false;                // the reading was stopped before it ended: nothing is known
};

// Reads a model (on a worker beside the windows): the model, nothing when the reading was stopped;
// throws what the reading threw.
using ModelFileReader = std::function<std::optional<LoadedProblem>(const LoadRequest& request)>;

// Reads a text as the main window would read the same text saved as UTF-8 in a file of the format:
// a problem file or a transport problem file through the program's reader, a model by `read` from a temporary file with
// the format's extension, which is gone again afterwards however the reading ended, with a MathProg model's data file
// (empty: none). No faults when the text loads.
TextCheck check_problem_text(const QString& text, const EditorFormat& format, const ModelFileReader& read,
                             const QString& data_file = {});
// Reads a model file as it is, as the main window would load it.
TextCheck check_model_file(const QString& file_name, ModelFormat format, const ModelFileReader& read,
                           const QString& data_file = {});
