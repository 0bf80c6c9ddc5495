#include "problem/lp_file_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "problem/valid_utf8.h"

namespace {

// GLPK's reader takes a name of at most 255 characters; room is left for a suffix that makes it unique.
constexpr std::size_t kNameBytes = 240;
// A line is broken before a term past this width, for people who read the file.
constexpr std::size_t kLineWidth = 72;

bool allowed_in_name(char c) {
    constexpr std::string_view kMarks = "!\"#$%&()/,.;?@_`'{}|~";
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x80 && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) ||
           kMarks.find(c) != std::string_view::npos;
}

bool is_keyword(std::string_view name) {
    constexpr std::array<std::string_view, 26> kKeywords{
        "minimize", "minimum",  "min", "maximize", "maximum",  "max",   "subject", "such",     "st",
        "s.t.",     "st.",      "to",  "that",     "bounds",   "bound", "general", "generals", "gen",
        "integer",  "integers", "int", "binary",   "binaries", "bin",   "end",     "free"};
    std::string lower(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return std::find(kKeywords.begin(), kKeywords.end(), lower) != kKeywords.end() || lower == "inf" ||
           lower == "infinity";
}

// The name as the format can take it.
std::string lp_name(std::string_view name) {
    std::string spelt;
    for (const char c : name.substr(0, kNameBytes)) {
        if (c == '[') {
            spelt += '(';
        } else if (c == ']') {
            spelt += ')';
        } else if (c == '-') {
            spelt += '~';
        } else {
            spelt += allowed_in_name(c) ? c : '_';
        }
    }
    if (spelt.empty() || (spelt[0] >= '0' && spelt[0] <= '9') || spelt[0] == '.') spelt.insert(0, "_");
    if (is_keyword(spelt)) spelt += '_';
    return spelt;
}

// Names of one kind (rows, columns), each unique.
class NameSpace {
public:
    std::string take(std::string name) {
        if (taken_.insert(name).second) return name;
        for (std::uint32_t k = 2;; ++k) {
            std::string numbered = name + "_" + std::to_string(k);
            if (taken_.insert(numbered).second) return numbered;
        }
    }

private:
    std::set<std::string> taken_;
};

std::string number(double x, std::string_view where) {
    if (!std::isfinite(x)) throw LpFileError("в модели не конечное число (" + std::string(where) + ")");
    if (x == 0.0) return "0";  // no -0
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, x);
    return {text, result.ptr};
}

// A comment's text on one line: no control characters.
std::string comment_text(std::string_view text) {
    std::string line = valid_utf8(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return line;
}

// A sum of terms, broken into lines of about kLineWidth.
class Sum {
public:
    explicit Sum(std::string head) : text_(std::move(head)), line_start_(0) {}

    void add(double a, const std::string& name, std::string_view where) {
        std::string term = (a < 0 ? "- " : "+ ");
        if (first_) term = a < 0 ? "- " : "";
        first_ = false;
        const double size = std::fabs(a);
        term += size == 1.0 ? name : number(size, where) + " " + name;
        if (text_.size() - line_start_ + term.size() + 1 > kLineWidth) {
            text_ += "\n  ";
            line_start_ = text_.size() - 2;
        } else {
            text_ += ' ';
        }
        text_ += term;
    }
    bool empty() const { return first_; }
    std::string& text() { return text_; }

private:
    std::string text_;
    std::size_t line_start_;
    bool first_ = true;
};

}  // namespace

