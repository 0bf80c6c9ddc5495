// The iteration table report: one simplex table per call, drawn as a ruled
// grid with the costs above it, the basic variables down its left side, the two
// estimate rows below it and a closing line about the next pivot.
//
// Everything goes through a ReportWriter, so the stream sees a few large
// writes per table; numbers are formatted by number_format, which gives
// printf's digits without a locale.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "problem/record_columns.h"
#include "problem/simplex_iteration.h"
#include "solver/report/choice_sentences.h"
#include "solver/report/number_format.h"
#include "solver/report/report_writer.h"
#include "solver/report/table_cells.h"
#include "solver/report/table_texts.h"

namespace {

constexpr std::string_view kProblemLabel = "Задача: "_cp1251;
constexpr std::string_view kInitialTitle = "исходная таблица"_cp1251;
constexpr std::string_view kIterationTitle = "Итерация: "_cp1251;  // the number follows at offset 10
constexpr std::string_view kOptimumMark = " (оптимум)"_cp1251;
constexpr std::string_view kCostHeading = cp1251::encoded<kBasisCostHeading>();
constexpr std::string_view kNameHeading = cp1251::encoded<kBasisNameHeading>();
constexpr std::string_view kValueHeading = cp1251::encoded<kBasisValueHeading>();
constexpr std::string_view kMLineLabel = "строка"_cp1251;
constexpr std::string_view kPlainLineLabel = "о ц е н о к"_cp1251;
constexpr std::string_view kKeyColumn = "ключевой столбец: "_cp1251;
constexpr std::string_view kKeyRow = "  ключевая строка: "_cp1251;
constexpr std::string_view kNoKeyRow = "  ключевая строка не найдена: функция не ограничена"_cp1251;
constexpr std::string_view kInfeasible = "система ограничений несовместна"_cp1251;
constexpr std::string_view kOptimal = "получено оптимальное решение !"_cp1251;
// A table without M (two-phase, dual simplex): one row of estimates; phase I's is that of w.
constexpr std::string_view kSingleLineLabel = "о ц е н к и"_cp1251;
constexpr std::string_view kPhaseOneLineLabel = "о ц е н к и w"_cp1251;
// The dual simplex method's |estimate / element| over the key row's negative elements.
constexpr std::string_view kRatioLineLabel = "отношения"_cp1251;
// An explained table's ratio column beside the constraint rows.
constexpr std::string_view kRatioColumnLabel = cp1251::encoded<kRatioColumnHeading>();

static_assert(number_format::kFieldRoom + 2 <= ReportWriter::kBlockSize);

// The numbers of one table: their precision, and the writer chosen for it.
struct NumberStyle {
    explicit NumberStyle(std::int32_t record_precision)
        : precision(static_cast<std::uint32_t>(std::max(record_precision, 0))),
          field_writer(std::min(precision, number_format::kMaxSignificantDecimals)) {}

    std::uint32_t precision;
    number_format::FieldWriter field_writer;
};

// "|" and a value cell w + 2 characters wide (wider when the number needs it).
void write_value_cell(ReportWriter& out, double x, std::uint64_t w, const NumberStyle& style) {
    if (x == BIG_M) {
        out.put('|');
        out.fill(' ', w);
        out.put("M ");
        return;
    }
    if (x == -BIG_M) {
        out.put('|');
        out.fill(' ', std::max<std::uint64_t>(w, 2) - 1);  // one blank even when w is 1
        out.put("-M ");
        return;
    }
    if (w < number_format::kMaxField && style.precision <= number_format::kMaxSignificantDecimals) {
        // The usual cell, assembled in place in the writer's block.
        char* const cell = out.room(number_format::kFieldRoom + 2);
        cell[0] = '|';
        char* const end = style.field_writer(x, w + 1, cell + 1);
        *end = ' ';
        out.advance(static_cast<std::size_t>(end + 1 - cell));
        return;
    }
    // Huge widths or precisions: the blanks and zeros go through the block in pieces.
    char text[number_format::kMaxFixedLength];
    const number_format::FixedText number = number_format::format_fixed(x, style.precision, text);
    const std::uint64_t length = number.length + number.zeros;
    out.put('|');
    out.fill(' ', length < w + 1 ? w + 1 - length : 0);
    out.put(std::string_view(text, number.length));
    out.fill('0', number.zeros);
    out.put(' ');
}

void write_integer(ReportWriter& out, std::int64_t v) {
    std::array<char, 24> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), v);
    out.put(std::string_view(digits.data(), static_cast<std::size_t>(result.ptr - digits.data())));
}

}  // namespace

