#include "solver/check/table_check.h"

#include <algorithm>
#include <utility>

#include "numerics/exact_number.h"
#include "problem/record_columns.h"
#include "solver/check/table_step.h"

namespace {

constexpr std::string_view kNameColumn = "Имя";
constexpr std::string_view kValueColumn = "X баз";
constexpr std::string_view kMRow = "строка";
constexpr std::string_view kPlainRow = "о ц е н о к";
constexpr std::string_view kTable = "таблица";

class TableComparison {
public:
    TableComparison(std::size_t table, const std::vector<std::string>& names) : table_(table), names_(names) {}

    // Every cell of `written` that does not stand for its cell of `right`.
    std::vector<CheckError> differences(const WrittenTable& written, const ExactTable& right) const {
        std::vector<CheckError> errors;
        const std::size_t rows = std::max<std::size_t>(written.rows.size(), right.m);
        for (std::uint32_t i = 1; i <= rows; ++i) {
            if (i > right.m) {
                const WrittenRow& extra = written.rows[i - 1];
                errors.push_back(name_error(i, extra.name, {}, extra.name));
                continue;
            }
            const std::string& name = names_.at(right.basis.at(i));
            if (i > written.rows.size()) {
                errors.push_back(name_error(i, name, name, {}));
                continue;
            }
            const WrittenRow& row = written.rows[i - 1];
            if (row.name != name) errors.push_back(name_error(i, name, name, row.name));
            compare_numbers(
                errors, CellPart::element, i, name, row.cells,
                [&](std::uint32_t j) -> const mpq_class& { return right.element(i, j); }, right.n);
        }
        const std::vector<WrittenNumber> zeros(std::size_t{right.n} + 1, read_written_number("0"));
        compare_numbers(
            errors, CellPart::m_part, 0, std::string(kMRow), written.m_parts.value_or(zeros),
            [&](std::uint32_t j) -> const mpq_class& { return right.m_parts.at(j); }, right.n);
        if (!written.plain_parts) {
            errors.push_back(
                {table_, CellPart::plain_part, 0, 0, std::string(kPlainRow), {}, std::string(kPlainRow), {}});
        } else {
            compare_numbers(
                errors, CellPart::plain_part, 0, std::string(kPlainRow), *written.plain_parts,
                [&](std::uint32_t j) -> const mpq_class& { return right.plain_parts.at(j); }, right.n);
        }
        return errors;
    }

    // The names of the basis where `written` differs from `right`: a pivot chosen at another place.
    std::vector<CheckError> basis_differences(const WrittenTable& written, const ExactTable& right) const {
        std::vector<CheckError> errors;
        for (std::uint32_t i = 1; i <= right.m && i <= written.rows.size(); ++i) {
            const std::string& name = names_.at(right.basis.at(i));
            if (written.rows[i - 1].name != name) errors.push_back(name_error(i, name, name, written.rows[i - 1].name));
        }
        return errors;
    }

private:
    CheckError name_error(std::uint32_t i, const std::string& row, std::optional<std::string> expected,
                          std::optional<std::string> found) const {
        return {table_,          CellPart::basis_name, i, 0, row, std::string(kNameColumn), std::move(expected),
                std::move(found)};
    }

    std::string column_name(std::uint32_t j) const {
        return j == 0 ? std::string(kValueColumn) : j < names_.size() ? names_[j] : "x" + std::to_string(j);
    }

    template <class Right>
    void compare_numbers(std::vector<CheckError>& errors, CellPart part, std::uint32_t i, const std::string& row,
                         const std::vector<WrittenNumber>& cells, const Right& right, std::uint32_t n) const {
        const std::size_t columns = std::max<std::size_t>(cells.size(), std::size_t{n} + 1);
        for (std::uint32_t j = 0; j < columns; ++j) {
            CheckError error{table_, part, i, j, row, column_name(j), {}, {}};
            if (j > n) {
                error.found = cells[j].text;
            } else if (j >= cells.size()) {
                error.expected = fraction_text(right(j));
            } else if (!cells[j].stands_for(right(j))) {
                error.expected = fraction_text(right(j));
                error.found = cells[j].text;
            } else {
                continue;
            }
            errors.push_back(std::move(error));
        }
    }

