#include "cli/sensitivity_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <vector>

#include "cli/result_printer.h"
#include "solver/sensitivity_tables.h"

namespace cli {
namespace {

// Characters, not bytes, so that Cyrillic headings line up.
std::size_t display_width(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

using Table = std::vector<std::vector<std::string>>;

// The first column left-aligned, the numbers right-aligned.
void write_table(std::ostream& out, const Table& table) {
    std::vector<std::size_t> widths;
    for (const auto& line : table) {
        widths.resize(std::max(widths.size(), line.size()), 0);
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], display_width(line[c]));
    }
    for (const auto& line : table) {
        std::string text = " ";
        for (std::size_t c = 0; c < line.size(); ++c) {
            const std::string padding(widths[c] - display_width(line[c]), ' ');
            text += "  ";
            text += c == 0 ? line[c] + padding : padding + line[c];
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out << text << '\n';
    }
}

}  // namespace

void write_sensitivity_table(std::ostream& out, const SensitivityReport& report) {
    out << "Анализ чувствительности (по последней таблице):\n";
    for (const DocumentSection& section : sensitivity_sections(report)) {
        Table table{section.header};
        table.insert(table.end(), section.rows.begin(), section.rows.end());
        write_table(out, table);
        for (const std::string& line : section.lines) out << line << '\n';
    }
}

}  // namespace cli