std::string lp_file_text(const LpModel& model, const std::vector<std::string>& comments) {
    if (model.columns.empty()) throw LpFileError("в модели нет ни одной переменной");
    NameSpace column_space;
    NameSpace row_space;
    std::vector<std::string> renamed;
    const auto spell = [&renamed](NameSpace& space, const std::string& name) {
        std::string spelt = space.take(lp_name(name));
        if (spelt != name) renamed.push_back("  " + comment_text(name) + " -> " + spelt);
        return spelt;
    };
    std::vector<std::string> columns;
    for (const LpModel::Column& column : model.columns) columns.push_back(spell(column_space, column.name));
    std::vector<std::string> rows;
    for (const LpModel::Row& row : model.rows) rows.push_back(spell(row_space, row.name));
    const std::string constant_column = model.constant != 0.0 ? column_space.take("constant") : std::string();

    std::string text;
    for (const std::string& line : comments) text += "\\ " + comment_text(line) + "\n";
    if (!constant_column.empty()) {
        text += "\\ Постоянная цели " + number(model.constant, "постоянная цели") + " записана как цена переменной " +
                constant_column + ", закреплённой на 1.\n";
    }
    if (!renamed.empty()) {
        text += "\\ Имена, записанные иначе (не допустимы в формате CPLEX LP или совпали):\n";
        for (const std::string& line : renamed) text += "\\" + line + "\n";
    }

    text += model.maximize ? "Maximize\n" : "Minimize\n";
    Sum objective(" obj:");
    for (std::size_t j = 0; j < model.columns.size(); ++j) {
        const double cost = model.columns[j].cost;
        if (cost != 0.0) objective.add(cost, columns[j], "цена переменной " + columns[j]);
    }
    if (!constant_column.empty()) objective.add(model.constant, constant_column, "постоянная цели");
    if (objective.empty()) objective.text() += " 0 " + columns[0];
    text += objective.text() + "\n";

    text += "Subject To\n";
    for (std::size_t i = 0; i < model.rows.size(); ++i) {
        const LpModel::Row& row = model.rows[i];
        const std::string where = "строка " + rows[i];
        std::string relation;
        double rhs = 0.0;
        if (row.lower == row.upper && std::isfinite(row.lower)) {
            relation = "=";
            rhs = row.lower;
        } else if (std::isfinite(row.lower) && row.upper == LpModel::kInfinity) {
            relation = ">=";
            rhs = row.lower;
        } else if (row.lower == -LpModel::kInfinity && std::isfinite(row.upper)) {
            relation = "<=";
            rhs = row.upper;
        } else {
            throw LpFileError("у строки " + rows[i] + " не одно отношение (двусторонняя или свободная строка)");
        }
        // GLPK refuses a column named twice in a row: the coefficients are summed.
        std::map<std::uint32_t, double> terms;
        for (const auto& [j, a] : row.coefficients) {
            if (j >= model.columns.size()) throw LpFileError(where + " ссылается на несуществующую переменную");
            terms[j] += a;
        }
        Sum sum(" " + rows[i] + ":");
        for (const auto& [j, a] : terms) {
            if (a != 0.0) sum.add(a, columns[j], where);
        }
        if (sum.empty()) sum.text() += " 0 " + columns[0];
        text += sum.text() + " " + relation + " " + number(rhs, where) + "\n";
    }

    text += "Bounds\n";
    for (std::size_t j = 0; j < model.columns.size(); ++j) {
        const LpModel::Column& column = model.columns[j];
        const std::string& name = columns[j];
        const std::string where = "границы переменной " + name;
        const double l = column.lower;
        const double u = column.upper;
        if (l == u && std::isfinite(l)) {
            text += " " + name + " = " + number(l, where) + "\n";
        } else if (std::isfinite(l) && u == LpModel::kInfinity) {
            text += " " + name + " >= " + number(l, where) + "\n";
        } else if (l == -LpModel::kInfinity && u == LpModel::kInfinity) {
            text += " " + name + " free\n";
        } else if (l == -LpModel::kInfinity && std::isfinite(u)) {
            text += " -inf <= " + name + " <= " + number(u, where) + "\n";
        } else if (std::isfinite(l) && std::isfinite(u)) {
            text += " " + number(l, where) + " <= " + name + " <= " + number(u, where) + "\n";
        } else {
            throw LpFileError("у переменной " + name + " границы не числа");
        }
    }
    if (!constant_column.empty()) text += " " + constant_column + " = 1\n";
    bool general = false;
    for (std::size_t j = 0; j < model.columns.size(); ++j) {
        if (!model.columns[j].integer) continue;
        if (!general) text += "General\n";
        general = true;
        text += " " + columns[j] + "\n";
    }
    return text += "End\n";
}
