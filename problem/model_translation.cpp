#include "problem/model_translation.h"

#include <glpk.h>

#include <csetjmp>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "problem/glpk_message_texts.h"
#include "problem/glpk_model_reader.h"
#include "problem/model_decimal_comma.h"
#include "problem/model_error_place.h"
#include "problem/mps_objective_sense.h"

namespace {

// Catches GLPK's terminal output for as long as it lives, up to kKeptTerminalBytes.
class TerminalCapture {
public:
    TerminalCapture() { glp_term_hook(&TerminalCapture::take, this); }
    ~TerminalCapture() { glp_term_hook(nullptr, nullptr); }
    TerminalCapture(const TerminalCapture&) = delete;
    TerminalCapture& operator=(const TerminalCapture&) = delete;

    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }

private:
    // Called from GLPK's C frames: nothing may be thrown through them.
    static int take(void* self, const char* text) noexcept {
        auto& kept = static_cast<TerminalCapture*>(self)->text_;
        try {
            if (kept.size() < kKeptTerminalBytes) {
                const std::string_view piece(text);
                kept.append(piece.substr(0, kKeptTerminalBytes - kept.size()));
            }
        } catch (...) {
            // no room for the text: it is left out
        }
        return 1;  // not to the terminal
    }
    std::string text_;
};

// Where a fatal error of GLPK returns to; set while run_guarded runs a call.
thread_local std::jmp_buf* t_fatal_exit = nullptr;

extern "C" void on_glpk_fatal(void*) { std::longjmp(*t_fatal_exit, 1); }

// Runs call(context), a call into GLPK whose frames hold nothing to destroy; false
// when GLPK stopped on a fatal error, after which all of GLPK's objects are gone
// with its environment.
bool run_guarded(void (*call)(void*), void* context) noexcept {
    std::jmp_buf exit;
    if (setjmp(exit) != 0) {
        t_fatal_exit = nullptr;
        glp_free_env();
        return false;
    }
    t_fatal_exit = &exit;
    glp_error_hook(on_glpk_fatal, nullptr);
    call(context);
    glp_error_hook(nullptr, nullptr);
    t_fatal_exit = nullptr;
    return true;
}

// The message for a fatal error of GLPK, from what it wrote before it stopped: the
// line before "Error detected in file ..." and where that was.
[[noreturn]] void throw_fatal(const std::string& output, const std::string& model_name) {
    const std::string_view text(output);
    const std::size_t detected = text.rfind("Error detected in file ");
    std::string_view before = text.substr(0, detected == std::string_view::npos ? text.size() : detected);
    while (!before.empty() && before.back() == '\n') before.remove_suffix(1);
    std::string cause(before.substr(before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1));
    if (detected != std::string_view::npos) {
        std::string_view place = text.substr(detected + 23);
        place = place.substr(0, place.find('\n'));
        cause += " (" + std::string(place) + ")";
    }
    if (cause.find("memory") != std::string::npos || cause.find("Memory") != std::string::npos)
        throw ModelOutOfMemory(model_name + ": GLPK не хватило памяти: " + cause);
    throw ModelReadError(model_name + ": GLPK остановился на внутренней ошибке: " + cause);
}

struct ProblemDeleter {
    void operator()(glp_prob* problem) const { glp_delete_prob(problem); }
};
using Problem = std::unique_ptr<glp_prob, ProblemDeleter>;

struct TranslatorDeleter {
    void operator()(glp_tran* translator) const { glp_mpl_free_wksp(translator); }
};

// Where ":<digits>: " begins in the line, npos when nowhere.
std::size_t located_at(std::string_view line) {
    const std::optional<LinePlaceMark> mark = line_place_mark(line);
    return mark ? mark->colon : std::string_view::npos;
}

