// The report as one LaTeX document for pdflatex: UTF-8 input, Cyrillic in the
// T2A font encoding. Each table is a longtable (it breaks across pages); wide
// tables are split into parts of kDocumentColumnsPerPart variable columns, each with
// the basis columns again. The key column and row are shaded and marked with
// arrows, the key element boxed.

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "solver/report/document_sink.h"
#include "solver/report/markup_escapes.h"
#include "solver/report/output_marker.h"
#include "solver/report/report_sinks.h"
#include "solver/report/table_cells.h"

namespace {

constexpr std::string_view kDocumentClass = "\\documentclass[a4paper,10pt]{article}\n";

// A line of the preamble, with what in a table's LaTeX calls for it: a table copied alone names the lines
// it needs from here, so that the note and the document cannot part.
struct PreambleLine {
    std::string_view text = {};
    std::string_view called_by = {};  // a text of a table's LaTeX that calls for the line; empty: no table needs it
    bool for_letters = false;         // called for by any letter beyond ASCII (the Cyrillic of the labels)
};

// After the document class and the marker line, each line ending in a line feed, then \begin{document}.
constexpr std::array<PreambleLine, 15> kPreamble{{
    {.text = R"(\usepackage[T2A]{fontenc})", .for_letters = true},
    {.text = R"(\usepackage[utf8]{inputenc})", .for_letters = true},
    {.text = R"(\usepackage[russian]{babel})"},
    {.text = R"(\usepackage[margin=15mm]{geometry})"},
    {.text = R"(\usepackage{amsmath})"},
    {.text = R"(\usepackage{longtable})", .called_by = R"(\begin{longtable})"},
    {.text = R"(\usepackage[table]{xcolor})", .called_by = R"(\cellcolor)"},
    {.text = R"(\definecolor{qtbkey}{gray}{0.88})", .called_by = "{qtbkey}"},
    {.text = R"(\definecolor{qtbpivot}{gray}{0.75})", .called_by = "{qtbpivot}"},
    {.text = R"(\setlength{\tabcolsep}{4pt})"},
    {.text = R"(\renewcommand{\arraystretch}{1.25})"},
    {.text = R"(\setlength{\parindent}{0pt})"},
    {.text = R"(\setlength{\LTleft}{0pt})"},
    {.text = R"(\setlength{\LTpre}{2pt})"},
    {.text = R"(\setlength{\LTright}{\fill})"},
}};

bool calls_for(const PreambleLine& line, std::string_view latex) {
    if (line.for_letters) {
        return std::any_of(latex.begin(), latex.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    }
    return !line.called_by.empty() && latex.find(line.called_by) != std::string_view::npos;
}

// A number of the table in math mode: "M", fractions as \frac, else as written.
std::string number(const std::string& text) {
    if (text.empty()) return {};
    const bool negative = text.front() == '-';
    const std::string magnitude = negative ? text.substr(1) : text;
    if (magnitude.find_first_not_of("0123456789./M") != std::string::npos) return latex_text(text);
    const std::string sign = negative ? "-" : "";
    const auto slash = magnitude.find('/');
    if (slash == std::string::npos) return "$" + sign + magnitude + "$";
    return "$" + sign + "\\frac{" + magnitude.substr(0, slash) + "}{" + magnitude.substr(slash + 1) + "}$";
}

class LatexMarkup final : public DocumentMarkup {
public:
    explicit LatexMarkup(std::ostream& out) : out_(out) {}

    void open(const std::string& title) override {
        out_ << kDocumentClass << "% " << kOutputMarker << '\n';
        for (const PreambleLine& line : kPreamble) out_ << line.text << '\n';
        out_ << "\\begin{document}\n";
        out_ << "\\section*{" << latex_text(title) << "}\n\n";
    }
    void heading(const std::string& text) override { out_ << "\\subsection*{" << latex_text(text) << "}\n\n"; }

    void lines(const std::vector<std::string>& texts) override {
        for (const std::string& line : texts) out_ << latex_text(line) << "\\par\n";
        out_ << "\\medskip\n\n";
    }

    void preformatted(const std::vector<std::string>& texts) override {
        out_ << "{\\ttfamily\\small\n";
        for (const std::string& line : texts) {
            // \mbox{} keeps the leading blanks; each blank a control space of the fixed-width font.
            out_ << "\\mbox{}";
            for (const char c : latex_text(line)) {
                if (c == ' ') {
                    out_ << "\\ ";
                } else {
                    out_ << c;
                }
            }
            out_ << "\\par\n";
        }
        out_ << "}\\medskip\n\n";
    }

    void table(const TableSnapshot& t, const std::string& title, const std::string& closing) override {
        const TableCells cells = table_cells(t);
        for (const TableColumnPart& part : document_column_parts(t, title)) table_part(cells, part);
        out_ << latex_text(closing) << "\\par\\bigskip\n\n";
    }

    void section(const DocumentSection& section) override {
        heading(section.title);
        if (!section.header.empty()) {
            out_ << "{\\small\\begin{longtable}{|" << std::string(section.header.size(), 'l') << "|}\n\\hline\n";
            row_of(section.header);
            out_ << "\\hline\\endhead\n";
            for (const auto& row : section.rows) row_of(row);
            out_ << "\\hline\n\\end{longtable}}\n";
        }
        lines(section.lines);
    }

    void new_page() override { out_ << "\\clearpage\n\n"; }
    // Each entry a paragraph indented by its depth: lists nest only four deep, a tree goes deeper.
    void outline(const std::vector<ReportPart::Entry>& entries) override {
        out_ << "{\\small\n";
        for (const ReportPart::Entry& entry : entries) {
            out_ << "\\noindent\\hspace*{" << std::to_string(3 * entry.depth) << "ex}\\textbullet~"
                 << latex_text(entry.text) << "\\par\n";
        }
        out_ << "}\\medskip\n\n";
    }

    void close() override { out_ << "\\end{document}\n"; }

private:
    void row_of(const std::vector<std::string>& cells) {
        for (std::size_t k = 0; k < cells.size(); ++k) out_ << (k == 0 ? "" : " & ") << latex_text(cells[k]);
        out_ << " \\\\\n";
    }

    void table_part(const TableCells& cells, const TableColumnPart& part) {
        const std::vector<std::uint32_t> columns = grid_columns(part.first, part.last);
        std::string layout = "|r|l|r|";
        for (std::uint32_t j = part.first; j <= part.last; ++j) layout += "r|";
        // The title above the table: in a cell over the first columns it would widen them.
        out_ << "\\textbf{" << latex_text(part.title) << "}\\par\\nopagebreak\n";
        out_ << "{\\small\n\\begin{longtable}{" << layout << "}\n\\hline\n";
        row(cells.rows.front(), columns, "r");
        out_ << " \\\\\n\\hline\n";
        row(cells.rows.at(1), columns, "r");
        out_ << " \\\\\n\\hline\\endhead\n";
        for (std::size_t r = cells.first_constraint_row; r < cells.first_footer_row(); ++r) {
            row(cells.rows[r], columns, "r");
            out_ << " \\\\\n\\hline\n";
        }
        for (std::size_t r = cells.first_footer_row(); r < cells.rows.size(); ++r) {
            row(cells.rows[r], columns, "l");
            out_ << " \\\\\n";
        }
        out_ << "\\hline\n\\end{longtable}}\n";
    }

    // The cells of a row joined by "&"; a spanning label aligned as `span_align` says.
    void row(const std::vector<TableCell>& cells, const std::vector<std::uint32_t>& columns,
             std::string_view span_align) {
        const std::vector<const TableCell*> shown = cells_in(cells, columns);
        for (std::size_t k = 0; k < shown.size(); ++k) {
            const TableCell& cell = *shown[k];
            out_ << (k == 0 ? "" : " & ");
            if (cell.span > 1) {
                out_ << "\\multicolumn{" << cell.span << "}{|" << span_align << "|}{" << label(cell) << "}";
            } else {
                out_ << (cell.label() ? marked_label(cell) : number_cell(cell));
            }
        }
    }

    // A label, its symbol as math.
    static std::string label(const TableCell& cell) {
        const std::string_view text = cell.text;
        if (cell.symbol.empty()) return latex_text(text);
        return latex_text(text.substr(0, text.size() - cell.symbol.size())) + "$" + std::string(cell.symbol) + "$";
    }

    // A label of the key column or row shaded, with its arrow.
    static std::string marked_label(const TableCell& cell) {
        if (key_mark(cell).empty()) return label(cell);
        return (cell.key_column ? "\\cellcolor{qtbkey}$\\downarrow$\\," : "\\cellcolor{qtbkey}$\\rightarrow$\\,") +
               label(cell);
    }

    // A number of the key column or row shaded (the basic variable's cost is not), the key element boxed.
    static std::string number_cell(const TableCell& cell) {
        std::string text = number(cell.text);
        if (text.empty()) return text;
        if (cell.key) return "\\cellcolor{qtbpivot}\\fbox{" + text + "}";
        if ((cell.key_column || cell.key_row) && cell.kind != CellKind::basis_cost) return "\\cellcolor{qtbkey}" + text;
        return text;
    }

    std::ostream& out_;
};

}  // namespace

std::unique_ptr<ReportSink> make_latex_sink(std::ostream& out) {
    return make_document_sink(std::make_unique<LatexMarkup>(out));
}

std::unique_ptr<DocumentMarkup> make_latex_markup(std::ostream& out) { return std::make_unique<LatexMarkup>(out); }

std::vector<std::string_view> latex_preamble_needs(std::string_view latex) {
    std::vector<std::string_view> lines;
    for (const PreambleLine& line : kPreamble) {
        if (calls_for(line, latex)) lines.push_back(line.text);
    }
    return lines;
}

std::string latex_table_fragment(const TableSnapshot& table) {
    const std::string latex = document_table_fragment<LatexMarkup>(table);
    std::string note = "% Нужно в преамбуле:\n";
    for (const std::string_view line : latex_preamble_needs(latex)) note.append("% ").append(line).push_back('\n');
    return note + latex;
}