std::string& SimplexIteration::fill_number(std::string& text, std::size_t offset, std::uint32_t v) {
    std::array<char, 10> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), v);
    std::string field(digits.data(), result.ptr);
    if (field.size() < 3) field.resize(3, ' ');
    if (text.size() < offset) text.resize(offset, ' ');
    return text.replace(offset, 3, field);
}

void SimplexIteration::print_centered(ReportWriter& out, std::string_view text, std::uint64_t a) {
    // d = a + 2 - L; the odd blank of the surplus goes to the left, and a text
    // that fills or overfills its field still keeps one blank on each side.
    const std::uint64_t field = a + 2;
    const std::uint64_t surplus = field > text.size() ? field - text.size() : 0;
    out.fill(' ', std::max<std::uint64_t>((surplus + 1) / 2, 1));
    out.put(text);
    out.fill(' ', std::max<std::uint64_t>(surplus / 2, 1));
}

void SimplexIteration::print_rule(ReportWriter& out, char ch, int first, int last) const {
    const char filler = (ch == '|' || ch == ' ') ? ' ' : '-';
    for (int k = first; k <= last; ++k) {
        out.put(ch);
        out.fill(filler, std::uint64_t{col_widths[k]} + 2);
    }
}

void SimplexIteration::print_full_rule(ReportWriter& out) const {
    print_rule(out, '+', -2, static_cast<int>(variable_count()));
    out.put('+');
    out.line_end();
}

void SimplexIteration::print_cell(ReportWriter& out, double x, int k) const {
    write_value_cell(out, x, col_widths[k], NumberStyle(precision));
}

namespace {

// The number cells of a double table: fixed notation with the record's precision.
class DoubleCells {
public:
    explicit DoubleCells(const SimplexIteration& record) : r_(record), style_(record.precision) {}

    void costs(ReportWriter& out, const std::vector<std::uint64_t>& widths) const {
        const auto costs = r_.table.row(0);
        for (std::size_t j = 1; j < costs.size(); ++j) write_value_cell(out, costs[j], widths[j], style_);
    }
    void cost(ReportWriter& out, std::uint32_t j, std::uint64_t w) const {
        write_value_cell(out, r_.table(0, j), w, style_);
    }
    void row(ReportWriter& out, std::uint32_t i, const std::vector<std::uint64_t>& widths) const {
        const auto row = r_.table.row(i);
        for (std::size_t k = 0; k < row.size(); ++k) write_value_cell(out, row[k], widths[k], style_);
    }
    // False, writing nothing, for a zero M part: its cell stays blank.
    bool m_part(ReportWriter& out, int k, std::uint64_t w) const {
        const double x = estimate(0, k);
        if (x == 0.0) return false;
        write_value_cell(out, x, w, style_);
        return true;
    }
    void plain_part(ReportWriter& out, int k, std::uint64_t w) const {
        write_value_cell(out, estimate(1, k), w, style_);
    }
    bool objective_has_m_part() const { return r_.estimates(0, 0) != 0.0; }

private:
    // Checked: the estimates are a matrix of their own, sized by the engine.
    double estimate(std::uint32_t part, int k) const { return r_.estimates(part, static_cast<std::uint32_t>(k)); }

    const SimplexIteration& r_;
    NumberStyle style_;
};

// The number cells of a table whose numbers come as texts (exact fractions),
// right-aligned as numbers are, "M" and "-M" placed as in double tables.
class TextCells {
public:
    TextCells(const SimplexIteration& record, const TableTexts& texts)
        : texts_(texts), columns_(record.variable_count() + std::size_t{1}) {}

