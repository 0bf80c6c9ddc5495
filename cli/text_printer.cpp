// The result for people: Russian, UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/result_printer.h"
#include "problem/cp1251.h"
#include "problem/status_texts.h"

namespace cli {
namespace {

void write_codes(std::ostream& out, const SimplexIteration::bad_simplex& failure) {
    for (int i = 0; i < failure.count; ++i) {
        const int code = failure.codes[static_cast<std::size_t>(i)];
        out << "  " << cp1251::to_utf8(status_text(code)) << " (код " << code << ")\n";
    }
}

// The name of variable j as the report shows it, in UTF-8.
std::string variable_name(const SimplexIteration& problem, std::uint32_t j) {
    if (problem.var_names && j < problem.var_names->size()) return cp1251::to_utf8((*problem.var_names)[j]);
    return std::string("x").append(std::to_string(j));
}

class TextPrinter final : public ResultPrinter {
public:
    explicit TextPrinter(std::ostream& out) : out_(out) {}

    void read_failed(const SimplexIteration::bad_simplex& failure) override {
        out_ << "Есть ошибки в файле задачи:\n";
        write_codes(out_, failure);
    }

    void solve_failed(const SimplexIteration::bad_simplex& failure) override {
        out_ << "Решение не получено:\n";
        write_codes(out_, failure);
    }

    void solved(const SimplexIteration& problem, const SolveOutcome& outcome) override {
        if (problem.name && !problem.name->empty()) out_ << "Задача: " << cp1251::to_utf8(*problem.name) << '\n';
        if (outcome.end == RunEnd::optimal) {
            out_ << "Решение получено: оптимум.\n";
        } else {
            out_ << "Решение получено, но счёт остановлен пределом числа итераций: "
                    "последняя таблица не оптимальна, значения ниже — не оптимум.\n";
        }
        out_ << "Итераций: " << outcome.iterations << '\n';
        out_ << "Значение целевой функции: " << shortest_number(outcome.solution(0, 0)) << '\n';
        out_ << "Значения переменных:\n";
        const auto own = static_cast<std::uint32_t>(problem.base_vars > 0 ? problem.base_vars : 0);
        for (std::uint32_t j = 1; j < outcome.solution.rows; ++j) {
            out_ << "  " << variable_name(problem, j) << " = " << shortest_number(outcome.solution(j, 0));
            if (own != 0 && j > own) out_ << " (искусственная)";
            out_ << '\n';
        }
        if (problem.no_table) {
            out_ << "Таблицы не выводились.\n";
        } else if (problem.file) {
            out_ << "Отчёт: " << cp1251::to_utf8(*problem.file) << '\n';
        }
    }

private:
    std::ostream& out_;
};

}  // namespace

std::unique_ptr<ResultPrinter> make_text_printer(std::ostream& out) { return std::make_unique<TextPrinter>(out); }

}  // namespace cli