// The line number of a located message, 0 when it has none; a number too long saturates.
unsigned long line_of(const std::string& message) {
    const std::optional<LinePlaceMark> mark = line_place_mark(std::string_view(message).substr(0, message.find('\n')));
    return mark ? mark->line : 0;
}

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ModelReadError("не удаётся открыть файл модели " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void replace_all(std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// GLPK's message with the user's names for the files, in Russian where it is a common one.
std::string shown(std::string message, const ModelFiles& files) {
    replace_all(message, files.model_path, files.model_name);
    if (files.data_path && files.data_name) replace_all(message, *files.data_path, *files.data_name);
    return translated_glpk_message(message);
}

// GLPK's message on an LP or MPS file, led by the decimal comma the file holds, if any: GLPK then
// speaks of a missing section or a bad name, not of the number.
std::string lp_or_mps_failure(const std::string& glpk_message, const ModelFiles& files) {
    if (const std::optional<ModelDecimalComma> comma = find_model_decimal_comma(file_text(files.model_path)))
        return model_decimal_comma_message(*comma) + '\n' + glpk_message;
    return glpk_message;
}

struct ReadCall {
    glp_prob* problem = nullptr;
    glp_tran* translator = nullptr;
    const char* path = nullptr;
    int format = 0;
    int result = 1;
};

Problem read_lp(const ModelFiles& files, TerminalCapture& capture) {
    Problem problem(glp_create_prob());
    ReadCall call{problem.get(), nullptr, files.model_path.c_str()};
    if (!run_guarded(
            [](void* c) {
                auto& a = *static_cast<ReadCall*>(c);
                a.result = glp_read_lp(a.problem, nullptr, a.path);
            },
            &call)) {
        static_cast<void>(problem.release());
        throw_fatal(capture.text(), files.model_name);
    }
    if (call.result != 0)
        throw ModelReadError(lp_or_mps_failure(shown(located_error_message(capture.text()), files), files));
    return problem;
}

Problem read_mps(const ModelFiles& files, bool free_only, TerminalCapture& capture) {
    const auto attempt = [&](int format, std::string& message) {
        capture.clear();
        Problem problem(glp_create_prob());
        ReadCall call{problem.get(), nullptr, files.model_path.c_str(), format};
        if (!run_guarded(
                [](void* c) {
                    auto& a = *static_cast<ReadCall*>(c);
                    a.result = glp_read_mps(a.problem, a.format, nullptr, a.path);
                },
                &call)) {
            static_cast<void>(problem.release());
            throw_fatal(capture.text(), files.model_name);
        }
        if (call.result == 0) return problem;
        message = shown(located_error_message(capture.text()), files);
        return Problem();
    };
    std::string free_message;
    std::string fixed_message;
    Problem problem = attempt(GLP_MPS_FILE, free_message);
    if (!problem && !free_only) problem = attempt(GLP_MPS_DECK, fixed_message);
    if (!problem) {
        // The reading that got further is the one the file was meant for.
        throw ModelReadError(
            lp_or_mps_failure(line_of(fixed_message) > line_of(free_message) ? fixed_message : free_message, files));
    }
    // An RHS entry v on the objective row is the constant -v; GLPK takes +v.
    glp_set_obj_coef(problem.get(), 0, -glp_get_obj_coef(problem.get(), 0));
    if (files.maximize) glp_set_obj_dir(problem.get(), *files.maximize ? GLP_MAX : GLP_MIN);
    return problem;
}

Problem read_mathprog(const ModelFiles& files, const std::string& print_name, TerminalCapture& capture) {
    Problem problem(glp_create_prob());
    std::unique_ptr<glp_tran, TranslatorDeleter> translator(glp_mpl_alloc_wksp());
    struct MathProgCall {
        glp_prob* problem;
        glp_tran* translator;
        const char* model;
        const char* data;
        const char* print;
        bool read;
    } call{problem.get(),
           translator.get(),
           files.model_path.c_str(),
           files.data_path ? files.data_path->c_str() : nullptr,
           print_name.c_str(),
           false};
    if (!run_guarded(
            [](void* c) {
                auto& a = *static_cast<MathProgCall*>(c);
                a.read = glp_mpl_read_model(a.translator, a.model, a.data != nullptr ? 1 : 0) == 0;
                if (a.read && a.data != nullptr) a.read = glp_mpl_read_data(a.translator, a.data) == 0;
                if (a.read) a.read = glp_mpl_generate(a.translator, a.print) == 0;
                if (a.read) glp_mpl_build_prob(a.translator, a.problem);
                glp_mpl_free_wksp(a.translator);  // closes the print file
            },
            &call)) {
        static_cast<void>(problem.release());
        static_cast<void>(translator.release());
        throw_fatal(capture.text(), files.model_name);
    }
    static_cast<void>(translator.release());
    if (!call.read) throw ModelReadError(shown(located_error_message(capture.text()), files));
    return problem;
}

std::string name_or(const char* name, const char* prefix, int index) {
    return name != nullptr ? std::string(name) : prefix + std::to_string(index);
}

// Bounds of a column or row of the given GLPK type.
std::pair<double, double> bounds_of(int type, double lower, double upper) {
    switch (type) {
        case GLP_FR:
            return {-LpModel::kInfinity, LpModel::kInfinity};
        case GLP_LO:
            return {lower, LpModel::kInfinity};
        case GLP_UP:
            return {-LpModel::kInfinity, upper};
        default:  // GLP_DB, GLP_FX
            return {lower, upper};
    }
}

LpModel model_of(glp_prob* problem) {
    LpModel model;
    model.maximize = glp_get_obj_dir(problem) == GLP_MAX;
    model.constant = glp_get_obj_coef(problem, 0);
    if (const char* name = glp_get_prob_name(problem)) model.name = name;
    const int n = glp_get_num_cols(problem);
    const int m = glp_get_num_rows(problem);
    for (int j = 1; j <= n; ++j) {
        LpModel::Column column;
        column.name = name_or(glp_get_col_name(problem, j), "x", j);
        std::tie(column.lower, column.upper) =
            bounds_of(glp_get_col_type(problem, j), glp_get_col_lb(problem, j), glp_get_col_ub(problem, j));
        column.cost = glp_get_obj_coef(problem, j);
        column.integer = glp_get_col_kind(problem, j) != GLP_CV;
        model.columns.push_back(std::move(column));
    }
    std::vector<int> indices(static_cast<std::size_t>(n) + 1);
    std::vector<double> values(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= m; ++i) {
        LpModel::Row row;
        row.name = name_or(glp_get_row_name(problem, i), "r", i);
        std::tie(row.lower, row.upper) =
            bounds_of(glp_get_row_type(problem, i), glp_get_row_lb(problem, i), glp_get_row_ub(problem, i));
        const int count = glp_get_mat_row(problem, i, indices.data(), values.data());
        for (int k = 1; k <= count; ++k) {
            const auto at = static_cast<std::size_t>(k);
            if (values[at] != 0.0)
                row.coefficients.emplace_back(static_cast<std::uint32_t>(indices[at] - 1), values[at]);
        }
        model.rows.push_back(std::move(row));
    }
    return model;
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw ModelReadError("не удаётся записать модель в рабочую папку " + path);
}

// folder/<the file name of name>, the folder made.
std::string place_in(const std::string& folder, const std::string& name) {
    std::error_code error;
    std::filesystem::create_directory(folder, error);
    if (error) throw ModelReadError("не удаётся создать папку в рабочей папке модели " + folder);
    std::string file = std::filesystem::path(name).filename().string();
    if (file.empty() || file == "." || file == "..") file = "model";
    return folder + "/" + file;
}

}  // namespace

std::string located_error_message(const std::string& output) {
    std::vector<std::string_view> lines;
    const std::string_view text(output);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        if (end > at) lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (located_at(lines[i]) == std::string_view::npos) continue;
        std::string message(lines[i]);
        for (std::size_t k = i + 1; k < lines.size(); ++k) {
            if (lines[k].starts_with("MathProg ")) continue;  // "MathProg model processing error"
            message += '\n';
            message += lines[k];
        }
        return message;
    }
    return lines.empty() ? std::string("GLPK не смог прочитать модель") : std::string(lines.back());
}