    void costs(ReportWriter& out, const std::vector<std::uint64_t>& widths) const {
        for (std::size_t j = 1; j < columns_; ++j) cell(out, texts_.costs.at(j), widths[j]);
    }
    void cost(ReportWriter& out, std::uint32_t j, std::uint64_t w) const { cell(out, texts_.costs.at(j), w); }
    void row(ReportWriter& out, std::uint32_t i, const std::vector<std::uint64_t>& widths) const {
        const std::size_t first = (std::size_t{i} - 1) * columns_;
        for (std::size_t k = 0; k < columns_; ++k) cell(out, texts_.elements.at(first + k), widths[k]);
    }
    bool m_part(ReportWriter& out, int k, std::uint64_t w) const {
        const std::string& text = texts_.m_parts.at(static_cast<std::size_t>(k));
        if (text.empty()) return false;
        cell(out, text, w);
        return true;
    }
    void plain_part(ReportWriter& out, int k, std::uint64_t w) const {
        cell(out, texts_.plain_parts.at(static_cast<std::size_t>(k)), w);
    }
    bool objective_has_m_part() const { return !texts_.m_parts.at(0).empty(); }

private:
    static void cell(ReportWriter& out, std::string_view text, std::uint64_t w) {
        out.put('|');
        if (text == "-M") {
            out.fill(' ', std::max<std::uint64_t>(w, 2) - 1);  // one blank even when w is 1
        } else {
            out.fill(' ', text.size() < w + 1 ? w + 1 - text.size() : 0);
        }
        out.put(text);
        out.put(' ');
    }

    const TableTexts& texts_;
    std::size_t columns_;
};

// One table, drawn line by line. Keeps what the lines need again and again:
// the value columns' widths without index checks and the full rule drawn once.
template <class Cells>
class TableDrawing {
public:
    TableDrawing(const SimplexIteration& record, const Cells& cells, ReportWriter& out)
        : r_(record),
          out_(out),
          n_(static_cast<int>(record.variable_count())),
          cells_(cells),
          w_cost_(record.col_widths[-2]),
          w_name_(record.col_widths[-1]),
          w_value_(record.col_widths[0]),
          value_widths_(static_cast<std::size_t>(n_) + 1) {
        for (int k = 0; k <= n_; ++k) value_widths_[static_cast<std::size_t>(k)] = record.col_widths[k];
        if (has_ratio_column(record.look)) {
            // As wide as the value column, its heading and its widest ratio.
            std::uint64_t w = std::max<std::uint64_t>(w_value_, kRatioColumnLabel.size());
            for (std::uint32_t i = 1; i <= record.constraint_count(); ++i) {
                ratio_texts_.push_back(cp1251::from_utf8(ratio_column_text(record.look, i)).value_or("?"));
                w = std::max<std::uint64_t>(w, ratio_texts_.back().size());
            }
            w_ratio_ = w;
        }
        std::uint64_t rule_length = w_cost_ + w_name_ + 6 + 3;  // with the last "+" and the line end
        for (const std::uint64_t w : value_widths_) rule_length += w + 3;
        if (w_ratio_) rule_length += *w_ratio_ + 3;
        if (rule_length <= ReportWriter::kBlockSize) {
            full_rule_.reserve(rule_length);
            for (int k = -2; k <= n_; ++k) {
                full_rule_ += '+';
                full_rule_.append(std::size_t{record.col_widths[k]} + 2, '-');
            }
            if (w_ratio_) {
                full_rule_ += '+';
                full_rule_.append(static_cast<std::size_t>(*w_ratio_) + 2, '-');
            }
            full_rule_ += "+\r\n";
        }
    }

    // "Задача: " and the name, above the initial table only; the phase above each table of a phase.
    void problem_line() {
        if (r_.iterations == 0 && r_.name) {
            out_.put(kProblemLabel);
            out_.put(*r_.name);
            out_.line_end();
        }
        if (r_.look.phase != 0) {
            out_.put(cp1251::from_utf8(phase_title(r_.look)).value_or(std::string()));
            out_.line_end();
        }
    }

