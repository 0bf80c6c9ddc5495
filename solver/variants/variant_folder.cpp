#include "solver/variants/variant_folder.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "problem/problem_file_writer.h"
#include "solver/report/earlier_output.h"
#include "solver/report/report_sinks.h"
#include "solver/variants/variant_documents.h"

namespace fs = std::filesystem;

namespace {

OutputKind kind_of(const fs::path& file) {
    const fs::path extension = file.extension();
    if (extension == ".tex") return OutputKind::latex_document;
    if (extension == ".html") return OutputKind::html_document;
    return OutputKind::problem_file;
}

std::string document(bool latex, bool key, const std::vector<Variant>& variants,
                     const std::vector<std::string>& about) {
    std::ostringstream out;
    const std::unique_ptr<DocumentMarkup> markup = latex ? make_latex_markup(out) : make_html_markup(out);
    if (key) {
        write_answer_key(*markup, variants, about);
    } else {
        write_problem_sheet(*markup, variants, about);
    }
    return std::move(out).str();
}

bool write_whole(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

std::vector<fs::path> variant_folder_files(const fs::path& folder, const std::vector<Variant>& variants) {
    std::vector<fs::path> files;
    files.reserve(variants.size() + 4);
    for (const Variant& variant : variants) files.push_back(folder / variant.file);
    for (const char* stem : {kAnswerKeyStem, kProblemSheetStem}) {
        files.push_back(folder / (std::string(stem) + ".tex"));
        files.push_back(folder / (std::string(stem) + ".html"));
    }
    return files;
}

std::optional<std::string> variant_folder_refusal(const fs::path& folder, const std::vector<Variant>& variants,
                                                  bool replace_foreign) {
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (!fs::exists(status)) return std::nullopt;
    if (!fs::is_directory(status)) return folder.string() + " — не каталог";
    for (const fs::path& file : variant_folder_files(folder, variants)) {
        const fs::file_status own = fs::symlink_status(file, error);
        if (!fs::exists(own)) continue;
        if (fs::is_symlink(own)) return file.string() + " — ссылка; варианты пишутся только в сам каталог";
        if (!fs::is_regular_file(own)) return file.string() + " — не обычный файл";
        if (!replace_foreign && !is_earlier_output(file, kind_of(file))) {
            return "в каталоге уже есть файл " + file.string() +
                   ", записанный не этой программой; чтобы заменить его, укажите --force";
        }
    }
    return std::nullopt;
}

std::optional<std::string> write_variant_folder(const fs::path& folder, const std::vector<Variant>& variants,
                                                const std::vector<std::string>& about, bool replace_foreign) {
    if (auto refusal = variant_folder_refusal(folder, variants, replace_foreign)) return refusal;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return "не удалось создать каталог " + folder.string() + ": " + error.message();
    const std::vector<fs::path> files = variant_folder_files(folder, variants);
    std::size_t k = 0;
    for (const Variant& variant : variants) {
        if (!write_whole(files[k++], problem_file_bytes(variant.problem))) {
            return "не удалось записать " + files[k - 1].string();
        }
    }
    for (const bool key : {true, false}) {
        for (const bool latex : {true, false}) {
            if (!write_whole(files[k++], document(latex, key, variants, about))) {
                return "не удалось записать " + files[k - 1].string();
            }
        }
    }
    return std::nullopt;
}
