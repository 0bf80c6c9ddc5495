#include "cli/output_checks.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "solver/report/output_guard.h"
#include "solver/report/report_target.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> refusal(const OutputCheck& check, std::string_view what, const fs::path& path,
                                   bool overwrite) {
    if (check.verdict == OutputVerdict::write) return std::nullopt;
    if (check.verdict == OutputVerdict::foreign_file && overwrite) return std::nullopt;
    std::string text = output_refusal_text(check, what, path);
    if (check.verdict == OutputVerdict::foreign_file) text += " (заменить его: --overwrite или --report ФАЙЛ)";
    return text;
}

}  // namespace

std::optional<std::string> refused_output(const SimplexIteration& problem, const Options& options, bool from_model,
                                          bool& report_refused) {
    report_refused = false;
    std::vector<RunInput> inputs{{options.problem_file, from_model ? "файлом модели" : "файлом задачи"}};
    if (options.data_file) inputs.push_back({*options.data_file, "файлом данных"});
    if (options.write_qtb) {
        const fs::path target(*options.write_qtb);
        return refusal(check_output({target, OutputKind::problem_file, true}, inputs), "файл --write-qtb", target,
                       false);
    }
    if (options.write_dual) {
        // A name the user gave: only the inputs are refused, so the kind decides nothing.
        const fs::path target(*options.write_dual);
        return refusal(check_output({target, OutputKind::problem_file, true}, inputs), "файл --write-dual", target,
                       false);
    }
    if (!problem.no_table && problem.file) {
        const fs::path report = report_path(*problem.file);
        const bool named = options.report.has_value();
        std::error_code error;
        if (!named && !from_model && !options.allow_report_path &&
            report_name_leaves_folder(*problem.file, fs::current_path(error))) {
            report_refused = true;
            return report_path_refusal_text(report) + " (разрешить: --allow-report-path)";
        }
        const OutputKind kind = report_kind(options.output.value_or(ReportForm::text));
        if (auto text =
                refusal(check_output({report, kind, named}, inputs), "файл отчёта", report, options.overwrite)) {
            report_refused = true;
            return text;
        }
        inputs.push_back({report, "файлом отчёта"});  // the picture may not take the report's place either
    }
    if (options.plot) {
        const fs::path picture(*options.plot);
        return refusal(check_output({picture, OutputKind::svg_picture, true}, inputs), "файл рисунка", picture, false);
    }
    return std::nullopt;
}

}  // namespace cli
