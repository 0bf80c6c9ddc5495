#include "solver/check/written_tables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <iterator>

#include "problem/cp1251.h"
#include "problem/valid_utf8.h"

namespace {

constexpr std::size_t kMaxNumberText = 200;  // a longer "number" is a slip of the keyboard, not a number

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool all_digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number's text with a typographic minus as "-" and no "+".
std::string plain_signs(std::string_view text) {
    std::string out(text);
    constexpr std::string_view kMinus = "\u2212";
    if (out.starts_with(kMinus)) out.replace(0, kMinus.size(), "-");
    if (out.starts_with('+')) out.erase(0, 1);
    return out;
}

template <std::size_t N>
bool one_of(std::string_view word, const std::array<std::string_view, N>& words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

constexpr std::array<std::string_view, 8> kTableWords{"Таблица", "таблица", "ТАБЛИЦА",  "Table",
                                                      "table",   "TABLE",   "Итерация", "итерация"};
constexpr std::array<std::string_view, 6> kVariantWords{"Вариант", "вариант", "ВАРИАНТ",
                                                        "Variant", "variant", "VARIANT"};
constexpr std::array<std::string_view, 6> kMWords{"M", "М", "строка", "Строка", "M:", "М:"};
constexpr std::array<std::string_view, 8> kPlainWords{
    "оценки", "Оценки", "оценки:", "Оценки:", "оценок", "Δ", "estimates", "Δ:"};
// Lines of a report or of an answer that carry numbers but no table row.
constexpr std::array<std::string_view, 7> kOtherWords{
    "ключевой", "Ключевой", "получено", "Задача:", "задача:", "Ответ:", "ответ:"};

std::vector<std::string_view> words_of(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t k = 0;
    const auto separator = [](char c) { return c == ' ' || c == '\t' || c == ';' || c == '\r'; };
    while (k < line.size()) {
        while (k < line.size() && separator(line[k])) ++k;
        const std::size_t start = k;
        while (k < line.size() && !separator(line[k])) ++k;
        if (k > start) words.push_back(line.substr(start, k - start));
    }
    return words;
}

// The cells between the bars of a line of the ruled grid, trimmed.
std::vector<std::string_view> cells_of(std::string_view line) {
    std::vector<std::string_view> cells;
    std::size_t start = line.find('|') + 1;
    while (start <= line.size()) {
        const std::size_t bar = line.find('|', start);
        if (bar == std::string_view::npos) {
            if (!trimmed(line.substr(start)).empty()) cells.push_back(trimmed(line.substr(start)));
            break;
        }
        cells.push_back(trimmed(line.substr(start, bar - start)));
        start = bar + 1;
    }
    return cells;
}

std::string without_blanks(std::string_view text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char c) { return c != ' '; });
    return out;
}

std::string utf8_text(std::string_view bytes) {
    if (valid_utf8(bytes) != bytes) return cp1251::to_utf8(bytes);
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
    return std::string(bytes);
}

std::vector<WrittenNumber> numbers_of(const std::vector<std::string_view>& texts, std::size_t first) {
    std::vector<WrittenNumber> numbers;
    for (std::size_t k = first; k < texts.size(); ++k) numbers.push_back(read_written_number(texts[k]));
    return numbers;
}

// Builds the tables line by line.
class TablesBuilder {
public:
    void title(std::size_t line) {
        if (current_ == nullptr || !empty(*current_)) start(line);
    }
    void row(std::size_t line, std::string_view name, std::vector<WrittenNumber> cells) {
        if (current_ == nullptr || current_->m_parts || current_->plain_parts) start(line);
        count(cells.size());
        current_->rows.push_back({std::string(name), std::move(cells), line});
    }
    void m_parts(std::size_t line, std::vector<WrittenNumber> cells) {
        if (current_ == nullptr || current_->m_parts || current_->plain_parts) start(line);
        count(cells.size());
        current_->m_parts = std::move(cells);
    }
    void plain_parts(std::size_t line, std::vector<WrittenNumber> cells) {
        if (current_ == nullptr || current_->plain_parts) start(line);
        count(cells.size());
        current_->plain_parts = std::move(cells);
    }
    WrittenTables& tables() { return tables_; }

private:
    static bool empty(const WrittenTable& table) { return table.rows.empty() && !table.m_parts && !table.plain_parts; }
    void start(std::size_t line) {
        if (tables_.tables.size() == kMaxWrittenTables) throw WrittenTablesError("в файле слишком много таблиц");
        tables_.tables.push_back({});
        current_ = &tables_.tables.back();
        current_->line = line;
        cells_ = 0;
    }
    void count(std::size_t cells) {
        cells_ += cells;
        if (cells_ > kMaxWrittenCells) throw WrittenTablesError("в таблице файла слишком много чисел");
    }

    WrittenTables tables_;
    WrittenTable* current_ = nullptr;
    std::size_t cells_ = 0;
};

