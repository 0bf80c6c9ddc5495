#include "solver/variants/variant_documents.h"

#include <cstdint>
#include <string_view>

#include "problem/record_columns.h"
#include "solver/report/outcome_story.h"

namespace {

// "3·x1 − 1.5·x2 + x3", zero coefficients left out, as the reports write a row.
std::string linear_form(const std::vector<std::int32_t>& halves) {
    std::string text;
    for (std::size_t j = 0; j < halves.size(); ++j) {
        const std::int32_t a = halves[j];
        if (a == 0) continue;
        const std::string magnitude = halves_text(a < 0 ? -a : a);
        text += text.empty() ? (a < 0 ? "−" : "") : (a < 0 ? " − " : " + ");
        if (magnitude != "1") text += magnitude + "·";
        text += "x" + std::to_string(j + 1);
    }
    return text.empty() ? "0" : text;
}

std::string relation(RowKind kind) {
    switch (kind) {
        case RowKind::less_equal:
            return " ≤ ";
        case RowKind::greater_equal:
            return " ≥ ";
        case RowKind::equal:
            break;
    }
    return " = ";
}

// "Вариант 07", numbered as its file is.
std::string variant_heading(const Variant& variant) {
    const std::string_view stem = "variant-";
    return "Вариант " +
           variant.file.substr(stem.size(), variant.file.size() - stem.size() - std::string_view(".qtb").size());
}

// Two lines, so that a variant keeps to its page: the objective and the own variables, then the others.
std::vector<std::string> answer_lines(const Variant& variant) {
    const OutcomeStory story =
        outcome_story(variant.outcome, utf8_variable_names(variant.problem), own_variable_count(variant.problem));
    const std::size_t own = variant.data.costs.size();
    std::string values;
    std::string others;
    for (std::size_t j = 0; j < story.values.size(); ++j) {
        std::string& line = j < own ? values : others;
        (line += line.empty() ? "" : ", ") += story.values[j].name + " = " + story.values[j].value;
    }
    return {"Ответ (итераций: " + std::to_string(variant.outcome.iterations) + "): F = " + story.objective + "; " +
                values + ".",
            "Остальные переменные: " + others + "."};
}

}  // namespace

std::vector<std::string> variants_about(const VariantShape& shape, std::uint32_t count, std::uint64_t seed) {
    std::string kinds;
    for (const RowKind kind : shape.model ? shape.model->rows : shape.kinds) {
        const std::string sign = relation(kind);
        (kinds += kinds.empty() ? " " : ", ") += sign.substr(1, sign.size() - 2);  // without its blanks
    }
    const bool maximize = shape.model ? shape.model->maximize : shape.maximize;
    return {"Вариантов: " + std::to_string(count) + ", зерно (--seed): " + std::to_string(seed) + ".",
            "Размер: " + std::to_string(shape.rows) + " x " + std::to_string(shape.columns) +
                (maximize ? ", максимум" : ", минимум") + ", строки" + kinds + ", итераций M-метода: " +
                std::to_string(shape.pivots()) + (shape.model ? ", по образцу задачи." : ".")};
}

std::vector<std::string> variant_statement(const VariantData& data) {
    std::vector<std::string> lines;
    lines.push_back("F = " + linear_form(data.costs) + (data.maximize ? " → max" : " → min"));
    for (std::size_t i = 0; i < data.rows.size(); ++i) {
        lines.push_back(linear_form(data.rows[i]) + relation(data.kinds[i]) + halves_text(data.rhs[i]));
    }
    std::string signs;
    for (std::size_t j = 1; j <= data.costs.size(); ++j) signs += (j == 1 ? "x" : ", x") + std::to_string(j);
    lines.push_back(signs + " ≥ 0");
    return lines;
}

void write_answer_key(DocumentMarkup& markup, const std::vector<Variant>& variants,
                      const std::vector<std::string>& about) {
    markup.open("Варианты: ответы для преподавателя");
    markup.lines(about);
    for (const Variant& variant : variants) {
        if (&variant != &variants.front()) markup.new_page();
        markup.heading(variant_heading(variant));
        markup.lines(variant_statement(variant.data));
        for (const TableSnapshot& table : variant.tables) {
            markup.table(table, document_table_title(table), document_closing_line(table));
        }
        markup.lines(answer_lines(variant));
    }
    markup.close();
}

void write_problem_sheet(DocumentMarkup& markup, const std::vector<Variant>& variants,
                         const std::vector<std::string>& about) {
    markup.open("Варианты задач линейного программирования");
    markup.lines(about);
    for (const Variant& variant : variants) {
        markup.heading(variant_heading(variant));
        markup.lines(variant_statement(variant.data));
    }
    markup.close();
}
