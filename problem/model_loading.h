#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "problem/canonical_form.h"
#include "problem/model_format.h"
#include "problem/model_load_stop.h"
#include "problem/model_read_limits.h"

// The report of a model: the model's path with ".txt" for its extension, in
// Windows-1251; nothing when the path holds a character outside the code page.
std::optional<std::string> model_report_name(const std::string& model_path);

// Why a model's report cannot be named after it (UTF-8); a caller that can take
// another name says how.
inline constexpr std::string_view kModelReportNameOutsideCp1251 =
    "имя файла отчёта по имени модели содержит символы вне кодировки Windows-1251";

// Reads a model (CPLEX LP, MPS or GNU MathProg, with an optional data file) and
// builds its canonical form, whose report file is named after the model (left
// empty when model_report_name gives nothing); what the model printed is its
// model_output. Throws ModelReadError or
// CanonicalFormError when it cannot be taken, bad_simplex (code 13) when a row
// without coefficients fails. A `stop` requested from another thread ends the
// reading with ModelReadError; GLPK reads within the limits (problem/model_read_limits.h).
CanonicalForm load_model(const std::string& model_path, ModelFormat format,
                         const std::optional<std::string>& data_file = std::nullopt,
                         const ModelLoadStop* stop = nullptr, ModelReadLimits limits = {});
