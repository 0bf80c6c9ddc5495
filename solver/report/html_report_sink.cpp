// The report as one self-contained HTML page: UTF-8, its style inside, no
// script. The key column and row are shaded and marked with arrows, the key
// element framed; on paper the shading is kept and tables do not split. A wide
// table is shown in parts of kDocumentColumnsPerPart variable columns, each with
// the basis columns again, so that every column is on an A4 or Letter page.

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "solver/report/document_sink.h"
#include "solver/report/markup_escapes.h"
#include "solver/report/output_marker.h"
#include "solver/report/report_sinks.h"
#include "solver/report/table_cells.h"

namespace {

constexpr std::string_view kStyle =
    R"(body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 1.5em; color: #111; }
h1 { font-size: 1.5em; } h2 { font-size: 1.2em; margin-top: 1.5em; } h3 { font-size: 1em; margin: 0.4em 0; }
pre { background: #f6f6f6; padding: 0.5em; overflow-x: auto; }
.scroll { overflow-x: auto; }
table { border-collapse: collapse; margin: 0.3em 0; font-variant-numeric: tabular-nums; }
th, td { border: 1px solid #888; padding: 0.15em 0.5em; }
td { text-align: right; white-space: nowrap; }
td.name, th { text-align: center; }
tr.costs td, tr.costs th { border-top: 2px solid #444; }
tr.title th { text-align: center; }
tbody tr:last-child td, tr.m-part td, tr.m-part th { border-bottom: 2px solid #444; }
.key-col, .key-row { background: #fde7b0; }
td.key { background: #f4b942; outline: 2px solid #b00; outline-offset: -2px; font-weight: bold; }
.closing { margin: 0.2em 0 1.2em; }
@page { margin: 12mm; }
@media print {
  body { margin: 0; font-size: 9pt; }
  .scroll, pre { overflow: visible; }
  div.table { break-inside: avoid; }
  .key-col, .key-row, td.key { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
}
)";

class HtmlMarkup final : public DocumentMarkup {
public:
    explicit HtmlMarkup(std::ostream& out) : out_(out) {}

    void open(const std::string& title) override {
        out_ << "<!DOCTYPE html>\n<!-- " << kOutputMarker << " -->\n"
             << "<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>" << html_text(title)
             << "</title>\n<style>\n"
             << kStyle << "</style>\n</head>\n<body>\n<h1>" << html_text(title) << "</h1>\n";
    }
    void heading(const std::string& text) override { out_ << "<h2>" << html_text(text) << "</h2>\n"; }

    void lines(const std::vector<std::string>& texts) override {
        if (texts.empty()) return;
        out_ << "<p>";
        for (std::size_t k = 0; k < texts.size(); ++k) out_ << (k == 0 ? "" : "<br>\n") << html_text(texts[k]);
        out_ << "</p>\n";
    }

    void preformatted(const std::vector<std::string>& texts) override {
        out_ << "<pre>";
        for (const std::string& line : texts) out_ << html_text(line) << '\n';
        out_ << "</pre>\n";
    }

    void table(const TableSnapshot& t, const std::string& title, const std::string& closing) override {
        out_ << "<div class=\"table\">\n";
        const TableCells cells = table_cells(t);
        for (const TableColumnPart& part : document_column_parts(t, title)) table_part(cells, part);
        out_ << "<p class=\"closing\">" << html_text(closing) << "</p>\n</div>\n";
    }

    void section(const DocumentSection& section) override {
        heading(section.title);
        if (!section.header.empty()) {
            out_ << "<div class=\"scroll\">\n<table>\n<thead><tr>";
            for (const std::string& text : section.header) out_ << "<th>" << html_text(text) << "</th>";
            out_ << "</tr></thead>\n<tbody>\n";
            for (const auto& row : section.rows) {
                out_ << "<tr>";
                for (const std::string& text : row) out_ << "<td>" << html_text(text) << "</td>";
                out_ << "</tr>\n";
            }
            out_ << "</tbody>\n</table>\n</div>\n";
        }
        lines(section.lines);
    }

    // Its style of its own: the page's style stays that of every report.
    void new_page() override {
        out_ << "<hr style=\"break-after: page; margin: 2em 0; border: 0; border-top: 1px dashed #888\">\n";
    }

    // Nested lists: a deeper entry opens a list inside the item before it.
    void outline(const std::vector<ReportPart::Entry>& entries) override {
        std::uint32_t open = 0;  // lists open
        for (const ReportPart::Entry& entry : entries) {
            const std::uint32_t depth = std::min(entry.depth, open);  // never deeper than one below its parent
            if (open == depth) {
                out_ << "<ul>\n";
                ++open;
            } else {
                out_ << "</li>\n";
                for (; open > depth + 1; --open) out_ << "</ul>\n</li>\n";
            }
            out_ << "<li>" << html_text(entry.text);
        }
        if (open == 0) return;
        out_ << "</li>\n";
        for (; open > 1; --open) out_ << "</ul>\n</li>\n";
        out_ << "</ul>\n";
    }

    void close() override { out_ << "</body>\n</html>\n"; }

private:
    // The columns part.first..part.last with the basis columns and the values; the
    // table's title stands where the others write "c_j".
    void table_part(const TableCells& cells, const TableColumnPart& part) {
        const std::vector<std::uint32_t> columns = grid_columns(part.first, part.last);
        out_ << "<div class=\"scroll\">\n<table>\n<thead>\n<tr class=\"costs\"><th colspan=\"3\">"
             << html_text(part.title) << "</th>";
        row(cells.rows.front(), columns, 1);
        out_ << "</tr>\n<tr>";
        row(cells.rows.at(1), columns);
        out_ << "</tr>\n</thead>\n<tbody>\n";
        for (std::size_t r = cells.first_constraint_row; r < cells.first_footer_row(); ++r) {
            const std::vector<TableCell>& cells_of_row = cells.rows[r];
            out_ << (cells_of_row.at(1).key_row ? "<tr class=\"key-row\">" : "<tr>");
            row(cells_of_row, columns);
            out_ << "</tr>\n";
        }
        out_ << "</tbody>\n<tfoot>\n";
        // A big-M table's M line is marked; a table without M has one row of estimates.
        const bool m_line = cells.estimate_rows == 2;
        for (std::size_t r = cells.first_footer_row(); r < cells.rows.size(); ++r) {
            out_ << (m_line && r == cells.first_footer_row() ? "<tr class=\"m-part\">" : "<tr>");
            row(cells.rows[r], columns);
            out_ << "</tr>\n";
        }
        out_ << "</tfoot>\n</table>\n</div>\n";
    }

    // The cells of a row from its cell `from` on. A number's cell is "key" for the key
    // element, "key-col" in the rest of its column (the key row is shaded whole).
    void row(const std::vector<TableCell>& cells, const std::vector<std::uint32_t>& columns, std::size_t from = 0) {
        const std::vector<const TableCell*> shown = cells_in(cells, columns);
        for (std::size_t k = from; k < shown.size(); ++k) {
            const TableCell& cell = *shown[k];
            const std::string text = std::string(key_mark(cell)) + html_text(cell.text);
            switch (cell.kind) {
                case CellKind::heading:
                    out_ << (cell.span > 1 ? "<th colspan=\"" + std::to_string(cell.span) + "\">"
                                           : std::string(cell.key_column ? "<th class=\"key-col\">" : "<th>"))
                         << text << "</th>";
                    break;
                case CellKind::basis_name:
                    out_ << "<td class=\"name\">" << text << "</td>";
                    break;
                case CellKind::number:
                case CellKind::basis_cost:
                    out_ << (cell.key          ? "<td class=\"key\">"
                             : cell.key_column ? "<td class=\"key-col\">"
                                               : "<td>")
                         << text << "</td>";
                    break;
            }
        }
    }

    std::ostream& out_;
};

}  // namespace

std::unique_ptr<ReportSink> make_html_sink(std::ostream& out) {
    return make_document_sink(std::make_unique<HtmlMarkup>(out));
}

std::unique_ptr<DocumentMarkup> make_html_markup(std::ostream& out) { return std::make_unique<HtmlMarkup>(out); }

std::string html_table_fragment(const TableSnapshot& table) {
    return document_table_fragment<HtmlMarkup>(table, "<style>\n" + std::string(kStyle) + "</style>\n");
}