    // The rule over the variable columns, then the title beside the costs.
    // "(оптимум)" marks only a final table whose objective has no M part.
    void title_and_costs() {
        r_.print_rule(out_, ' ', -2, 0);
        r_.print_rule(out_, '+', 1, n_);
        out_.put('+');
        out_.line_end();
        std::string title;
        if (r_.iterations == 0) {
            title = kInitialTitle;
        } else {
            title = kIterationTitle;
            SimplexIteration::fill_number(title, kIterationTitle.size(),
                                          static_cast<std::uint32_t>(std::max(r_.iterations, 0)));
            if (r_.pivot_col == 0 && !cells_.objective_has_m_part() && !r_.look.phase_end && !r_.look.infeasible) {
                title += kOptimumMark;
            }
        }
        SimplexIteration::print_centered(out_, title, w_cost_ + w_name_ + w_value_ + 7);
        cells_.costs(out_, value_widths_);
        out_.put('|');
        out_.line_end();
        full_rule();
    }

    void headings() {
        out_.put('|');
        SimplexIteration::print_centered(out_, kCostHeading, w_cost_);
        out_.put('|');
        SimplexIteration::print_centered(out_, kNameHeading, w_name_);
        out_.put('|');
        SimplexIteration::print_centered(out_, kValueHeading, w_value_);
        for (int j = 1; j <= n_; ++j) {
            out_.put('|');
            SimplexIteration::print_centered(out_, variable_name(static_cast<std::uint32_t>(j)),
                                             value_widths_[static_cast<std::size_t>(j)]);
        }
        if (w_ratio_) {
            out_.put('|');
            SimplexIteration::print_centered(out_, kRatioColumnLabel, *w_ratio_);
        }
        out_.put('|');
        out_.line_end();
        full_rule();
    }

    // Cost and name of each row's basic variable, then the row. False once
    // the stream has failed.
    bool constraint_rows() {
        const std::uint32_t m = r_.constraint_count();
        for (std::uint32_t i = 1; i <= m; ++i) {
            const std::uint32_t basic = r_.basis.at(i);
            cells_.cost(out_, basic, w_cost_);
            out_.put('|');
            SimplexIteration::print_centered(out_, variable_name(basic), w_name_);
            cells_.row(out_, i, value_widths_);
            if (w_ratio_) ratio_cell(ratio_texts_.at(i - 1));
            out_.put('|');
            out_.line_end();
            if (i < m) full_rule();
            if (out_.failed()) return false;
        }
        return true;
    }

    // The rule under the grid, the M parts (blank where 0), the plain parts
    // (zeros shown), and the rule with a "-" under the merged label cell.
    void estimates() {
        r_.print_rule(out_, '+', -2, -2);
        r_.print_rule(out_, '+', -1, -1);
        r_.print_rule(out_, '+', 0, n_);
        ratio_rule();
        out_.put('+');
        out_.line_end();

        const std::uint64_t label_field = w_cost_ + w_name_ + 3;
        if (!r_.look.single_estimate_row) {
            out_.put('|');
            SimplexIteration::print_centered(out_, kMLineLabel, label_field);
            for (int k = 0; k <= n_; ++k) {
                if (!cells_.m_part(out_, k, value_widths_[static_cast<std::size_t>(k)])) r_.print_rule(out_, '|', k, k);
            }
            out_.put('|');
            out_.line_end();
        }
        out_.put('|');
        SimplexIteration::print_centered(out_,
                                         !r_.look.single_estimate_row ? kPlainLineLabel
                                         : r_.look.phase == 1         ? kPhaseOneLineLabel
                                                                      : kSingleLineLabel,
                                         label_field);
        for (int k = 0; k <= n_; ++k) {
            cells_.plain_part(out_, k, value_widths_[static_cast<std::size_t>(k)]);
        }
        out_.put('|');
        out_.line_end();
        if (!r_.look.ratio_cells.empty()) ratio_line(label_field);

        r_.print_rule(out_, '+', -2, -2);
        r_.print_rule(out_, '-', -1, -1);
        r_.print_rule(out_, '+', 0, n_);
        out_.put('+');
        out_.line_end();
    }

    // The ratio row: a text where the key row's element is negative, a blank cell elsewhere.
    void ratio_line(std::uint64_t label_field) {
        out_.put('|');
        SimplexIteration::print_centered(out_, kRatioLineLabel, label_field);
        const std::vector<std::string>& ratios = r_.look.ratio_cells;
        for (int k = 0; k <= n_; ++k) {
            const auto column = static_cast<std::size_t>(k);
            const std::uint64_t w = value_widths_[column];
            const std::string_view text = column < ratios.size() ? std::string_view(ratios[column]) : "";
            if (text.empty()) {
                r_.print_rule(out_, '|', k, k);
                continue;
            }
            out_.put('|');
            out_.fill(' ', text.size() < w + 1 ? w + 1 - text.size() : 0);
            out_.put(text);
            out_.put(' ');
        }
        out_.put('|');
        out_.line_end();
    }

