// The report as one LaTeX document for pdflatex: UTF-8 input, Cyrillic in the
// T2A font encoding. Each table is a longtable (it breaks across pages); wide
// tables are split into parts of kDocumentColumnsPerPart variable columns, each with
// the basis columns again. The key column and row are shaded and marked with
// arrows, the key element boxed.

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "problem/cp1251.h"
#include "solver/report/document_sink.h"
#include "solver/report/output_marker.h"
#include "solver/report/report_sinks.h"

namespace {

constexpr std::string_view kDocumentClass = "\\documentclass[a4paper,10pt]{article}\n";
// After the document class and the marker line.
constexpr std::string_view kPreamble = R"(\usepackage[T2A]{fontenc}
\usepackage[utf8]{inputenc}
\usepackage[russian]{babel}
\usepackage[margin=15mm]{geometry}
\usepackage{amsmath}
\usepackage{longtable}
\usepackage[table]{xcolor}
\definecolor{qtbkey}{gray}{0.88}
\definecolor{qtbpivot}{gray}{0.75}
\setlength{\tabcolsep}{4pt}
\renewcommand{\arraystretch}{1.25}
\setlength{\parindent}{0pt}
\setlength{\LTleft}{0pt}
\setlength{\LTpre}{2pt}
\setlength{\LTright}{\fill}
\begin{document}
)";

// A character beyond ASCII as LaTeX: the symbols the documents write, in math;
// the characters of Windows-1251 as they are (utf8 inputenc and T2A have them
// all); any other "?", as pdflatex has no glyph for it.
std::string non_ascii(char32_t code_point, const std::string& utf8) {
    switch (code_point) {
        case U'∞':
            return "\\ensuremath{\\infty}";
        case U'≤':
            return "\\ensuremath{\\leq}";
        case U'≥':
            return "\\ensuremath{\\geq}";
        case U'≠':
            return "\\ensuremath{\\neq}";
        case U'−':
            return "\\ensuremath{-}";
        case U'→':
            return "\\ensuremath{\\rightarrow}";
        case U'↓':
            return "\\ensuremath{\\downarrow}";
        default:
            return cp1251::encode_code_point(code_point) ? utf8 : "?";
    }
}

// Text of users' files and of the program as LaTeX text.
std::string escape(const std::string& utf8) {
    const std::string clean = without_controls(utf8);
    std::string text;
    for (std::size_t pos = 0; pos < clean.size();) {
        const char c = clean[pos];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const std::size_t from = pos;
            const std::optional<char32_t> code_point = cp1251::next_code_point(clean, pos);
            if (code_point) {
                text += non_ascii(*code_point, clean.substr(from, pos - from));
            } else {
                text += '?';
                ++pos;
            }
            continue;
        }
        ++pos;
        // A signed infinity (a range's end) as one math term.
        if ((c == '-' || c == '+') && clean.compare(pos, std::string_view("∞").size(), "∞") == 0) {
            text += c == '-' ? "\\ensuremath{-\\infty}" : "\\ensuremath{+\\infty}";
            pos += std::string_view("∞").size();
            continue;
        }
        switch (c) {
            case '\\':
                text += "\\textbackslash{}";
                break;
            case '{':
                text += "\\{";
                break;
            case '}':
                text += "\\}";
                break;
            case '&':
                text += "\\&";
                break;
            case '%':
                text += "\\%";
                break;
            case '$':
                text += "\\$";
                break;
            case '#':
                text += "\\#";
                break;
            case '_':
                text += "\\_";
                break;
            case '~':
                text += "\\textasciitilde{}";
                break;
            case '^':
                text += "\\textasciicircum{}";
                break;
            case '<':
                text += "\\textless{}";
                break;
            case '>':
                text += "\\textgreater{}";
                break;
            case '|':
                text += "\\textbar{}";
                break;
            case '"':
                text += "\\symbol{34}";
                break;  // babel's russian makes " a shorthand
            case '-':
                text += "-{}";
                break;  // no en dash out of "--"
            case '\t':
                text += ' ';
                break;
            default:
                text += c;
        }
    }
    return text;
}

// A number of the table in math mode: "M", fractions as \frac, else as written.
std::string number(const std::string& text) {
    if (text.empty()) return {};
    const bool negative = text.front() == '-';
    const std::string magnitude = negative ? text.substr(1) : text;
    if (magnitude.find_first_not_of("0123456789./M") != std::string::npos) return escape(text);
    const std::string sign = negative ? "-" : "";
    const auto slash = magnitude.find('/');
    if (slash == std::string::npos) return "$" + sign + magnitude + "$";
    return "$" + sign + "\\frac{" + magnitude.substr(0, slash) + "}{" + magnitude.substr(slash + 1) + "}$";
}

class LatexMarkup final : public DocumentMarkup {
public:
    explicit LatexMarkup(std::ostream& out) : out_(out) {}

