#include "cli/check_command.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string_view>

#include "cli/result_printer.h"
#include "problem/cp1251.h"
#include "problem/status_texts.h"
#include "problem/terminal_text.h"
#include "problem/variant_file_names.h"
#include "solver/check/run_tables.h"
#include "solver/check/table_check.h"
#include "solver/check/written_tables.h"
#include "solver/report/markup_escapes.h"
#include "solver/session/load_request.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

constexpr int kCheckFailed = 70;
constexpr int kOutputRefused = 2;
constexpr std::size_t kMaxFolderFiles = 2000;
// The first line of a grade sheet, by which a sheet written before is told from other files.
constexpr std::string_view kSheetHeader = "файл,вариант,результат,ошибок,таблиц проверено,первая ошибка";

int status_of(CheckVerdict verdict) {
    switch (verdict) {
        case CheckVerdict::correct:
            return 0;
        case CheckVerdict::wrong:
            return kCheckWrong;
        case CheckVerdict::unfinished:
            return kCheckUnfinished;
    }
    return kCheckWrong;
}

std::string_view verdict_word(CheckVerdict verdict) {
    switch (verdict) {
        case CheckVerdict::correct:
            return "верно";
        case CheckVerdict::wrong:
            return "неверно";
        case CheckVerdict::unfinished:
            return "не закончено";
    }
    return "неверно";
}

// Wrong cells, pivots and tables: a missing table makes a solution unfinished, not wrong.
std::size_t wrong_count(const CheckResult& result) {
    return static_cast<std::size_t>(std::count_if(result.errors.begin(), result.errors.end(), [](const CheckError& e) {
        return e.part != CellPart::table || !e.expected || e.found;
    }));
}

void write_optional(std::ostream& out, const std::optional<std::string>& text) {
    out << (text ? json_string(*text) : "null");
}

void write_json(std::ostream& out, const CheckResult& result) {
    out << R"({"correct": )" << (result.verdict() == CheckVerdict::correct ? "true" : "false") << R"(, "errors": [)";
    for (std::size_t k = 0; k < result.errors.size(); ++k) {
        const CheckError& e = result.errors[k];
        out << (k == 0 ? "" : ", ") << R"({"table": )" << e.table << R"(, "row": )";
        write_optional(out, e.row);
        out << R"(, "column": )";
        write_optional(out, e.column);
        out << R"(, "expected": )";
        write_optional(out, e.expected);
        out << R"(, "found": )";
        write_optional(out, e.found);
        out << '}';
    }
    out << R"(], "tables_checked": )" << result.tables_checked << "}\n";
}

void write_text(std::ostream& out, const CheckResult& result) {
    out << "Таблиц в файле: " << result.tables_checked << ", в решении: " << result.run_tables << ".\n";
    for (const CheckError& e : result.errors) out << "  " << terminal_text(check_error_text(e)) << '\n';
    const CheckVerdict verdict = result.verdict();
    out << "Итог: " << verdict_word(verdict);
    if (verdict == CheckVerdict::wrong) out << " (ошибок: " << wrong_count(result) << ')';
    out << ".\n";
}

// A failure of the check itself: the message on standard error, and as JSON when asked for.
int failed(const Options& options, const std::string& message) {
    std::cerr << "qtb-solve: " << terminal_text(message) << '\n';
    if (options.json) print_json_failure(std::cout, "failure", message);
    return kCheckFailed;
}

SimplexIteration problem_to_check(const SimplexIteration& record, const Options& options) {
    SimplexIteration problem = record;
    if (options.stop) problem.stop = *options.stop;
    return problem;
}

// One line of the grade sheet.
struct Grade {
    std::string file;  // the student file's name in the folder
    std::optional<unsigned> variant;
    std::optional<CheckResult> result;  // none: not checked
    std::string failure;                // why not

    std::string result_word() const { return result ? std::string(verdict_word(result->verdict())) : "не проверено"; }
    std::string first_error() const {
        if (!result) return failure;
        return result->errors.empty() ? std::string() : check_error_text(result->errors.front());
    }
};

