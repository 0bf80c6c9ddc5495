#include "problem/glpk_model_reader.h"

#include <glpk.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <vector>

#include "problem/model_decimal_comma.h"
#include "problem/model_file_access.h"
#include "problem/model_print_file.h"
#include "problem/mps_objective_sense.h"

namespace {

// Catches GLPK's terminal output for as long as it lives.
class TerminalCapture {
public:
    TerminalCapture() { glp_term_hook(&TerminalCapture::take, this); }
    ~TerminalCapture() { glp_term_hook(nullptr, nullptr); }
    TerminalCapture(const TerminalCapture&) = delete;
    TerminalCapture& operator=(const TerminalCapture&) = delete;

    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }

private:
    static int take(void* self, const char* text) {
        static_cast<TerminalCapture*>(self)->text_ += text;
        return 1;  // not to the terminal
    }
    std::string text_;
};

struct ProblemDeleter {
    void operator()(glp_prob* problem) const { glp_delete_prob(problem); }
};
using Problem = std::unique_ptr<glp_prob, ProblemDeleter>;

struct TranslatorDeleter {
    void operator()(glp_tran* translator) const { glp_mpl_free_wksp(translator); }
};

// The error part of GLPK's output: from the first line that names a file and a
// line number ("model.lp:5: ...") to the end, or the last line there is.
std::string error_message(const std::string& output) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : output) {
        if (c != '\n') {
            line += c;
        } else if (!line.empty()) {
            lines.push_back(std::exchange(line, {}));
        }
    }
    if (!line.empty()) lines.push_back(line);
    static const std::regex kLocated(R"(:[0-9]+: )");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!std::regex_search(lines[i], kLocated)) continue;
        std::string message = lines[i];
        for (std::size_t k = i + 1; k < lines.size(); ++k) {
            if (lines[k].starts_with("MathProg ")) continue;  // "MathProg model processing error"
            message += '\n' + lines[k];
        }
        return message;
    }
    return lines.empty() ? std::string("GLPK не смог прочитать модель") : lines.back();
}

// The line number of a located message, 0 when it has none.
unsigned long line_of(const std::string& message) {
    static const std::regex kLine(R"(:([0-9]+): )");
    std::smatch match;
    return std::regex_search(message, match, kLine) ? std::stoul(match[1]) : 0;
}

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ModelReadError("не удаётся открыть файл модели " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A copy of an MPS text in a temporary file, removed with the object.
class TemporaryCopy {
public:
    explicit TemporaryCopy(const std::string& text) {
        std::string pattern = "/tmp/qtb_model_XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) throw ModelReadError("не удаётся создать временный файл");
        close(fd);
        path_ = pattern;
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~TemporaryCopy() { unlink(path_.c_str()); }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// GLPK's message on an LP or MPS file, led by the decimal comma the file holds, if any: GLPK then
// speaks of a missing section or a bad name, not of the number.
std::string lp_or_mps_failure(const std::string& glpk_message, const std::string& text) {
    if (const std::optional<ModelDecimalComma> comma = find_model_decimal_comma(text))
        return model_decimal_comma_message(*comma) + '\n' + glpk_message;
    return glpk_message;
}

void replace_all(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

Problem read_mps(const std::string& path, bool free_only, TerminalCapture& capture) {
    std::string text = file_text(path);
    const std::optional<bool> maximize = take_out_objective_sense(text);
    std::optional<TemporaryCopy> copy;
    if (maximize) copy.emplace(text);
    const std::string& source = copy ? copy->path() : path;

    const auto attempt = [&](int format, std::string& message) {
        capture.clear();
        Problem problem(glp_create_prob());
        if (glp_read_mps(problem.get(), format, nullptr, source.c_str()) == 0) return problem;
        message = error_message(capture.text());
        if (copy) replace_all(message, copy->path(), path);
        return Problem();
    };
    std::string free_message;
    std::string fixed_message;
    Problem problem = attempt(GLP_MPS_FILE, free_message);
    if (!problem && !free_only) problem = attempt(GLP_MPS_DECK, fixed_message);
    if (!problem) {
        // The reading that got further is the one the file was meant for.
        throw ModelReadError(lp_or_mps_failure(
            line_of(fixed_message) > line_of(free_message) ? fixed_message : free_message, file_text(path)));
    }
    // An RHS entry v on the objective row is the constant -v; GLPK takes +v.
    glp_set_obj_coef(problem.get(), 0, -glp_get_obj_coef(problem.get(), 0));
    if (maximize) glp_set_obj_dir(problem.get(), *maximize ? GLP_MAX : GLP_MIN);
    return problem;
}

Problem read_mathprog(const std::string& path, const std::optional<std::string>& data_file, TerminalCapture& capture,
                      std::string& printed) {
    // Nothing runs when the model would touch a file; a file that cannot be opened is left to GLPK to tell.
    if (std::ifstream(path, std::ios::binary)) {
        if (const auto access = find_model_file_access(file_text(path))) {
            throw ModelReadError(model_file_access_message(*access, path));
        }
    }
    const ModelPrintFile print_file;
    Problem problem(glp_create_prob());
    bool read = false;
    {
        const std::unique_ptr<glp_tran, TranslatorDeleter> translator(glp_mpl_alloc_wksp());
        read = glp_mpl_read_model(translator.get(), path.c_str(), data_file ? 1 : 0) == 0;
        if (read && data_file) read = glp_mpl_read_data(translator.get(), data_file->c_str()) == 0;
        if (read) read = glp_mpl_generate(translator.get(), print_file.name().c_str()) == 0;
        if (read) glp_mpl_build_prob(translator.get(), problem.get());
    }  // the print file is closed with the translator
    printed = print_file.text();
    if (!read) throw ModelReadError(error_message(capture.text()), printed);
    return problem;
}

Problem read_problem(const std::string& path, ModelFormat format, const std::optional<std::string>& data_file,
                     TerminalCapture& capture, std::string& printed) {
    switch (format) {
        case ModelFormat::cplex_lp: {
            Problem problem(glp_create_prob());
            if (glp_read_lp(problem.get(), nullptr, path.c_str()) != 0) {
                throw ModelReadError(lp_or_mps_failure(error_message(capture.text()), file_text(path)));
            }
            return problem;
        }
        case ModelFormat::mps:
            return read_mps(path, false, capture);
        case ModelFormat::free_mps:
            return read_mps(path, true, capture);
        case ModelFormat::mathprog:
            return read_mathprog(path, data_file, capture, printed);
        case ModelFormat::problem_file:
            break;
    }
    throw ModelReadError("файл задачи не является моделью");
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

}  // namespace

LpModel read_model_file(const std::string& path, ModelFormat format, const std::optional<std::string>& data_file) {
    TerminalCapture capture;
    std::string printed;
    const Problem problem = read_problem(path, format, data_file, capture, printed);
    LpModel model = model_of(problem.get());
    model.output = std::move(printed);
    return model;
}
