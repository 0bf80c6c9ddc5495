#include "solver/report/table_cells.h"

#include <algorithm>

#include "problem/valid_utf8.h"
#include "solver/report/document_sink.h"

TableCells table_cells(const TableSnapshot& t) {
    TableCells cells;
    cells.columns = t.n + 3;
    const bool pivot = t.key_column != 0 && t.key_row != 0;
    const auto number = [&](const SnapshotNumber& x, std::uint32_t i, std::uint32_t j) {
        TableCell cell{snapshot_number_text(x, t.precision)};
        cell.key_column = pivot && j != 0 && j == t.key_column;
        cell.key_row = pivot && i != 0 && i == t.key_row;
        cell.key = cell.key_column && cell.key_row;
        return cell;
    };
    const auto label = [](std::string text, std::uint32_t span = 1) {
        TableCell cell{std::move(text)};
        cell.label = true;
        cell.span = span;
        return cell;
    };

    std::vector<TableCell> costs{label("c_j", 3), {}, {}};
    for (std::uint32_t j = 1; j <= t.n; ++j) costs.push_back(number(t.costs[j], 0, j));
    cells.rows.push_back(std::move(costs));

    std::vector<TableCell> headings{label("C баз"), label("Имя"), label("X баз")};
    for (std::uint32_t j = 1; j <= t.n; ++j) {
        TableCell heading = label(t.names[j]);
        heading.key_column = pivot && j == t.key_column;
        headings.push_back(std::move(heading));
    }
    cells.rows.push_back(std::move(headings));

    for (std::uint32_t i = 1; i <= t.m; ++i) {
        std::vector<TableCell> row{number(t.basic_cost(i), i, 0), label(t.basic_name(i))};
        row[1].key_row = pivot && i == t.key_row;
        for (std::uint32_t j = 0; j <= t.n; ++j) row.push_back(number(t.element(i, j), i, j));
        cells.rows.push_back(std::move(row));
    }

    std::vector<TableCell> m_parts{label(std::string(kEstimatesMLabel), 2), {}};
    std::vector<TableCell> plain_parts{label(std::string(kEstimatesPlainLabel), 2), {}};
    for (std::uint32_t j = 0; j <= t.n; ++j) {
        TableCell m_part = number(t.m_parts[j], 0, j);
        if (t.m_parts[j].value == 0.0) m_part.text.clear();
        m_parts.push_back(std::move(m_part));
        plain_parts.push_back(number(t.plain_parts[j], 0, j));
    }
    cells.rows.push_back(std::move(m_parts));
    cells.rows.push_back(std::move(plain_parts));
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
            line += row[k].label ? cell + pad : pad + cell;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        text += line + "\n";
    }
    return text + document_closing_line(table) + "\n";
}
