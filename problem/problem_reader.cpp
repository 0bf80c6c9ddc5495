// The reader of problem files: the constructor of SimplexIteration from a file name.

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "problem/cp1251.h"
#include "problem/open_failure_texts.h"
#include "problem/print_rules.h"
#include "problem/problem_file_encoding.h"
#include "problem/problem_file_faults.h"
#include "problem/reader_text.h"
#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"
#include "problem/text_input.h"
#include "problem/wide_text_encoding.h"

namespace {

constexpr unsigned kMaxConstraints = 300;
constexpr unsigned kMaxVariables = 500;
// "Name:" reads at most this many characters: the separator, the name and the line feed.
constexpr std::size_t kNameLineLimit = 80;

// No problem file comes near this size (a full 300 x 500 table is a few megabytes);
// the bound keeps a device such as /dev/zero from filling the memory.
constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

// The whole file, or nothing when it cannot be opened (a directory cannot) or is
// larger than any problem file; `error` then tells why, as errno does.
std::optional<std::string> read_file_bytes(const std::string& file_name, int& error_number) {
    // The name is a C string: whatever follows a NUL byte is not part of it.
    const std::filesystem::path path(file_name.c_str());
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        error_number = EISDIR;
        return std::nullopt;
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        error_number = errno != 0 ? errno : ENOENT;
        return std::nullopt;
    }
    std::string bytes;
    // A regular file is read in one piece into a string of its size; the loop below then
    // takes whatever else there is (a file that has grown since, a device).
    if (const std::uintmax_t size = std::filesystem::file_size(path, error); !error && size <= kMaxFileBytes) {
        bytes.resize(static_cast<std::size_t>(size));
        file.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(file.gcount()));
    }
    std::array<char, 1 << 16> chunk;
    while (file.read(chunk.data(), chunk.size()) || file.gcount() > 0) {
        bytes.append(chunk.data(), static_cast<std::size_t>(file.gcount()));
        if (bytes.size() > kMaxFileBytes) {
            error_number = EFBIG;
            return std::nullopt;
        }
    }
    return bytes;
}

// The bytes of a problem file; code 1 when they cannot be had, with the file and the reason as a hint.
std::string file_bytes_or_throw(const std::string& file_name) {
    int error = 0;
    std::optional<std::string> bytes = read_file_bytes(file_name, error);
    if (!bytes) {
        SimplexIteration::bad_simplex codes;
        codes.add(kCannotOpenProblemFile);
        codes.hints.push_back({0, open_failure_text("файл задачи", file_name.substr(0, file_name.find('\0')), error)});
        throw codes;
    }
    return std::move(*bytes);
}

// One pass over the text of a problem file that fills a record. Every read goes
// through one stream, so a read that fails leaves the stream failed and the
// keyword loop ends at its next word.
class ProblemReader {
public:
    ProblemReader(SimplexIteration& record, std::string text) : record_(record), text_(std::move(text)) {}
    ProblemReader(SimplexIteration& record, TextInput::Borrowed text) : record_(record), text_(text) {}

    // Reads the keywords, runs the end checks and throws the codes found, if any.
    void read();
    // The line of each code held, 0 for a code that belongs to no line (the end checks).
    const std::array<std::uint32_t, SimplexIteration::bad_simplex::kCapacity>& lines() const { return codes_.lines; }

private:
    using Handler = void (ProblemReader::*)();
    struct Keyword {
        std::string_view english;
        std::string_view russian;
        Handler handler;
    };
    static const std::array<Keyword, 15> kKeywords;

    static const Keyword* find_keyword(std::string_view word);

    void read_size();
    void read_base();
    void set_only_data_table() { record_.only_data_table = true; }
    void set_only_optimal_table() { record_.only_optimal_table = true; }
    void set_no_table() { record_.no_table = true; }
    void read_accuracy();
    void read_print_interval();
    void read_stop();
    // Two numbers of one keyword, each stored as soon as it is read; `code` once when either
    // cannot be read or the pair is not accepted.
    void read_number_pair(std::int32_t& first, std::int32_t& second, int code,
                          bool (*accepts)(std::int32_t, std::int32_t) noexcept);
    void read_var_names();
    void read_integer_columns();
    void read_matrix();
    void read_aim();
    void read_name();
    void read_report_file();
    void skip_format() {}