ModelFiles write_model_files(const std::string& folder, ModelFormat format, const std::string& model_text,
                             const std::optional<std::string>& data_text, const std::string& model_name,
                             const std::optional<std::string>& data_name) {
    ModelFiles files;
    files.model_name = model_name;
    files.data_name = data_name;
    // Under the user's file names: GLPK names a MathProg problem after its model file.
    files.model_path = place_in(folder + "/model", model_name);
    if (format == ModelFormat::mps || format == ModelFormat::free_mps) {
        std::string text = model_text;
        files.maximize = take_out_objective_sense(text);
        write_file(files.model_path, text);
    } else {
        write_file(files.model_path, model_text);
    }
    if (data_text) {
        files.data_path = place_in(folder + "/data", data_name.value_or("data"));
        write_file(*files.data_path, *data_text);
    }
    return files;
}

LpModel translate_model(const ModelFiles& files, ModelFormat format, const std::string& print_name) {
    TerminalCapture capture;
    Problem problem;
    switch (format) {
        case ModelFormat::cplex_lp:
            problem = read_lp(files, capture);
            break;
        case ModelFormat::mps:
        case ModelFormat::free_mps:
            problem = read_mps(files, format == ModelFormat::free_mps, capture);
            break;
        case ModelFormat::mathprog:
            problem = read_mathprog(files, print_name, capture);
            break;
        case ModelFormat::problem_file:
            throw ModelReadError("файл задачи не является моделью");
    }
    return model_of(problem.get());
}

void limit_translation_memory(std::uint64_t mib) {
    constexpr std::uint64_t kMost = 1U << 30;  // glp_mem_limit takes an int
    glp_mem_limit(static_cast<int>(mib < kMost ? mib : kMost));
}