// "Вариант: 7", "Variant 7", "Вариант:7".
std::optional<unsigned> variant_of(const std::vector<std::string_view>& words) {
    if (words.empty()) return std::nullopt;
    std::string_view head = words[0];
    std::string_view number = words.size() > 1 ? words[1] : std::string_view{};
    if (const auto colon = head.find(':'); colon != std::string_view::npos) {
        if (number.empty()) number = head.substr(colon + 1);
        head = head.substr(0, colon);
    }
    if (!one_of(head, kVariantWords) || !all_digits(number) || number.size() > 6) return std::nullopt;
    unsigned value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

// A line of the ruled grid of a report: a row of a basic variable or a line of estimates.
void read_grid_line(TablesBuilder& builder, std::size_t line, std::string_view text) {
    const std::vector<std::string_view> cells = cells_of(text);
    if (cells.empty()) return;
    if (std::find_if(cells.begin(), cells.end(),
                     [](std::string_view c) { return c == "Имя" || c == "C баз" || c == "С баз"; }) != cells.end())
        return;  // the headings
    const std::string label = without_blanks(cells[0]);
    if (label == "строка") {
        builder.m_parts(line, numbers_of(cells, 1));
    } else if (label == "оценок" || label == "оценки") {
        builder.plain_parts(line, numbers_of(cells, 1));
    } else if (cells.size() >= 2) {
        builder.row(line, cells[1], numbers_of(cells, 2));  // the cost of the basic variable is not checked
    }
}

// A line of the plain form.
void read_plain_line(TablesBuilder& builder, std::size_t line, const std::vector<std::string_view>& words) {
    if (words.empty() || words[0].starts_with('#') || one_of(words[0], kOtherWords)) return;
    if (one_of(words[0], kTableWords)) {
        builder.title(line);
        return;
    }
    if (one_of(words[0], kMWords)) {
        builder.m_parts(line, numbers_of(words, 1));
        return;
    }
    if (one_of(words[0], kPlainWords)) {
        builder.plain_parts(line, numbers_of(words, 1));
        return;
    }
    if (words.size() < 2 || read_written_number(words[0]).value) return;
    std::vector<WrittenNumber> cells = numbers_of(words, 1);
    if (std::none_of(cells.begin(), cells.end(), [](const WrittenNumber& x) { return x.value.has_value(); })) return;
    std::string_view name = words[0];
    if (name.size() > 1 && name.ends_with(':')) name.remove_suffix(1);
    builder.row(line, name, std::move(cells));
}

}  // namespace

bool WrittenNumber::stands_for(const mpq_class& x) const {
    if (!value) return false;
    if (decimals < 0) return *value == x;
    mpz_class unit;
    mpz_ui_pow_ui(unit.get_mpz_t(), 10, static_cast<unsigned long>(decimals));
    const mpq_class half_unit(1, 2 * unit);
    return abs(*value - x) <= half_unit;
}

WrittenNumber read_written_number(std::string_view text) {
    WrittenNumber number;
    text = trimmed(text);
    number.text = std::string(text);
    if (text.empty()) {
        number.value = 0;
        return number;
    }
    if (text.size() > kMaxNumberText) return number;
    std::string digits = plain_signs(text);
    const bool negative = digits.starts_with('-');
    const std::string_view body = std::string_view(digits).substr(negative ? 1 : 0);
    if (const auto slash = body.find('/'); slash != std::string_view::npos) {
        const std::string_view p = body.substr(0, slash);
        const std::string_view q = body.substr(slash + 1);
        if (!all_digits(p) || !all_digits(q) || q.find_first_not_of('0') == std::string_view::npos) return number;
        mpq_class x{mpz_class(std::string(p), 10), mpz_class(std::string(q), 10)};
        x.canonicalize();
        number.value = negative ? mpq_class(-x) : x;
        return number;
    }
    const auto point = body.find_first_of(".,");
    const std::string_view whole = body.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : body.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || (!whole.empty() && !all_digits(whole)) ||
        (!fraction.empty() && !all_digits(fraction)))
        return number;
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, fraction.size());
    mpq_class x{mpz_class(std::string(whole.empty() ? "0" : whole) + std::string(fraction), 10), scale};
    x.canonicalize();
    number.value = negative ? mpq_class(-x) : x;
    if (point != std::string_view::npos) number.decimals = static_cast<int>(fraction.size());
    return number;
}

WrittenTables read_written_tables(std::string_view bytes) {
    if (bytes.size() > kMaxWrittenTablesBytes) throw WrittenTablesError("файл таблиц больше 4 МиБ");
    const std::string text = utf8_text(bytes);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(std::string_view(text).substr(start, end - start));
        start = end + 1;
    }
    // A copy of a report is read by its grid alone: its other lines (the problem's name, the key
    // column and row, an answer) are no rows of a table.
    const bool grid =
        std::any_of(lines.begin(), lines.end(), [](std::string_view l) { return trimmed(l).starts_with('|'); });
    TablesBuilder builder;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::size_t line = k + 1;
        const std::string_view text_line = trimmed(lines[k]);
        const std::vector<std::string_view> words = words_of(text_line);
        if (const auto variant = variant_of(words)) {
            if (!builder.tables().variant) builder.tables().variant = variant;
            continue;
        }
        if (text_line.find("исходная таблица") != std::string_view::npos ||
            text_line.find("Итерация:") != std::string_view::npos) {
            builder.title(line);
        } else if (grid) {
            if (text_line.starts_with('|')) read_grid_line(builder, line, text_line);
        } else {
            read_plain_line(builder, line, words);
        }
    }
    return std::move(builder.tables());
}

WrittenTables read_written_tables_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw WrittenTablesError("не удалось открыть файл " + path);
    std::string bytes;
    std::array<char, 65536> block{};
    while (in.read(block.data(), block.size()) || in.gcount() > 0) {
        bytes.append(block.data(), static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxWrittenTablesBytes) throw WrittenTablesError("файл таблиц больше 4 МиБ");
    }
    if (in.bad()) throw WrittenTablesError("не удалось прочитать файл " + path);
    return read_written_tables(bytes);
}
