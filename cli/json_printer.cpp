// The result as exactly one JSON object on one line.

#include <cmath>
#include <string_view>

#include "cli/result_printer.h"
#include "problem/cp1251.h"
#include "problem/status_texts.h"

namespace cli {
namespace {

void write_string(std::ostream& out, std::string_view utf8) {
    out << '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (byte < 0x20) {
            constexpr std::string_view kHex = "0123456789abcdef";
            out << "\\u00" << kHex[byte >> 4] << kHex[byte & 0xF];
        } else {
            out << c;
        }
    }
    out << '"';
}

void write_number(std::ostream& out, double x) {
    if (std::isfinite(x)) {
        out << shortest_number(x);
    } else {
        out << "null";
    }
}

class JsonPrinter final : public ResultPrinter {
public:
    explicit JsonPrinter(std::ostream& out) : out_(out) {}

    void read_failed(const SimplexIteration::bad_simplex& failure) override { failed("read", failure); }
    void solve_failed(const SimplexIteration::bad_simplex& failure) override { failed("solve", failure); }

    void solved(const SimplexIteration&, const SolveOutcome& outcome) override {
        out_ << R"({"ok": true, "end": ")" << (outcome.end == RunEnd::optimal ? "optimal" : "iteration_limit")
             << R"(", "objective": )";
        write_number(out_, outcome.solution(0, 0));
        out_ << R"(, "solution": [)";
        for (std::uint32_t j = 0; j < outcome.solution.rows; ++j) {
            if (j != 0) out_ << ", ";
            write_number(out_, outcome.solution(j, 0));
        }
        out_ << "]}\n";
    }

    void model_read_failed(std::string_view message) override {
        out_ << R"({"ok": false, "stage": "read", "codes": [], "messages": [)";
        write_string(out_, message);
        out_ << "]}\n";
    }

    void model_solved(const CanonicalForm& model, const SimplexIteration&, const SolveOutcome& outcome) override {
        out_ << R"({"ok": true, "end": ")" << (outcome.end == RunEnd::optimal ? "optimal" : "iteration_limit")
             << R"(", "objective": )";
        write_number(out_, model.objective(outcome.solution));
        out_ << R"(, "solution": [)";
        for (std::uint32_t j = 0; j < outcome.solution.rows; ++j) {
            if (j != 0) out_ << ", ";
            write_number(out_, outcome.solution(j, 0));
        }
        out_ << R"(], "variables": {)";
        const std::vector<double> values = model.variable_values(outcome.solution);
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (k != 0) out_ << ", ";
            write_string(out_, model.variables[k].name);
            out_ << ": ";
            write_number(out_, values[k]);
        }
        out_ << R"(}, "constant": )";
        write_number(out_, model.constant);
        out_ << R"(, "relaxed_integers": )" << (model.relaxed_integers ? "true" : "false") << "}\n";
    }

private:
    void failed(std::string_view stage, const SimplexIteration::bad_simplex& failure) {
        out_ << R"({"ok": false, "stage": ")" << stage << R"(", "codes": [)";
        for (int i = 0; i < failure.count; ++i)
            out_ << (i != 0 ? ", " : "") << failure.codes[static_cast<std::size_t>(i)];
        out_ << R"(], "messages": [)";
        for (int i = 0; i < failure.count; ++i) {
            if (i != 0) out_ << ", ";
            write_string(out_, cp1251::to_utf8(status_text(failure.codes[static_cast<std::size_t>(i)])));
        }
        out_ << "]}\n";
    }

    std::ostream& out_;
};

}  // namespace

std::unique_ptr<ResultPrinter> make_json_printer(std::ostream& out) { return std::make_unique<JsonPrinter>(out); }

}  // namespace cli
