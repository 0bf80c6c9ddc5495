#include "solver/report/table_cells.h"

#include <algorithm>

#include "problem/valid_utf8.h"
#include "solver/report/choice_sentences.h"
#include "solver/report/document_sink.h"

namespace {

TableCell label_cell(std::string_view text, CellKind kind = CellKind::heading, std::uint32_t span = 1) {
    TableCell cell;
    cell.text = text;
    cell.kind = kind;
    cell.span = span;
    return cell;
}

TableCell label_cell(const TableLabel& label, std::uint32_t span) {
    TableCell cell = label_cell(label.text, CellKind::heading, span);
    cell.symbol = label.symbol;
    return cell;
}

}  // namespace

std::string_view key_mark(const TableCell& cell) {
    if (!cell.label()) return {};
    if (cell.key_column) return "↓ ";
    if (cell.key_row) return "→ ";
    return {};
}

TableCells table_cells(const TableSnapshot& t) {
    TableCells cells;
    cells.columns = t.n + 3;
    cells.constraint_count = t.m;
    const bool pivot = t.key_column != 0 && t.key_row != 0;
    const auto in_key_column = [&](std::uint32_t j) { return pivot && j != 0 && j == t.key_column; };
    const auto in_key_row = [&](std::uint32_t i) { return pivot && i != 0 && i == t.key_row; };
    const auto number = [&](const SnapshotNumber& x, std::uint32_t i, std::uint32_t j) {
        TableCell cell;
        cell.text = snapshot_number_text(x, t.precision);
        cell.key_column = in_key_column(j);
        cell.key_row = in_key_row(i);
        cell.key = cell.key_column && cell.key_row;
        return cell;
    };

    std::vector<TableCell> costs{label_cell(kCostsLabel, 3), {}, {}};
    for (std::uint32_t j = 1; j <= t.n; ++j) costs.push_back(number(t.costs[j], 0, j));
    cells.rows.push_back(std::move(costs));

    std::vector<TableCell> headings{label_cell(kBasisCostHeading.view()), label_cell(kBasisNameHeading.view()),
                                    label_cell(kBasisValueHeading.view())};
    for (std::uint32_t j = 1; j <= t.n; ++j) {
        TableCell heading = label_cell(t.names[j]);
        heading.key_column = in_key_column(j);
        headings.push_back(std::move(heading));
    }
    cells.rows.push_back(std::move(headings));

    for (std::uint32_t i = 1; i <= t.m; ++i) {
        std::vector<TableCell> row{number(t.basic_cost(i), i, 0), label_cell(t.basic_name(i), CellKind::basis_name)};
        row[0].kind = CellKind::basis_cost;
        row[1].key_row = in_key_row(i);
        for (std::uint32_t j = 0; j <= t.n; ++j) row.push_back(number(t.element(i, j), i, j));
        cells.rows.push_back(std::move(row));
    }

    if (t.look.single_estimate_row) {
        std::vector<TableCell> estimates{label_cell(t.look.phase == 1 ? kPhaseOneEstimatesLabel : kEstimatesLabel, 2),
                                         {}};
        for (std::uint32_t j = 0; j <= t.n; ++j) estimates.push_back(number(t.plain_parts[j], 0, j));
        cells.rows.push_back(std::move(estimates));
        cells.estimate_rows = 1;
    } else {
        std::vector<TableCell> m_parts{label_cell(kEstimatesMLabel, 2), {}};
        std::vector<TableCell> plain_parts{label_cell(kEstimatesPlainLabel, 2), {}};
        for (std::uint32_t j = 0; j <= t.n; ++j) {
            TableCell m_part = number(t.m_parts[j], 0, j);
            if (t.m_parts[j].value == 0.0) m_part.text.clear();
            m_parts.push_back(std::move(m_part));
            plain_parts.push_back(number(t.plain_parts[j], 0, j));
        }
        cells.rows.push_back(std::move(m_parts));
        cells.rows.push_back(std::move(plain_parts));
    }
    if (!t.look.ratio_cells.empty()) {
        std::vector<TableCell> ratios{label_cell(kRatiosLabel, 2), {}};
        for (std::uint32_t j = 0; j <= t.n; ++j) {
            TableCell ratio;
            if (j < t.look.ratio_cells.size()) ratio.text = t.look.ratio_cells[j];
            ratio.key_column = in_key_column(j);
            ratios.push_back(std::move(ratio));
        }
        cells.rows.push_back(std::move(ratios));
    }
    if (has_ratio_column(t.look)) {
        // A column of its own beside the constraint rows, blank above and below them.
        cells.ratio_column = cells.columns++;
        for (std::size_t r = 0; r < cells.rows.size(); ++r) {
            TableCell cell;
            if (r + 1 == cells.first_constraint_row) {
                cell = label_cell(kRatioColumnHeading.view());
            } else if (r >= cells.first_constraint_row && r < cells.first_footer_row()) {
                const auto i = static_cast<std::uint32_t>(r - cells.first_constraint_row + 1);
                cell.text = ratio_column_text(t.look, i);
                cell.key_row = in_key_row(i);
            }
            cells.rows[r].push_back(std::move(cell));
        }
    }
    return cells;
}

