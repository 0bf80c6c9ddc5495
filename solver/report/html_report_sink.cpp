// The report as one self-contained HTML page: UTF-8, its style inside, no
// script. The key column and row are shaded and marked with arrows, the key
// element framed; on paper the shading is kept and tables do not split. A wide
// table is shown in parts of kDocumentColumnsPerPart variable columns, each with
// the basis columns again, so that every column is on an A4 or Letter page.

#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "solver/report/document_sink.h"
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

std::string escape(const std::string& utf8) {
    std::string text;
    for (const char c : without_controls(utf8)) {
        switch (c) {
            case '&':
                text += "&amp;";
                break;
            case '<':
                text += "&lt;";
                break;
            case '>':
                text += "&gt;";
                break;
            case '"':
                text += "&quot;";
                break;
            case '\'':
                text += "&#39;";
                break;
            default:
                text += c;
        }
    }
    return text;
}

class HtmlMarkup final : public DocumentMarkup {
public:
    explicit HtmlMarkup(std::ostream& out) : out_(out) {}

    void open(const std::string& title) override {
        out_ << "<!DOCTYPE html>\n<!-- " << kOutputMarker << " -->\n"
             << "<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>" << escape(title)
             << "</title>\n<style>\n"
             << kStyle << "</style>\n</head>\n<body>\n<h1>" << escape(title) << "</h1>\n";
    }
    void heading(const std::string& text) override { out_ << "<h2>" << escape(text) << "</h2>\n"; }

    void lines(const std::vector<std::string>& texts) override {
        if (texts.empty()) return;
        out_ << "<p>";
        for (std::size_t k = 0; k < texts.size(); ++k) out_ << (k == 0 ? "" : "<br>\n") << escape(texts[k]);
        out_ << "</p>\n";
    }

    void preformatted(const std::vector<std::string>& texts) override {
        out_ << "<pre>";
        for (const std::string& line : texts) out_ << escape(line) << '\n';
        out_ << "</pre>\n";
    }

    void table(const TableSnapshot& t, const std::string& title, const std::string& closing) override {
        out_ << "<div class=\"table\">\n";
        for (const TableColumnPart& part : document_column_parts(t, title)) table_part(t, part);
        out_ << "<p class=\"closing\">" << escape(closing) << "</p>\n</div>\n";
    }

    void section(const DocumentSection& section) override {
        heading(section.title);
        if (!section.header.empty()) {
            out_ << "<div class=\"scroll\">\n<table>\n<thead><tr>";
            for (const std::string& text : section.header) out_ << "<th>" << escape(text) << "</th>";
            out_ << "</tr></thead>\n<tbody>\n";
            for (const auto& row : section.rows) {
                out_ << "<tr>";
                for (const std::string& text : row) out_ << "<td>" << escape(text) << "</td>";
                out_ << "</tr>\n";
            }
            out_ << "</tbody>\n</table>\n</div>\n";
        }
        lines(section.lines);
    }

    void close() override { out_ << "</body>\n</html>\n"; }

private:
    // The columns part.first..part.last with the basis columns and the values.
    void table_part(const TableSnapshot& t, const TableColumnPart& part) {
        const std::vector<std::uint32_t> columns = document_part_columns(part);
        out_ << "<div class=\"scroll\">\n<table>\n<thead>\n<tr class=\"costs\"><th colspan=\"3\">" << escape(part.title)
             << "</th>";
        for (std::uint32_t j = part.first; j <= part.last; ++j) out_ << cell(t, t.costs[j], 0, j);
        out_ << "</tr>\n<tr><th>C баз</th><th>Имя</th><th>X баз</th>";
        for (std::uint32_t j = part.first; j <= part.last; ++j) {
            const bool key = j == t.key_column && t.key_row != 0;
            out_ << (key ? "<th class=\"key-col\">↓ " : "<th>") << escape(t.names[j]) << "</th>";
        }
        out_ << "</tr>\n</thead>\n<tbody>\n";
        for (std::uint32_t i = 1; i <= t.m; ++i) {
            const bool key = i == t.key_row && t.key_column != 0;
            out_ << (key ? "<tr class=\"key-row\">" : "<tr>") << "<td>"
                 << escape(snapshot_number_text(t.basic_cost(i), t.precision)) << "</td><td class=\"name\">"
                 << (key ? "→ " : "") << escape(t.basic_name(i)) << "</td>";
            for (const std::uint32_t j : columns) out_ << cell(t, t.element(i, j), i, j);
            out_ << "</tr>\n";
        }
        out_ << "</tbody>\n<tfoot>\n<tr class=\"m-part\"><th colspan=\"2\">" << kEstimatesMLabel << "</th>";
        for (const std::uint32_t j : columns) {
            if (t.m_parts[j].value == 0.0) {
                out_ << (key_column(t, j) ? "<td class=\"key-col\"></td>" : "<td></td>");
            } else {
                out_ << cell(t, t.m_parts[j], 0, j);
            }
        }
        out_ << "</tr>\n<tr><th colspan=\"2\">" << kEstimatesPlainLabel << "</th>";
        for (const std::uint32_t j : columns) out_ << cell(t, t.plain_parts[j], 0, j);
        out_ << "</tr>\n</tfoot>\n</table>\n</div>\n";
    }

    static bool key_column(const TableSnapshot& t, std::uint32_t j) {
        return j != 0 && j == t.key_column && t.key_row != 0;
    }

    // A number cell; the key element's cell is "key", the rest of its column and row shaded.
    static std::string cell(const TableSnapshot& t, const SnapshotNumber& x, std::uint32_t i, std::uint32_t j) {
        const bool in_key_row = i != 0 && i == t.key_row && t.key_column != 0;
        const char* open = "<td>";
        if (key_column(t, j) && in_key_row) {
            open = "<td class=\"key\">";
        } else if (key_column(t, j)) {
            open = "<td class=\"key-col\">";
        }
        return open + escape(snapshot_number_text(x, t.precision)) + "</td>";
    }

    std::ostream& out_;
};

}  // namespace

std::unique_ptr<ReportSink> make_html_sink(std::ostream& out) {
    return make_document_sink(std::make_unique<HtmlMarkup>(out));
}

std::string html_table_fragment(const TableSnapshot& table) {
    std::ostringstream out;
    out << "<style>\n" << kStyle << "</style>\n";
    HtmlMarkup(out).table(table, document_table_title(table), document_closing_line(table));
    return std::move(out).str();
}