    void make_table();
    void read_cost_row();
    void read_constraint_rows();
    static std::optional<double> cost_value(const std::string& word);

    // A word just read, as the file writes it: names keep their commas, which numbers read as points.
    std::string as_written(const std::string& word) const {
        return text_.original(text_.position() - word.size(), word.size());
    }

    void note_hint(const std::string& word);

    void run_end_checks();
    void find_basis();

    // Records a code with the line the reading has got to; the line is counted only for a code
    // that is kept, so a file full of faults is not counted through again and again.
    void note(int code) { note_at(code, true); }
    void note_without_line(int code) { note_at(code, false); }
    void note_at(int code, bool with_line) {
        const bool kept = codes_.count < SimplexIteration::bad_simplex::kCapacity;
        codes_.add(code, kept && with_line ? text_.line_of_position() : 0);
    }

    // Records a code that the reading cannot go on from and throws the list.
    [[noreturn]] void fail_now(int code) {
        note(code);
        throw codes_;
    }

    unsigned constraint_count() const { return rows_; }
    unsigned variable_count() const { return columns_; }

    SimplexIteration& record_;
    TextInput text_;
    std::istream& in_ = text_.stream();
    SimplexIteration::bad_simplex codes_;
    bool size_set_ = false;
    // The size read last. Its table of zeros is made when a matrix or the end checks
    // need it, not by "Size:" itself: a file that repeats "Size: 300 500" would
    // otherwise zero a table of over a megabyte for every 14 bytes it holds.
    unsigned rows_ = 0;
    unsigned columns_ = 0;
    bool table_made_ = false;
    bool loop_ended_ = false;  // set by "Matrix:" before a size
};

const std::array<ProblemReader::Keyword, 15> ProblemReader::kKeywords = {{
    {"Size:", "Размерность:"_cp1251, &ProblemReader::read_size},
    {"Base:", "База:"_cp1251, &ProblemReader::read_base},
    {"OnlyDataTable", "Только_Исх_Табл"_cp1251, &ProblemReader::set_only_data_table},
    {"OnlyOptimalTable", "Только_Опт_Табл"_cp1251, &ProblemReader::set_only_optimal_table},
    {"NoTable", "Без_Табл"_cp1251, &ProblemReader::set_no_table},
    {"Accuracy:", "Точность:"_cp1251, &ProblemReader::read_accuracy},
    {"Print:", "Печать:"_cp1251, &ProblemReader::read_print_interval},
    {"Stop:", "Стоп:"_cp1251, &ProblemReader::read_stop},
    {"Var_names:", "Переменные:"_cp1251, &ProblemReader::read_var_names},
    {"Matrix:", "Матрица:"_cp1251, &ProblemReader::read_matrix},
    {"Aim:", "Цель:"_cp1251, &ProblemReader::read_aim},
    {"Name:", "Имя:"_cp1251, &ProblemReader::read_name},
    {"File:", "Файл:"_cp1251, &ProblemReader::read_report_file},
    {"Format:", "Формат:"_cp1251, &ProblemReader::skip_format},
    {"Integer:", "Целые:"_cp1251, &ProblemReader::read_integer_columns},
}};

const ProblemReader::Keyword* ProblemReader::find_keyword(std::string_view word) {
    for (const Keyword& keyword : kKeywords) {
        if (reader_text::same_keyword(word, keyword.english) || reader_text::same_keyword(word, keyword.russian)) {
            return &keyword;
        }
    }
    return nullptr;
}

void ProblemReader::read() {
    if (const std::optional<std::string_view> encoding = wide_text_encoding(text_.text()))
        codes_.hints.push_back({0, wide_text_message(*encoding)});
    std::string word;
    while (!loop_ended_ && in_ >> word) {
        if (const Keyword* keyword = find_keyword(word)) {
            (this->*keyword->handler)();
        } else {
            note_hint(word);  // free text between the entries, unless it looks meant as a keyword
        }
    }
    run_end_checks();
    if (!codes_.empty()) throw codes_;
    record_.reading_hints = std::move(codes_.hints);  // a file that loads is told them as warnings
}