std::string phase_title(const TableLook& look) {
    if (look.phase == 1) return "Фаза I";
    if (look.phase == 2) return "Фаза II";
    return {};
}

std::string phase_end_text(const TableLook& look) {
    std::string text = "фаза I окончена: w = 0, переход к фазе II";
    if (look.redundant_rows.empty()) return text;
    text += look.redundant_rows.size() == 1 ? "; избыточная строка удалена: " : "; избыточные строки удалены: ";
    for (std::size_t k = 0; k < look.redundant_rows.size(); ++k) {
        if (k != 0) text += ", ";
        text += std::to_string(look.redundant_rows[k]);
    }
    return text;
}

std::vector<std::uint32_t> grid_columns(std::uint32_t first, std::uint32_t last) {
    std::vector<std::uint32_t> columns{0, 1, 2};
    for (std::uint32_t j = first; j <= last; ++j) columns.push_back(j + 2);
    return columns;
}

std::vector<std::uint32_t> grid_columns(const TableCells& cells, std::uint32_t first, std::uint32_t last) {
    std::vector<std::uint32_t> columns = grid_columns(first, last);
    if (cells.ratio_column != 0 && last + 3 == cells.ratio_column) columns.push_back(cells.ratio_column);
    return columns;
}

std::vector<const TableCell*> cells_in(const std::vector<TableCell>& row, const std::vector<std::uint32_t>& columns) {
    std::vector<const TableCell*> cells;
    std::uint32_t covered_to = 0;  // columns below it belong to the last spanning cell
    for (const std::uint32_t k : columns) {
        if (k < covered_to) continue;
        const TableCell& cell = row.at(k);
        cells.push_back(&cell);
        covered_to = k + cell.span;
    }
    return cells;
}

std::string table_text_grid(const TableSnapshot& table) {
    const TableCells cells = table_cells(table);
    const auto shown = [](const TableCell& cell) { return cell.key ? "[" + cell.text + "]" : cell.text; };
    std::vector<std::size_t> widths(cells.columns, 0);
    for (const auto& row : cells.rows) {
        for (std::uint32_t k = 0; k < cells.columns; ++k) {
            if (row[k].span == 1) widths[k] = std::max(widths[k], utf8_width(shown(row[k])));
        }
    }
    // The width of the cell at column k, with the gaps of the columns it spans.
    const auto spanned_width = [&widths](std::uint32_t k, std::uint32_t span) {
        std::size_t width = std::size_t{span - 1} * 2;
        for (std::uint32_t s = 0; s < span; ++s) width += widths[k + s];
        return width;
    };
    // A spanning label wider than its columns widens the last of them.
    for (const auto& row : cells.rows) {
        for (std::uint32_t k = 0; k < cells.columns; k += row[k].span) {
            const std::size_t width = spanned_width(k, row[k].span);
            const std::size_t need = utf8_width(shown(row[k]));
            if (need > width) widths[k + row[k].span - 1] += need - width;
        }
    }
    std::string text = document_table_title(table) + "\n";
    for (const auto& row : cells.rows) {
        std::string line;
        for (std::uint32_t k = 0; k < cells.columns; k += row[k].span) {
            const std::size_t width = spanned_width(k, row[k].span);
            const std::string cell = shown(row[k]);
            const std::string pad(width - std::min(width, utf8_width(cell)), ' ');
            if (k != 0) line += "  ";
            line += row[k].label() ? cell + pad : pad + cell;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        text += line + "\n";
    }
    text += document_closing_line(table) + "\n";
    for (const std::string& line : choice_sentences(table.look, table.names, table.basis)) text += line + "\n";
    return text;
}