std::string csv_field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string sheet_text(const std::vector<Grade>& grades) {
    std::string sheet = std::string(kSheetHeader) + "\r\n";
    for (const Grade& g : grades) {
        sheet += csv_field(g.file) + ',' + (g.variant ? std::to_string(*g.variant) : std::string()) + ',' +
                 g.result_word() + ',' + (g.result ? std::to_string(wrong_count(*g.result)) : std::string()) + ',' +
                 (g.result ? std::to_string(g.result->tables_checked) : std::string()) + ',' +
                 csv_field(g.first_error()) + "\r\n";
    }
    return sheet;
}

// Whether the sheet may go to `path`: a new file, an empty one, or a sheet written before.
bool may_write_sheet(const fs::path& path, bool overwrite) {
    std::error_code error;
    if (overwrite || !fs::exists(fs::symlink_status(path, error))) return true;
    std::ifstream in(path, std::ios::binary);
    std::string first;
    std::getline(in, first);
    if (!first.empty() && first.back() == '\r') first.pop_back();
    return first.empty() || first == kSheetHeader;
}

// The problem file of the variant in the folder of variants: the first of its names there, else the
// usual one (whose reading then tells that it is missing).
std::string variant_path(const fs::path& folder, unsigned variant) {
    const std::vector<std::string> names = variant_file_names(variant);
    for (const std::string& name : names) {
        std::error_code error;
        if (fs::is_regular_file(folder / name, error)) return (folder / name).string();
    }
    return (folder / names[names.size() > 1 ? 1 : 0]).string();
}

// FOLDER.csv beside the folder.
fs::path sheet_beside(const fs::path& folder) {
    fs::path normal = fs::absolute(folder).lexically_normal();
    if (!normal.has_filename()) normal = normal.parent_path();
    return normal += ".csv";
}

// The student files of the folder: plain files (no links) ending in .txt, by name.
std::vector<fs::path> student_files(const fs::path& folder, const fs::path& sheet) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.is_symlink() || entry.path().extension() != ".txt") continue;
        if (fs::weakly_canonical(entry.path()) == fs::weakly_canonical(sheet)) continue;
        files.push_back(entry.path());
        if (files.size() > kMaxFolderFiles) throw std::runtime_error("в папке больше 2000 файлов учащихся");
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A problem of the folder loaded and run once for all its students.
struct CheckedProblem {
    SimplexIteration problem;
    RunTables run;
};

class ProblemCache {
public:
    explicit ProblemCache(const Options& options) : options_(options) {}

    // The problem at `path`, or why it cannot be taken.
    const CheckedProblem& at(const std::string& path) {
        auto found = problems_.find(path);
        if (found == problems_.end()) found = problems_.emplace(path, load(path)).first;
        if (!found->second.problem) throw std::runtime_error(found->second.failure);
        return *found->second.problem;
    }

private:
    struct Entry {
        std::shared_ptr<CheckedProblem> problem;
        std::string failure;
    };
    Entry load(const std::string& path) const {
        try {
            LoadRequest request{path, std::nullopt, options_.format, {}, nullptr};
            const LoadedProblem loaded = load_problem(request);
            auto checked = std::make_shared<CheckedProblem>();
            checked->problem = problem_to_check(loaded.record, options_);
            checked->run = exact_run_tables(checked->problem, options_.rule.value_or(PivotRule::dantzig));
            return {std::move(checked), {}};
        } catch (const SimplexIteration::bad_simplex& failure) {
            std::string text = "задача " + path + " не читается";
            if (!failure.empty()) text += ": " + cp1251::to_utf8(status_text(failure.codes[0]));
            return {nullptr, text};
        } catch (const std::exception& failure) {
            return {nullptr, "задача " + path + ": " + failure.what()};
        }
    }

    const Options& options_;
    std::map<std::string, Entry> problems_;
};

}  // namespace

