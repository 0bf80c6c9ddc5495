#include "cli/variants_command.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <variant>

#include "cli/result_printer.h"
#include "problem/terminal_text.h"
#include "solver/report/markup_escapes.h"
#include "solver/variants/variant_folder.h"
#include "solver/variants/variant_set.h"

namespace cli {
namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 2;

VariantSetRequest request_of(const Options& options) {
    const VariantsOptions& asked = options.variants;
    VariantSetRequest request;
    request.count = *asked.count;
    request.seed = asked.seed.value_or(1);
    if (asked.size) {
        request.shape.rows = asked.size->first;
        request.shape.columns = asked.size->second;
    }
    request.shape.maximize = asked.maximize.value_or(true);
    if (asked.kinds) request.shape.kinds = *asked.kinds;
    request.shape.artificial = asked.artificial;
    request.shape.iterations = asked.iterations;
    request.shape.halves = asked.halves.value_or(false);
    request.template_file = asked.model;
    request.template_format = options.format;
    request.folder = *options.out;
    request.replace_foreign = asked.force;
    return request;
}

}  // namespace

int write_variants(const Options& options) {
    const auto written = write_variant_set(request_of(options));
    if (const auto* message = std::get_if<std::string>(&written)) {
        std::cerr << "qtb-solve: " << terminal_text(*message) << '\n';
        if (options.json) print_json_failure(std::cout, "variants", *message);
        return kNotWritten;
    }
    const VariantSet& set = std::get<VariantSet>(written);
    const std::filesystem::path folder(*options.out);
    if (options.json) {
        std::cout << R"({"ok": true, "variants": )" << set.variants.size() << R"(, "folder": )"
                  << json_string(folder.string()) << R"(, "files": [)";
        for (std::size_t k = 0; k < set.files.size(); ++k) {
            std::cout << (k == 0 ? "" : ", ") << json_string(set.files[k].filename().string());
        }
        std::cout << "]}\n";
    } else {
        std::cout << "Вариантов составлено: " << set.variants.size() << ", каталог " << terminal_text(folder.string())
                  << '\n'
                  << "  задачи: " << set.variants.front().file << " ... " << set.variants.back().file << '\n'
                  << "  ключ для преподавателя: " << kAnswerKeyStem << ".tex, " << kAnswerKeyStem << ".html\n"
                  << "  листок для студентов: " << kProblemSheetStem << ".tex, " << kProblemSheetStem << ".html\n";
    }
    return kWritten;
}

}  // namespace cli
