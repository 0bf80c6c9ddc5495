#include "solver/session/loaded_problem.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "problem/model_loading.h"
#include "problem/transport_file.h"

namespace {

// The model's record goes into the load's; the rest needs only the model's variables and rows.
LoadedProblem loaded_model(CanonicalForm model) {
    LoadedProblem loaded;
    loaded.record = std::move(model.record);
    model.record = SimplexIteration();
    loaded.model = std::make_shared<const CanonicalForm>(std::move(model));
    return loaded;
}

}  // namespace

ModelFormat format_of(const LoadRequest& request) {
    return request.format.value_or(model_format_of_path(request.path));
}

std::optional<std::string> data_file_beside(const std::string& model_path) {
    if (model_format_of_path(model_path) != ModelFormat::mathprog) return std::nullopt;
    std::filesystem::path data(model_path);
    data.replace_extension(".dat");
    std::error_code error;
    if (!std::filesystem::is_regular_file(data, error)) return std::nullopt;
    return data.string();
}

LoadedProblem load_problem(const LoadRequest& request) {
    const ModelFormat format = format_of(request);
    if (format == ModelFormat::problem_file && transport::is_transport_file(request.path)) {
        LoadedProblem loaded;
        loaded.transport =
            std::make_shared<const transport::TransportProblem>(transport::read_transport_file(request.path));
        return loaded;
    }
    if (format == ModelFormat::problem_file) return LoadedProblem{SimplexIteration(request.path), nullptr, nullptr};
    return loaded_model(load_model(request.path, format, request.data_file, request.stop, request.limits));
}

SensitivityQuery sensitivity_query(const LoadedProblem& loaded, const SimplexIteration& run) {
    return loaded.model ? model_query(*loaded.model) : problem_file_query(run);
}

std::optional<PlaneSource> plane_source(const LoadedProblem& loaded, const SimplexIteration& run) {
    if (!loaded.model) return plane_source_of_record(run);
    if (!loaded.model->source) return std::nullopt;
    std::optional<PlaneProblem> plane = plane_problem_of_model(*loaded.model->source);
    if (!plane) return std::nullopt;
    return PlaneSource{std::move(*plane), [model = loaded.model](const Matrix& solution) {
                           const std::vector<double> values = model->variable_values(solution);
                           return PlanePoint{values.at(0), values.at(1)};
                       }};
}