    // What comes next, then an empty line before the next table.
    void closing_line() {
        if (r_.pivot_col != 0) {
            out_.put(kKeyColumn);
            write_integer(out_, r_.pivot_col);
            if (r_.pivot_row != 0) {
                out_.put(kKeyRow);
                write_integer(out_, r_.pivot_row);
            } else {
                out_.put(kNoKeyRow);
            }
        } else if (r_.look.phase_end) {
            out_.put(cp1251::from_utf8(phase_end_text(r_.look)).value_or(std::string()));
        } else if (cells_.objective_has_m_part() || r_.look.infeasible) {
            out_.put(kInfeasible);
        } else {
            out_.put(kOptimal);
        }
        out_.line_end();
        if (r_.look.choices) {
            for (const std::string& line : choice_sentences(r_.look, utf8_variable_names(r_), r_.basis)) {
                out_.put(cp1251::from_utf8(line).value_or("?"));
                out_.line_end();
            }
        }
        out_.line_end();
    }

private:
    void full_rule() {
        if (!full_rule_.empty()) {
            out_.put(full_rule_);
        } else if (w_ratio_) {
            r_.print_rule(out_, '+', -2, n_);
            ratio_rule();
            out_.put('+');
            out_.line_end();
        } else {
            r_.print_full_rule(out_);
        }
    }

    // The ratio column's part of a rule: nothing without one.
    void ratio_rule() {
        if (!w_ratio_) return;
        out_.put('+');
        out_.fill('-', *w_ratio_ + 2);
    }

    // "|" and a ratio right-aligned as numbers are.
    void ratio_cell(std::string_view text) {
        const std::uint64_t w = *w_ratio_;
        out_.put('|');
        out_.fill(' ', text.size() < w + 1 ? w + 1 - text.size() : 0);
        out_.put(text);
        out_.put(' ');
    }

    // The name of variable j as the headings and the name column show it.
    std::string variable_name(std::uint32_t j) const {
        if (r_.var_names) return r_.var_names->at(j);
        std::string generated = "x";
        return SimplexIteration::fill_number(generated, 1, j);
    }

    const SimplexIteration& r_;
    ReportWriter& out_;
    int n_;
    const Cells& cells_;
    std::uint64_t w_cost_, w_name_, w_value_;
    std::vector<std::uint64_t> value_widths_;  // columns 0..n
    std::string full_rule_;                    // empty when too long to keep
    std::optional<std::uint64_t> w_ratio_;     // the ratio column's width; none without the column
    std::vector<std::string> ratio_texts_;     // its cells of rows 1..m, Windows-1251
};

}  // namespace

namespace {

template <class Cells>
std::ostream& draw_table(SimplexIteration& record, const Cells& cells, std::ostream& stream) {
    if (!stream) return stream;  // whatever it would write is dropped anyway
    // The name column follows the current basis.
    if (record.var_names) {
        std::size_t longest = 3;
        for (std::uint32_t i = 1; i <= record.constraint_count(); ++i)
            longest = std::max(longest, record.var_names->at(record.basis.at(i)).size());
        record.col_widths[-1] = static_cast<std::uint32_t>(longest);
    }
    ReportWriter out(stream);
    TableDrawing<Cells> drawing(record, cells, out);
    drawing.problem_line();
    drawing.title_and_costs();
    drawing.headings();
    if (!drawing.constraint_rows()) return stream;  // the stream failed: the rest would be dropped
    drawing.estimates();
    drawing.closing_line();
    out.flush();
    return stream;
}

}  // namespace

std::ostream& SimplexIteration::print_table(std::ostream& stream) {
    return draw_table(*this, DoubleCells(*this), stream);
}

std::ostream& print_text_table(SimplexIteration& record, const TableTexts& texts, std::ostream& stream) {
    return draw_table(record, TextCells(record, texts), stream);
}