    std::size_t table_;
    const std::vector<std::string>& names_;
};

// The written table as exact numbers, when it is a whole table of the problem with known names.
std::optional<ExactTable> exact_of(const WrittenTable& written, const std::vector<std::string>& names, std::uint32_t m,
                                   std::uint32_t n) {
    if (written.rows.size() != m || !written.plain_parts) return std::nullopt;
    ExactTable table;
    table.m = m;
    table.n = n;
    table.basis.assign(std::size_t{m} + 1, 0);
    const auto take = [n](std::vector<mpq_class>& out, const std::vector<WrittenNumber>& cells) {
        if (cells.size() != std::size_t{n} + 1) return false;
        for (const WrittenNumber& x : cells) {
            if (!x.value) return false;
            out.push_back(*x.value);
        }
        return true;
    };
    for (std::uint32_t i = 1; i <= m; ++i) {
        const WrittenRow& row = written.rows[i - 1];
        const auto named = std::find(names.begin() + 1, names.end(), row.name);
        if (named == names.end()) return std::nullopt;
        table.basis[i] = static_cast<std::uint32_t>(named - names.begin());
        if (!take(table.elements, row.cells)) return std::nullopt;
    }
    if (written.m_parts) {
        if (!take(table.m_parts, *written.m_parts)) return std::nullopt;
    } else {
        table.m_parts.assign(std::size_t{n} + 1, 0);
    }
    if (!take(table.plain_parts, *written.plain_parts)) return std::nullopt;
    return table;
}

// The pivot a person made between two tables, told by the one basic variable that changed.
std::optional<std::pair<std::uint32_t, std::uint32_t>> pivot_made(const ExactTable& before, const ExactTable& after) {
    std::optional<std::pair<std::uint32_t, std::uint32_t>> made;
    for (std::uint32_t i = 1; i <= before.m; ++i) {
        if (before.basis[i] == after.basis[i]) continue;
        if (made) return std::nullopt;
        made = std::pair{after.basis[i], i};
    }
    if (made && std::find(before.basis.begin() + 1, before.basis.end(), made->first) != before.basis.end())
        return std::nullopt;
    return made;
}

struct Candidate {
    ExactTable table;
    std::vector<CheckError> errors;
};

}  // namespace

CheckVerdict CheckResult::verdict() const {
    const bool wrong = std::any_of(errors.begin(), errors.end(), [](const CheckError& e) {
        return e.part != CellPart::table || !e.expected || e.found;
    });
    if (wrong) return CheckVerdict::wrong;
    return errors.empty() ? CheckVerdict::correct : CheckVerdict::unfinished;
}

CheckResult check_tables(const SimplexIteration& problem, PivotRule rule, const RunTables& run,
                         const WrittenTables& written) {
    const std::vector<std::string> names = utf8_variable_names(problem);
    const std::uint32_t m = problem.constraint_count();
    const std::uint32_t n = problem.variable_count();
    CheckResult result;
    result.tables_checked = written.tables.size();
    result.run_tables = run.tables.size();
    std::optional<ExactTable> previous;  // the last table written, as exact numbers (or its right table)
    for (std::size_t k = 0; k < written.tables.size(); ++k) {
        const WrittenTable& table = written.tables[k];
        const TableComparison compare(k, names);
        std::vector<Candidate> candidates;
        if (k < run.tables.size()) candidates.push_back({run.tables[k], {}});
        std::optional<ExactTable> next;
        if (k > 0 && previous) next = next_table(problem, *previous, rule);
        const std::optional<ExactTable> written_exact = exact_of(table, names, m, n);
        if (next) {
            candidates.push_back({*next, {}});
            const auto made = written_exact ? pivot_made(*previous, *written_exact) : std::nullopt;
            if (made) {
                if (auto other = pivoted(problem, *previous, made->first, made->second)) {
                    candidates.push_back({std::move(*other), compare.basis_differences(table, *next)});
                }
            }
        }
        if (candidates.empty()) {
            result.errors.push_back({k, CellPart::table, 0, 0, {}, {}, {}, std::string(kTable)});
            result.right.emplace_back();
            previous = written_exact;
            continue;
        }
        for (Candidate& c : candidates) {
            std::vector<CheckError> cells = compare.differences(table, c.table);
            c.errors.insert(c.errors.end(), std::make_move_iterator(cells.begin()),
                            std::make_move_iterator(cells.end()));
        }
        // The fewest faults; on a tie the run's table, then the method's step.
        const auto best =
            std::min_element(candidates.begin(), candidates.end(),
                             [](const Candidate& a, const Candidate& b) { return a.errors.size() < b.errors.size(); });
        result.errors.insert(result.errors.end(), std::make_move_iterator(best->errors.begin()),
                             std::make_move_iterator(best->errors.end()));
        previous = written_exact ? written_exact : std::optional<ExactTable>(best->table);
        result.right.emplace_back(std::move(best->table));
    }
    const bool finished = !written.tables.empty() && (written.tables.size() >= run.tables.size() || !previous ||
                                                      !next_table(problem, *previous, rule));
    if (!finished) {
        result.errors.push_back({written.tables.size(), CellPart::table, 0, 0, {}, {}, std::string(kTable), {}});
    }
    return result;
}

std::string check_error_text(const CheckError& error) {
    std::string text = "таблица " + std::to_string(error.table);
    if (error.part == CellPart::table) {
        return text + (error.expected ? ": её нет в файле (дальше таблицы не проверены)"
                                      : ": лишняя, метод на предыдущей уже остановился");
    }
    if (error.row) text += ", строка " + *error.row;
    if (error.column) text += ", столбец " + *error.column;
    if (!error.found) return text + ": пропущено, должно быть " + error.expected.value_or("");
    if (!error.expected) return text + ": лишнее число " + *error.found;
    return text + ": должно быть " + *error.expected + ", записано " + (error.found->empty() ? "пусто" : *error.found);
}