// A keyword without its colon ("Size 2 4"), or an unknown word with one ("Matrx:"), is skipped as
// free text; the hint names it with its line (a warning when the file loads, beside the codes when not).
void ProblemReader::note_hint(const std::string& word) {
    if (codes_.hints.size() >= SimplexIteration::bad_simplex::kHintCapacity) return;
    const std::string written = cp1251::to_utf8(as_written(word));
    std::string text;
    if (word.size() > 1 && word.back() == ':') {
        text = "«" + written + "» не ключевое слово, оно пропущено";
    } else if (find_keyword(word + ':') != nullptr) {
        text = "«" + written + "» без двоеточия не ключевое слово, оно пропущено; может быть, «" + written + ":»?";
    } else {
        return;
    }
    codes_.hints.push_back({text_.line_of_position(), std::move(text)});
}

void ProblemReader::read_size() {
    unsigned m = 0;
    unsigned n = 0;
    if (!(in_ >> m >> n) || m == 0 || n == 0 || m > kMaxConstraints || n > kMaxVariables) fail_now(kBadSize);
    if (m > n) {
        note(kMoreConstraintsThanVariables);  // the size stays as it was
        return;
    }
    rows_ = m;
    columns_ = n;
    table_made_ = false;
    // Names and integer columns belong to the size they were read for; the file must give them again.
    record_.var_names.reset();
    record_.integer_columns.clear();
    if (record_.base_vars > static_cast<int>(n)) {
        note(kBadBase);
        record_.base_vars = 0;
    }
    size_set_ = true;
}

void ProblemReader::read_base() {
    if (!size_set_) {
        note(kBaseBeforeSize);  // its number is then skipped as free text
        return;
    }
    unsigned k = 0;
    if (!(in_ >> k) || k < 1 || k > variable_count()) {
        note(kBadBase);
        return;
    }
    record_.base_vars = static_cast<int>(k);
}

// "Accuracy:", "Print:" and "Stop:" store each number as soon as it is read; a number
// that cannot be read leaves its field and the later ones as they were, records the
// keyword's code once and skips the consistency check.
void ProblemReader::read_number_pair(std::int32_t& first, std::int32_t& second, int code,
                                     bool (*accepts)(std::int32_t, std::int32_t) noexcept) {
    int a = 0;
    int b = 0;
    if (!(in_ >> a)) return note(code);
    first = a;
    if (!(in_ >> b)) return note(code);
    second = b;
    if (!accepts(a, b)) note(code);
}

void ProblemReader::read_accuracy() {
    read_number_pair(record_.width, record_.precision, kBadAccuracy, accepts_number_format);
}

void ProblemReader::read_print_interval() {
    read_number_pair(record_.print_from, record_.print_to, kBadPrintInterval, accepts_print_interval);
}

void ProblemReader::read_stop() {
    int limit = 0;
    if (!(in_ >> limit)) return note(kBadPrintInterval);
    record_.stop = limit;
}

void ProblemReader::read_var_names() {
    if (!size_set_) {
        note(kBaseBeforeSize);  // the words after it are read as free text
        return;
    }
    const unsigned n = variable_count();
    std::vector<std::string> names(n + 1);
    for (unsigned j = 1; j <= n; ++j) {
        // Names are not keywords; a file that ends early leaves the default names.
        if (!(in_ >> names[j])) {
            names[j] = std::string("x").append(std::to_string(j));
        } else {
            names[j] = as_written(names[j]);
        }
    }
    record_.var_names = std::move(names);
}

