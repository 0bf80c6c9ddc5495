#include "cli/model_setup.h"

#include <filesystem>

#include "problem/cp1251.h"
#include "problem/glpk_model_reader.h"

namespace cli {

std::optional<std::string> model_report_name(const std::string& model_path) {
    return cp1251::from_utf8(std::filesystem::path(model_path).replace_extension(".txt").string());
}

CanonicalForm load_model(const Options& options, ModelFormat format) {
    CanonicalForm model = build_canonical_form(read_model_file(options.problem_file, format, options.data_file));
    model.record.file = model_report_name(options.problem_file);
    if (!model.record.file && !options.report && !options.write_qtb) {
        throw CanonicalFormError(
            "имя файла отчёта по имени модели содержит символы вне кодировки Windows-1251; "
            "укажите его параметром --report");
    }
    return model;
}

}  // namespace cli
