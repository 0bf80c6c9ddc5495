#include "solver/report/output_guard.h"

#include <system_error>

#include "solver/engine/run_types.h"
#include "solver/report/report_target.h"

namespace fs = std::filesystem;

namespace {

std::string shown(const fs::path& path) { return "«" + path.string() + "»"; }

}  // namespace

bool same_file(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
    const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
    if (error) return false;
    const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
    return !error && first == second;
}

OutputCheck check_output(const OutputTarget& target, std::span<const RunInput> inputs) {
    for (const RunInput& input : inputs) {
        if (same_file(target.path, input.path)) return {OutputVerdict::input_file, &input};
    }
    if (target.named_by_user) return {};
    std::error_code error;
    const fs::file_status link = fs::symlink_status(target.path, error);
    if (!fs::exists(link)) return {};
    const fs::file_status file = fs::status(target.path, error);
    // A link that leads nowhere would create a file wherever it points.
    if (!fs::exists(file)) return {OutputVerdict::foreign_file};
    if (fs::is_directory(file)) return {};  // the writer cannot open it and says so
    if (fs::is_regular_file(file) && is_earlier_output(target.path, target.kind)) return {};
    return {OutputVerdict::foreign_file};
}

OutputKind report_kind(ReportForm form) {
    switch (form) {
        case ReportForm::latex:
            return OutputKind::latex_document;
        case ReportForm::html:
            return OutputKind::html_document;
        case ReportForm::text:
            break;
    }
    return OutputKind::text_report;
}

bool report_name_leaves_folder(std::string_view cp1251_name, const fs::path& folder) {
    const fs::path name = report_path(cp1251_name);
    if (name.has_root_name() || name.has_root_directory()) return true;
    const fs::path normal = name.lexically_normal();
    if (!normal.empty() && *normal.begin() == "..") return true;
    // A link inside the folder may lead anywhere.
    std::error_code error;
    const fs::path base = fs::weakly_canonical(fs::absolute(folder, error), error);
    if (error) return true;
    const fs::path target = fs::weakly_canonical(base / name, error);
    if (error) return true;
    const fs::path inside = target.lexically_relative(base);
    return inside.empty() || *inside.begin() == "..";
}

std::string output_refusal_text(const OutputCheck& check, std::string_view what, const fs::path& path) {
    std::string text = std::string(what) + " " + shown(path);
    if (check.verdict == OutputVerdict::input_file && check.input != nullptr) {
        return text + " совпадает с " + std::string(check.input->said_as) + " и не будет перезаписан";
    }
    return text + " уже существует и записан не этой программой; он не будет перезаписан";
}

std::string foreign_file_question(const fs::path& path) {
    return "Файл " + shown(path) + " уже существует и записан не этой программой. Заменить его отчётом?";
}

std::string report_path_refusal_text(const fs::path& path) {
    return "имя файла отчёта " + shown(path) +
           " из файла задачи указывает вне папки, где пишутся отчёты; отчёт не будет записан";
}

std::string report_path_question(const fs::path& path) {
    return "Файл задачи велит записать отчёт в " + shown(path) + ", вне папки задачи. Записать его туда?";
}
