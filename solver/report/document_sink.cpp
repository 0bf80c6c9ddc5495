#include "solver/report/document_sink.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "problem/cp1251.h"
#include "solver/engine/run_types.h"
#include "solver/report/outcome_story.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/table_cells.h"
#include "solver/report/table_source.h"

namespace {

// "3·x1 − M·x3", terms with a zero coefficient left out; "0" when none is left.
std::string linear_form(const SimplexIteration& problem, std::uint32_t row, const std::vector<std::string>& names) {
    std::string text;
    for (std::uint32_t j = 1; j <= problem.variable_count(); ++j) {
        const double a = problem.table(row, j);
        if (a == 0.0) continue;
        std::string magnitude = shortest_number_text(a < 0 ? -a : a);
        text += text.empty() ? (a < 0 ? "−" : "") : (a < 0 ? " − " : " + ");
        if (magnitude != "1") text += magnitude + "·";
        text += names[j];
    }
    return text.empty() ? "0" : text;
}

std::vector<std::string> problem_statement(const SimplexIteration& problem, const std::vector<std::string>& names) {
    std::vector<std::string> lines;
    lines.push_back("F = " + linear_form(problem, 0, names) + (problem.aim == 1 ? " → max" : " → min"));
    for (std::uint32_t i = 1; i <= problem.constraint_count(); ++i) {
        lines.push_back(linear_form(problem, i, names) + " = " + shortest_number_text(problem.table(i, 0)));
    }
    lines.emplace_back("Все переменные неотрицательны.");
    return lines;
}

class DocumentSink final : public ReportSink {
public:
    explicit DocumentSink(std::unique_ptr<DocumentMarkup> markup) : markup_(std::move(markup)) {}

    void begin(const ReportStart& start) override {
        const SimplexIteration& problem = start.problem;
        names_ = utf8_variable_names(problem);
        own_ = own_variable_count(problem);
        markup_->open(problem.name && !problem.name->empty() ? cp1251::to_utf8(*problem.name) : "Симплекс-таблицы");
        markup_->heading("Задача");
        markup_->lines(problem_statement(problem, names_));
        if (!start.preamble.empty()) {
            markup_->heading("Приведение к канонической форме");
            markup_->preformatted(cp1251::lines_to_utf8(start.preamble));
        }
        markup_->heading("Симплекс-таблицы");
    }

    void table(TableSource& source) override {
        const TableSnapshot snapshot = source.snapshot();
        markup_->table(snapshot, document_table_title(snapshot), document_closing_line(snapshot));
    }

    void part(const ReportPart& part) override {
        if (!part.heading.empty()) markup_->heading(part.heading);
        markup_->lines(part.lines);
        if (!part.outline.empty()) markup_->outline(part.outline);
    }

    void end(const ReportEnd& end) override {
        const SolveOutcome& outcome = end.outcome;
        markup_->heading("Ответ");
        if (const std::vector<std::string> failure = outcome_failure_lines(outcome); !failure.empty()) {
            markup_->lines(failure);
        } else if (!end.answer.empty()) {
            markup_->preformatted(cp1251::lines_to_utf8(end.answer));
        } else {
            markup_->lines(outcome_answer_lines(outcome, names_, own_));
        }
        const std::vector<std::string> remarks = outcome_notes(outcome, names_);
        if (!remarks.empty()) {
            markup_->heading("Замечания");
            markup_->lines(remarks);
        }
        for (const DocumentSection& section : end.sections) markup_->section(section);
        markup_->close();
    }

private:
    std::unique_ptr<DocumentMarkup> markup_;
    std::vector<std::string> names_;
    std::uint32_t own_ = 0;
};

}  // namespace

std::unique_ptr<ReportSink> make_document_sink(std::unique_ptr<DocumentMarkup> markup) {
    return std::make_unique<DocumentSink>(std::move(markup));
}

std::string document_table_title(const TableSnapshot& table) {
    std::string title = phase_title(table.look);
    if (!title.empty()) title += ". ";
    if (table.iteration == 0) return title + "Исходная таблица";
    title += "Итерация " + std::to_string(table.iteration);
    if (table.close == TableClose::optimum) title += " (оптимум)";
    return title;
}

std::vector<TableColumnPart> document_column_parts(const TableSnapshot& table, const std::string& title) {
    std::vector<TableColumnPart> parts;
    for (std::uint32_t first = 1; first <= std::max<std::uint32_t>(table.n, 1); first += kDocumentColumnsPerPart) {
        TableColumnPart part{first, std::min(table.n, first + kDocumentColumnsPerPart - 1), title};
        if (table.n > kDocumentColumnsPerPart)
            part.title += ", столбцы " + table.names.at(part.first) + "–" + table.names.at(part.last);
        parts.push_back(std::move(part));
    }
    return parts;
}

std::string document_closing_line(const TableSnapshot& table) {
    switch (table.close) {
        case TableClose::next_pivot:
            return "Ключевой столбец: " + table.names.at(table.key_column) + " (" + std::to_string(table.key_column) +
                   "), ключевая строка: " + std::to_string(table.key_row) + " (" + table.basic_name(table.key_row) +
                   ").";
        case TableClose::unbounded:
            return "Ключевой столбец: " + table.names.at(table.key_column) +
                   "; ключевая строка не найдена: функция не ограничена.";
        case TableClose::infeasible:
            return "Система ограничений несовместна.";
        case TableClose::phase_end: {
            // A sentence of its own here: its first letter a capital.
            const std::string text = phase_end_text(table.look);
            return "Ф" + text.substr(std::string_view("ф").size()) + ".";
        }
        case TableClose::optimum:
            break;
    }
    return "Получено оптимальное решение.";
}
