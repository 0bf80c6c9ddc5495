#include "problem/model_loading.h"

#include <filesystem>
#include <memory>
#include <utility>

#include "problem/cp1251.h"
#include "problem/glpk_model_reader.h"

std::optional<std::string> model_report_name(const std::string& model_path) {
    return cp1251::from_utf8(std::filesystem::path(model_path).replace_extension(".txt").string());
}

CanonicalForm load_model(const std::string& model_path, ModelFormat format, const std::optional<std::string>& data_file,
                         const ModelLoadStop* stop, ModelReadLimits limits) {
    limits.stop = stop != nullptr ? stop : limits.stop;
    auto read = std::make_shared<LpModel>(read_model_file(model_path, format, data_file, limits));
    CanonicalForm model = build_canonical_form(*read);
    model.model_output = std::move(read->output);
    model.source = std::move(read);
    model.record.file = model_report_name(model_path);
    return model;
}