// "Integer: k j1 ... jk": how many columns must take integer values, then their numbers. A later
// "Integer:" replaces the earlier list; one that cannot be read leaves it as it was.
void ProblemReader::read_integer_columns() {
    if (!size_set_) {
        note(kBaseBeforeSize);  // its numbers are then read as free text
        return;
    }
    unsigned count = 0;
    if (!(in_ >> count) || count > variable_count()) return note(kBadIntegerColumns);
    std::vector<std::uint32_t> columns;
    columns.reserve(count);
    for (unsigned k = 0; k < count; ++k) {
        unsigned j = 0;
        if (!(in_ >> j) || j < 1 || j > variable_count()) return note(kBadIntegerColumns);
        columns.push_back(j);
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    record_.integer_columns = std::move(columns);
}

void ProblemReader::read_matrix() {
    if (!size_set_) {
        note(kMatrixBeforeSize);
        loop_ended_ = true;
        return;
    }
    make_table();
    read_cost_row();
    read_constraint_rows();
}

// The zero table of the size read last, with the arrays that go with it; a repeated
// "Matrix:" reads into the table it finds.
void ProblemReader::make_table() {
    if (table_made_) return;
    record_.table.resize(rows_ + 1, columns_ + 1);
    record_.estimates.resize(2, columns_ + 1);
    record_.basis.assign(rows_ + 1, 0);
    record_.col_widths = ColumnWidths(columns_);
    table_made_ = true;
}

// A cost row that ends early leaves its remaining words to the constraint rows.
void ProblemReader::read_cost_row() {
    const auto costs = record_.table.row(0);
    std::string word;
    for (unsigned j = 1; j <= variable_count(); ++j) {
        if (!(in_ >> word)) return note(kBadMatrixEntry);
        const std::optional<double> cost = cost_value(word);
        if (!cost) return note(kBadMatrixEntry);
        costs[j] = *cost;
    }
}

// M and -M stand for the big penalty; any other word is its leading decimal number,
// which must not be 0 unless the word begins with the digit 0.
std::optional<double> ProblemReader::cost_value(const std::string& word) {
    if (word[0] == 'M') return BIG_M;
    if (word.size() >= 2 && word[0] == '-' && word[1] == 'M') return -BIG_M;
    const std::optional<double> value = reader_text::decimal_prefix_value(word);
    if (!value || (*value == 0.0 && word[0] != '0')) return std::nullopt;
    return value;
}

// A number that cannot be read or a negative right-hand side ends its row: the next
// row starts with the next number. A failed read leaves the stream failed, so every
// later row records code 5 as well.
void ProblemReader::read_constraint_rows() {
    for (unsigned i = 1; i <= constraint_count(); ++i) {
        const auto row = record_.table.row(i);
        for (unsigned j = 0; j <= variable_count(); ++j) {
            double value = 0.0;
            if (!text_.read_double(value)) {
                note(kBadMatrixEntry);
                break;
            }
            row[j] = value;
            if (j == 0 && value < 0.0) {
                note(kNegativeRightHandSide);
                break;
            }
        }
    }
}

void ProblemReader::read_aim() {
    std::string word;
    if (!(in_ >> word)) return note(kBadAim);
    using reader_text::same_keyword;
    if (same_keyword(word, "max") || same_keyword(word, "максимум"_cp1251)) {
        record_.aim = 1;
    } else if (same_keyword(word, "min") || same_keyword(word, "минимум"_cp1251)) {
        record_.aim = 2;
    } else {
        note(kBadAim);
    }
}

// The name is the rest of the line after one separator character, at most 78 bytes:
// of the characters read (up to 80), the first, the ending line feed and, on a
// longer line, the 80th are not part of it. The rest of a longer line is free text.
void ProblemReader::read_name() {
    if (record_.name) {
        note(kNameRedefined);  // the rest of the line is then free text
        return;
    }
    std::string line;
    bool line_fed = false;
    char c = 0;
    const std::size_t start = text_.position();
    in_ >> std::noskipws;
    while (line.size() < kNameLineLimit && in_ >> c) {
        if (c == '\n') {
            line_fed = true;
            break;
        }
        line += c;
    }
    in_ >> std::skipws;
    if (!line_fed && line.size() == kNameLineLimit) line.pop_back();
    line = text_.original(start, line.size());
    record_.name = line.empty() ? std::string() : line.substr(1);
}

void ProblemReader::read_report_file() {
    std::string word;
    if (in_ >> word) record_.file = as_written(word);  // otherwise the earlier name stays
}

void ProblemReader::run_end_checks() {
    if (record_.aim == 0) note_without_line(kMissingAim);
    if (!record_.file) note_without_line(kMissingReportFile);
    if (!size_set_) {
        note_without_line(kBadSize);  // there is no table to check
        return;
    }
    make_table();
    record_.compute_col_widths();
    find_basis();
    record_.basis[0] = 0;
}

// basis[i] becomes the smallest column that is 1.0 in row i and 0.0 in every other
// constraint row (the cost row does not count). One sweep over the rows counts the
// non-zero entries of each column and notes the row of a single 1.0.
void ProblemReader::find_basis() {
    const unsigned m = constraint_count();
    const unsigned n = variable_count();
    std::vector<unsigned> non_zeros(n + 1, 0);
    std::vector<unsigned> unit_row(n + 1, 0);  // 0: no entry 1.0 seen
    for (unsigned i = 1; i <= m; ++i) {
        const auto row = record_.table.row(i);
        // Without branches: in a dense table whether an entry is 0 or 1 follows no pattern.
        for (unsigned j = 1; j <= n; ++j) {
            non_zeros[j] += row[j] != 0.0 ? 1 : 0;
            unit_row[j] = row[j] == 1.0 ? i : unit_row[j];
        }
    }
    for (unsigned j = n; j >= 1; --j) {  // from the right, so that the smallest column wins
        if (non_zeros[j] == 1 && unit_row[j] != 0) record_.basis[unit_row[j]] = j;
    }
    for (unsigned i = 1; i <= m; ++i) {
        if (record_.basis[i] == 0) note_without_line(kNoUnitColumn);
    }
}

// The record from the Windows-1251 text of a problem file, before text mode.
SimplexIteration read_text(std::string text) {
    SimplexIteration record;
    ProblemReader(record, reader_text::to_text_mode(std::move(text))).read();
    return record;
}

SimplexIteration read_problem(std::string bytes) { return read_text(problem_file_text(std::move(bytes))); }

// The same for bytes that outlive the reading: Windows-1251 text that text mode leaves as
// it is, the common case, is read where it lies.
SimplexIteration read_problem_in_place(std::string_view bytes) {
    if (std::optional<std::string> converted = converted_problem_file_text(bytes)) {
        return read_text(std::move(*converted));
    }
    if (!reader_text::is_text_mode(bytes)) return read_text(std::string(bytes));
    SimplexIteration record;
    ProblemReader(record, TextInput::Borrowed{bytes}).read();
    return record;
}

}  // namespace

SimplexIteration::SimplexIteration(const std::string& problem_file)
    : SimplexIteration(read_problem(file_bytes_or_throw(problem_file))) {}

SimplexIteration SimplexIteration::from_bytes(std::string_view bytes) { return read_problem_in_place(bytes); }

std::vector<ProblemFileFault> problem_file_faults(std::string_view bytes) {
    std::vector<ProblemFileFault> faults;
    const auto take = [&faults](const SimplexIteration::bad_simplex& codes, const auto& line_of) {
        for (int i = 0; i < codes.count && i < SimplexIteration::bad_simplex::kCapacity; ++i)
            faults.push_back({codes.codes[static_cast<std::size_t>(i)], line_of(static_cast<std::size_t>(i))});
    };
    std::string text;
    try {
        text = reader_text::to_text_mode(problem_file_text(std::string(bytes)));
    } catch (const SimplexIteration::bad_simplex& codes) {
        take(codes, [](std::size_t) { return 0u; });
        return faults;
    }
    SimplexIteration record;
    ProblemReader reader(record, std::move(text));
    try {
        reader.read();
    } catch (const SimplexIteration::bad_simplex& codes) {
        take(codes, [&reader](std::size_t i) { return reader.lines()[i]; });
    }
    return faults;
}
