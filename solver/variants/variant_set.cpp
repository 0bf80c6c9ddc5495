#include "solver/variants/variant_set.h"

#include <stdexcept>
#include <utility>

#include "problem/cp1251.h"
#include "problem/status_texts.h"
#include "solver/session/loaded_problem.h"
#include "solver/variants/variant_documents.h"
#include "solver/variants/variant_folder.h"
#include "solver/variants/variant_template.h"

namespace {

// The template's structure, or why it cannot be read or serve.
std::variant<VariantTemplate, std::string> read_template(const std::string& path, std::optional<ModelFormat> format) {
    try {
        return variant_template(load_problem(LoadRequest{path, {}, format, {}, nullptr}));
    } catch (const SimplexIteration::bad_simplex& failure) {
        std::string message = "образец " + path + " не прочитан:";
        for (std::int32_t k = 0; k < failure.count; ++k) {
            message += " " + cp1251::to_utf8(status_text(failure.codes.at(static_cast<std::size_t>(k)))) + ";";
        }
        message.pop_back();
        return message;
    } catch (const std::runtime_error& failure) {  // a model that cannot be read or made canonical
        return "образец " + path + " не прочитан: " + failure.what();
    }
}

}  // namespace

std::variant<VariantSet, std::string> write_variant_set(const VariantSetRequest& request) {
    VariantShape shape = request.shape;
    if (request.template_file) {
        auto model = read_template(*request.template_file, request.template_format);
        if (auto* message = std::get_if<std::string>(&model)) return std::move(*message);
        shape.model = std::get<VariantTemplate>(std::move(model));
        shape.rows = static_cast<std::uint32_t>(shape.model->rows.size());
        shape.columns = static_cast<std::uint32_t>(shape.model->nonzero.front().size());
    }
    auto made = make_variants(shape, request.count, request.seed);
    if (auto* failure = std::get_if<VariantsFailure>(&made)) return std::move(failure->message);
    VariantSet set{std::get<std::vector<Variant>>(std::move(made)), {}};
    const std::vector<std::string> about = variants_about(shape, request.count, request.seed);
    if (auto failure = write_variant_folder(request.folder, set.variants, about, request.replace_foreign)) {
        return std::move(*failure);
    }
    set.files = variant_folder_files(request.folder, set.variants);
    return set;
}
