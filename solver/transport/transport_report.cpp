#include "solver/transport/transport_report.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "solver/report/markup_escapes.h"
#include "solver/report/output_marker.h"

namespace transport {
namespace {

constexpr std::string_view kTheta = "θ";

std::size_t letters(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

std::string padded_left(const std::string& text, std::size_t width) {
    const std::size_t have = letters(text);
    return have >= width ? text : std::string(width - have, ' ') + text;
}

std::string padded_right(const std::string& text, std::size_t width) {
    const std::size_t have = letters(text);
    return have >= width ? text : text + std::string(width - have, ' ');
}

std::string bottom_text(const GridCell& cell) {
    return cell.sign != 0 ? std::string(1, cell.sign) + cell.bottom : cell.bottom;
}

// The grid as lines of text: two lines a row, a rule between rows.
std::vector<std::string> grid_lines(const PlanGrid& grid, std::size_t least_width) {
    std::vector<std::size_t> widths;
    for (const auto& row : grid.rows) {
        widths.resize(std::max(widths.size(), row.size()), least_width);
        for (std::size_t k = 0; k < row.size(); ++k) {
            widths[k] = std::max({widths[k], letters(row[k].top) + 1, letters(bottom_text(row[k])) + 1});
        }
    }
    std::string rule = "+";
    for (const std::size_t w : widths) rule += std::string(w + 1, '-') + "+";
    std::vector<std::string> lines{rule};
    for (const auto& row : grid.rows) {
        std::string top = "|";
        std::string bottom = "|";
        bool has_bottom = false;
        for (std::size_t k = 0; k < row.size(); ++k) {
            const GridCell& cell = row[k];
            const bool name = cell.kind == GridCell::Kind::heading && k == 0;
            top += (name ? padded_right(" " + cell.top, widths[k] + 1) : padded_left(cell.top, widths[k]) + " ") + "|";
            bottom += padded_left(bottom_text(cell), widths[k]) + " |";
            has_bottom = has_bottom || !cell.bottom.empty();
        }
        lines.push_back(top);
        if (has_bottom) lines.push_back(bottom);
        lines.push_back(rule);
    }
    return lines;
}

std::string text_report(const TransportDocument& document, TextEncoding encoding, std::size_t width) {
    std::vector<std::string> lines{document.title, ""};
    for (const DocumentBlock& block : document.blocks) {
        if (!block.heading.empty()) lines.push_back(block.heading);
        lines.insert(lines.end(), block.lines.begin(), block.lines.end());
        for (const PlanGrid& grid : block.grid) {
            const auto drawn = grid_lines(grid, width);
            lines.insert(lines.end(), drawn.begin(), drawn.end());
        }
        lines.insert(lines.end(), block.after.begin(), block.after.end());
        lines.emplace_back();
    }
    std::string out;
    for (std::string& line : lines) {
        if (encoding == TextEncoding::cp1251) {
            // Windows-1251 has no Greek letters: θ is spelled out.
            for (std::size_t at = line.find(kTheta); at != std::string::npos; at = line.find(kTheta, at)) {
                line.replace(at, kTheta.size(), "тета");
            }
            out += cp1251::from_utf8(line).value_or(std::string(line.size(), '?'));
            out += "\r\n";
        } else {
            out += line;
            out += '\n';
        }
    }
    return out;
}

// LaTeX text with θ in math.
std::string latex_line(std::string_view utf8) {
    std::string out;
    for (std::size_t from = 0;;) {
        const std::size_t at = utf8.find(kTheta, from);
        out += latex_text(utf8.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) return out;
        out += "$\\theta$";
        from = at + kTheta.size();
    }
}

std::string latex_cell(const GridCell& cell) {
    std::string text;
    if (cell.kind == GridCell::Kind::route) {
        if (cell.entering) {
            text += "\\cellcolor{qtbpivot}";
        } else if (cell.sign != 0) {
            text += "\\cellcolor{qtbkey}";
        }
        std::string bottom = latex_line(cell.bottom);
        if (cell.basic) bottom = "\\textbf{" + bottom + "}";
        const std::string sign = cell.sign == '+' ? "$+$\\," : cell.sign == '-' ? "$-$\\," : "";
        text += "\\begin{tabular}{@{}r@{}}" + latex_line(cell.top) + "\\\\" + sign + bottom + "\\end{tabular}";
        return text;
    }
    return latex_line(cell.top);
}

std::string latex_report(const TransportDocument& document) {
    std::string out = "\\documentclass[a4paper,10pt]{article}\n% " + std::string(kOutputMarker) +
                      "\n\\usepackage[T2A]{fontenc}\n\\usepackage[utf8]{inputenc}\n\\usepackage[russian]{babel}\n"
                      "\\usepackage[margin=15mm]{geometry}\n\\usepackage{longtable}\n\\usepackage[table]{xcolor}\n"
                      "\\definecolor{qtbkey}{gray}{0.88}\n\\definecolor{qtbpivot}{gray}{0.72}\n"
                      "\\setlength{\\parindent}{0pt}\n\\begin{document}\n\\section*{" +
                      latex_line(document.title) + "}\n";
    for (const DocumentBlock& block : document.blocks) {
        if (!block.heading.empty()) out += "\\subsection*{" + latex_line(block.heading) + "}\n";
        for (const std::string& line : block.lines) out += latex_line(line) + "\\par\n";
        for (const PlanGrid& grid : block.grid) {
            const std::size_t columns = grid.rows.front().size();
            out += "\\begin{longtable}{|l|" + std::string(columns - 1, 'r') + "|}\n\\hline\n";
            for (const auto& row : grid.rows) {
                for (std::size_t k = 0; k < row.size(); ++k) out += (k == 0 ? "" : " & ") + latex_cell(row[k]);
                out += " \\\\ \\hline\n";
            }
            out += "\\end{longtable}\n";
        }
        for (const std::string& line : block.after) out += latex_line(line) + "\\par\n";
        out += "\\medskip\n";
    }
    out += "\\end{document}\n";
    return out;
}

std::string html_cell(const GridCell& cell) {
    if (cell.kind == GridCell::Kind::heading) return "<th>" + html_text(cell.top) + "</th>";
    if (cell.kind == GridCell::Kind::edge) return "<td class=\"edge\">" + html_text(cell.top) + "</td>";
    std::string classes = cell.basic ? "basic" : "free";
    if (cell.forbidden) classes += " forbidden";
    if (cell.sign == '+') classes += " plus";
    if (cell.sign == '-') classes += " minus";
    if (cell.entering) classes += " entering";
    const std::string sign = cell.sign != 0 ? "<span class=\"sign\">" + std::string(1, cell.sign) + "</span> " : "";
    return "<td class=\"" + classes + "\"><div class=\"cost\">" + html_text(cell.top) + "</div><div class=\"amount\">" +
           sign + html_text(cell.bottom) + "</div></td>";
}

constexpr std::string_view kHtmlStyle =
    R"(body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 1.5em; color: #111; }
table { border-collapse: collapse; margin: 0.4em 0; font-variant-numeric: tabular-nums; }
th, td { border: 1px solid #888; padding: 0.15em 0.5em; text-align: right; white-space: nowrap; }
th { text-align: center; background: #f2f2f2; }
td .cost { font-size: 0.8em; color: #555; }
td.basic .amount { font-weight: bold; }
td.plus, td.minus { background: #fde7b0; }
td.entering { background: #f4b942; outline: 2px solid #b00; outline-offset: -2px; }
.sign { color: #b00; font-weight: bold; }
@media print { td.plus, td.minus, td.entering { print-color-adjust: exact; -webkit-print-color-adjust: exact; } }
)";

std::string html_report(const TransportDocument& document) {
    std::string out = "<!DOCTYPE html>\n<!-- " + std::string(kOutputMarker) +
                      " -->\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                      html_text(document.title) + "</title>\n<style>\n" + std::string(kHtmlStyle) +
                      "</style>\n</head>\n<body>\n<h1>" + html_text(document.title) + "</h1>\n";
    for (const DocumentBlock& block : document.blocks) {
        if (!block.heading.empty()) out += "<h2>" + html_text(block.heading) + "</h2>\n";
        for (const std::string& line : block.lines) out += "<p>" + html_text(line) + "</p>\n";
        for (const PlanGrid& grid : block.grid) {
            out += "<table>\n";
            for (const auto& row : grid.rows) {
                out += "<tr>";
                for (const GridCell& cell : row) out += html_cell(cell);
                out += "</tr>\n";
            }
            out += "</table>\n";
        }
        for (const std::string& line : block.after) out += "<p>" + html_text(line) + "</p>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}

}  // namespace

std::string report_bytes(const TransportDocument& document, ReportForm form, TextEncoding encoding,
                         std::int32_t width) {
    switch (form) {
        case ReportForm::latex:
            return latex_report(document);
        case ReportForm::html:
            return html_report(document);
        case ReportForm::text:
            break;
    }
    return text_report(document, encoding, static_cast<std::size_t>(std::max(width, 1)));
}

}  // namespace transport