int check_written_tables(const LoadedProblem& loaded, const Options& options) {
    try {
        const WrittenTables written = read_written_tables_file(*options.check);
        const SimplexIteration problem = problem_to_check(loaded.record, options);
        const PivotRule rule = options.rule.value_or(PivotRule::dantzig);
        const CheckResult result = check_tables(problem, rule, exact_run_tables(problem, rule), written);
        if (options.json) {
            write_json(std::cout, result);
        } else {
            write_text(std::cout, result);
        }
        return status_of(result.verdict());
    } catch (const WrittenTablesError& error) {
        return failed(options, *options.check + ": " + error.what());
    } catch (const RunTooLongError& error) {
        return failed(options, error.what());
    }
}

int check_folder(const Options& options) {
    const fs::path folder(*options.check_dir);
    std::error_code error;
    if (!fs::is_directory(folder, error)) return failed(options, *options.check_dir + ": это не папка");
    const fs::path sheet = options.out ? fs::path(*options.out) : sheet_beside(folder);
    if (!may_write_sheet(sheet, options.overwrite)) {
        std::cerr << "qtb-solve: " << terminal_text(sheet.string())
                  << ": файл существует и не является ведомостью проверки; укажите --overwrite\n";
        if (options.json) print_json_failure(std::cout, "failure", sheet.string() + ": файл существует");
        return kOutputRefused;
    }
    const fs::path problems(options.problem_file);
    const bool one_problem = !fs::is_directory(problems, error);
    ProblemCache cache(options);
    std::vector<Grade> grades;
    try {
        for (const fs::path& file : student_files(folder, sheet)) {
            Grade grade{file.filename().string(), std::nullopt, std::nullopt, {}};
            try {
                const WrittenTables written = read_written_tables_file(file.string());
                grade.variant = written.variant;
                if (!one_problem && !written.variant) throw std::runtime_error("нет строки «Вариант: N»");
                const std::string path = one_problem ? problems.string() : variant_path(problems, *written.variant);
                const CheckedProblem& checked = cache.at(path);
                grade.result =
                    check_tables(checked.problem, options.rule.value_or(PivotRule::dantzig), checked.run, written);
            } catch (const std::exception& failure) {
                grade.failure = failure.what();
            }
            grades.push_back(std::move(grade));
        }
    } catch (const std::exception& failure) {
        return failed(options, *options.check_dir + ": " + failure.what());
    }
    std::ofstream out(sheet, std::ios::binary | std::ios::trunc);
    out << sheet_text(grades);
    out.close();
    if (!out) return failed(options, "не удалось записать ведомость " + sheet.string());
    int status = 0;
    for (const Grade& g : grades) {
        const int one = g.result ? status_of(g.result->verdict()) : kCheckWrong;
        if (one == kCheckWrong || (one == kCheckUnfinished && status == 0)) status = one;
    }
    if (options.json) {
        std::cout << R"({"written": )" << json_string(sheet.string()) << R"(, "files": [)";
        for (std::size_t k = 0; k < grades.size(); ++k) {
            const Grade& g = grades[k];
            std::cout << (k == 0 ? "" : ", ") << R"({"file": )" << json_string(g.file) << R"(, "variant": )"
                      << (g.variant ? std::to_string(*g.variant) : "null") << R"(, "result": )"
                      << json_string(g.result_word()) << R"(, "errors": )"
                      << (g.result ? std::to_string(wrong_count(*g.result)) : "null") << R"(, "tables_checked": )"
                      << (g.result ? std::to_string(g.result->tables_checked) : "null") << R"(, "first_error": )"
                      << json_string(g.first_error()) << '}';
        }
        std::cout << "]}\n";
    } else {
        for (const Grade& g : grades) {
            std::cout << terminal_text(g.file) << ": " << g.result_word();
            if (const std::string first = g.first_error(); !first.empty()) std::cout << " — " << terminal_text(first);
            std::cout << '\n';
        }
        std::cout << "Ведомость: " << terminal_text(sheet.string()) << '\n';
    }
    return status;
}

}  // namespace cli
