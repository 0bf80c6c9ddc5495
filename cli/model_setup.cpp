#include "cli/model_setup.h"

#include <string>

#include "problem/model_loading.h"

namespace cli {

CanonicalForm load_model(const Options& options, ModelFormat format) {
    CanonicalForm model = ::load_model(options.problem_file, format, options.data_file);
    if (!model.record.file && !options.report && !options.write_qtb) {
        throw CanonicalFormError(std::string(kModelReportNameOutsideCp1251) + "; укажите его параметром --report");
    }
    return model;
}

}  // namespace cli
