#include "cli/sensitivity_text.h"

#include <string>

#include "cli/result_printer.h"
#include "solver/report/sensitivity_tables.h"

namespace cli {

void write_sensitivity_table(std::ostream& out, const SensitivityReport& report) {
    out << "Анализ чувствительности (по последней таблице):\n";
    for (const DocumentSection& section : sensitivity_sections(report)) {
        for (const std::string& line : section_text_lines(section)) out << line << '\n';
    }
}

}  // namespace cli
