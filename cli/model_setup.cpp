#include "cli/model_setup.h"

#include <string>

#include "problem/model_loading.h"

namespace cli {

CanonicalForm load_model(const Options& options, ModelFormat format) {
    ModelReadLimits limits;
    if (options.model_time_limit) limits.time_seconds = *options.model_time_limit;
    if (options.model_memory_limit) limits.memory_mib = *options.model_memory_limit;
    CanonicalForm model = ::load_model(options.problem_file, format, options.data_file, nullptr, limits);
    if (!model.record.file && !options.report && !options.write_qtb) {
        throw CanonicalFormError(std::string(kModelReportNameOutsideCp1251) + "; укажите его параметром --report");
    }
    return model;
}

}  // namespace cli