    void open(const std::string& title) override {
        out_ << kDocumentClass << "% " << kOutputMarker << '\n' << kPreamble;
        out_ << "\\section*{" << escape(title) << "}\n\n";
    }
    void heading(const std::string& text) override { out_ << "\\subsection*{" << escape(text) << "}\n\n"; }

    void lines(const std::vector<std::string>& texts) override {
        for (const std::string& line : texts) out_ << escape(line) << "\\par\n";
        out_ << "\\medskip\n\n";
    }

    void preformatted(const std::vector<std::string>& texts) override {
        out_ << "{\\ttfamily\\small\n";
        for (const std::string& line : texts) {
            // \mbox{} keeps the leading blanks; each blank a control space of the fixed-width font.
            out_ << "\\mbox{}";
            for (const char c : escape(line)) {
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
        for (const TableColumnPart& part : document_column_parts(t, title)) table_part(t, part);
        out_ << escape(closing) << "\\par\\bigskip\n\n";
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

    void close() override { out_ << "\\end{document}\n"; }

private:
    void row_of(const std::vector<std::string>& cells) {
        for (std::size_t k = 0; k < cells.size(); ++k) out_ << (k == 0 ? "" : " & ") << escape(cells[k]);
        out_ << " \\\\\n";
    }

    // One cell of the key column or row shaded; the key element boxed.
    std::string cell(const TableSnapshot& t, const SnapshotNumber& x, std::uint32_t i, std::uint32_t j) const {
        std::string text = number(snapshot_number_text(x, t.precision));
        const bool key_column = j != 0 && j == t.key_column && t.key_row != 0;
        const bool key_row = i != 0 && i == t.key_row && t.key_column != 0;
        if (key_column && key_row) return "\\cellcolor{qtbpivot}\\fbox{" + text + "}";
        if (key_column || key_row) return "\\cellcolor{qtbkey}" + text;
        return text;
    }

    void table_part(const TableSnapshot& t, const TableColumnPart& part) {
        const std::uint32_t first = part.first;
        const std::uint32_t last = part.last;
        const std::string& title = part.title;
        const std::uint32_t count = last >= first ? last - first + 1 : 0;
        std::string columns = "|r|l|r|";
        for (std::uint32_t k = 0; k < count; ++k) columns += "r|";
        // The title above the table: in a cell over the first columns it would widen them.
        out_ << "\\textbf{" << escape(title) << "}\\par\\nopagebreak\n";
        out_ << "{\\small\n\\begin{longtable}{" << columns << "}\n\\hline\n";
        out_ << "\\multicolumn{3}{|r|}{$c_j$}";
        for (std::uint32_t j = first; j <= last; ++j) out_ << " & " << cell(t, t.costs[j], 0, j);
        out_ << " \\\\\n\\hline\nC баз & Имя & X баз";
        for (std::uint32_t j = first; j <= last; ++j) {
            const bool key = j == t.key_column && t.key_row != 0;
            out_ << " & " << (key ? "\\cellcolor{qtbkey}$\\downarrow$\\," : "") << escape(t.names[j]);
        }
        out_ << " \\\\\n\\hline\\endhead\n";
        for (std::uint32_t i = 1; i <= t.m; ++i) {
            const bool key = i == t.key_row && t.key_column != 0;
            out_ << number(snapshot_number_text(t.basic_cost(i), t.precision)) << " & "
                 << (key ? "\\cellcolor{qtbkey}$\\rightarrow$\\," : "") << escape(t.basic_name(i)) << " & "
                 << cell(t, t.element(i, 0), i, 0);
            for (std::uint32_t j = first; j <= last; ++j) out_ << " & " << cell(t, t.element(i, j), i, j);
            out_ << " \\\\\n\\hline\n";
        }
        out_ << "\\multicolumn{2}{|l|}{оценки: при $M$}";
        for (const std::uint32_t j : document_part_columns(part)) {
            const SnapshotNumber& x = t.m_parts[j];
            out_ << " & " << (x.value == 0.0 ? std::string() : cell(t, x, 0, j));
        }
        out_ << " \\\\\n\\multicolumn{2}{|l|}{оценки: числа}";
        for (const std::uint32_t j : document_part_columns(part)) out_ << " & " << cell(t, t.plain_parts[j], 0, j);
        out_ << " \\\\\n\\hline\n\\end{longtable}}\n";
    }

    std::ostream& out_;
};

}  // namespace

std::unique_ptr<ReportSink> make_latex_sink(std::ostream& out) {
    return make_document_sink(std::make_unique<LatexMarkup>(out));
}

std::string latex_table_fragment(const TableSnapshot& table) {
    std::ostringstream out;
    LatexMarkup(out).table(table, document_table_title(table), document_closing_line(table));
    return std::move(out).str();
}
