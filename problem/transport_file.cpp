#include "problem/transport_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <utility>

#include "problem/cp1251.h"
#include "problem/decimal_comma.h"
#include "problem/problem_file_encoding.h"
#include "problem/reader_text.h"
#include "problem/simplex_iteration.h"

namespace transport {
namespace {

// A file larger than this is not a problem a student typed.
constexpr std::uintmax_t kMaxFileBytes = 64U << 20U;

struct Keyword {
    std::string_view english;
    std::string_view russian;  // Windows-1251
};

constexpr Keyword kName{"Name:", "Имя:"_cp1251};
constexpr Keyword kAim{"Aim:", "Цель:"_cp1251};
constexpr Keyword kSize{"Size:", "Размерность:"_cp1251};
constexpr Keyword kSupplies{"Supplies:", "Запасы:"_cp1251};
constexpr Keyword kDemands{"Demands:", "Потребности:"_cp1251};
constexpr Keyword kCosts{"Costs:", "Тарифы:"_cp1251};
constexpr Keyword kSuppliers{"Suppliers:", "Поставщики:"_cp1251};
constexpr Keyword kConsumers{"Consumers:", "Потребители:"_cp1251};
constexpr Keyword kStart{"Start:", "Начало:"_cp1251};
constexpr Keyword kFile{"File:", "Файл:"_cp1251};
constexpr Keyword kAccuracy{"Accuracy:", "Точность:"_cp1251};
constexpr Keyword kPrint{"Print:", "Печать:"_cp1251};
constexpr Keyword kStop{"Stop:", "Стоп:"_cp1251};
constexpr Keyword kOnlyData{"OnlyDataTable", "Только_Исх_Табл"_cp1251};
constexpr Keyword kOnlyOptimal{"OnlyOptimalTable", "Только_Опт_Табл"_cp1251};
constexpr Keyword kNoTable{"NoTable", "Без_Табл"_cp1251};
constexpr std::array kKeywords{kName,  kAim,  kSize,     kSupplies, kDemands, kCosts,    kSuppliers,   kConsumers,
                               kStart, kFile, kAccuracy, kPrint,    kStop,    kOnlyData, kOnlyOptimal, kNoTable};

bool is(std::string_view word, const Keyword& keyword) {
    return reader_text::same_keyword(word, keyword.english) || word == keyword.russian;
}

bool is_keyword(std::string_view word) {
    return std::ranges::any_of(kKeywords, [word](const Keyword& k) { return is(word, k); });
}

// The marks of a forbidden route: x or X (Latin or Cyrillic), or a lone minus.
bool is_forbidden_mark(std::string_view word) {
    return word == "x" || word == "X" || word == "х"_cp1251 || word == "Х"_cp1251 || word == "-";
}

std::optional<double> whole_number(std::string_view word) {
    if (word.empty() || reader_text::decimal_prefix_length(word) != word.size()) return std::nullopt;
    return reader_text::decimal_prefix_value(word);
}

std::optional<std::int32_t> whole_integer(std::string_view word) {
    const auto value = whole_number(word);
    if (!value || *value != static_cast<double>(static_cast<std::int64_t>(*value)) || *value > 2147483647.0 ||
        *value < -2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

// The words of the text, each with its line; the rest of a line for the name.
class Words {
public:
    explicit Words(std::string text) : text_(std::move(text)) {}

    // The next word, or nothing at the end.
    std::optional<std::string_view> next() {
        while (at_ < text_.size() && is_blank(text_[at_])) step();
        if (at_ >= text_.size()) return std::nullopt;
        const std::size_t from = at_;
        while (at_ < text_.size() && !is_blank(text_[at_])) ++at_;
        word_line_ = line_;
        return std::string_view(text_).substr(from, at_ - from);
    }
    // The next word unless it is a keyword (left to be read then).
    std::optional<std::string_view> value() {
        const std::size_t at = at_;
        const unsigned line = line_;
        const unsigned word_line = word_line_;
        const auto word = next();
        if (word && is_keyword(*word)) {
            at_ = at;
            line_ = line;
            word_line_ = word_line;
            return std::nullopt;
        }
        return word;
    }
    // The rest of the line after one separator, at most 78 characters.
    std::string rest_of_line() {
        word_line_ = line_;
        if (at_ < text_.size() && text_[at_] != '\n') ++at_;
        std::string rest;
        while (at_ < text_.size() && text_[at_] != '\n' && rest.size() < 78) rest += text_[at_++];
        while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r')) rest.pop_back();
        return rest;
    }
    unsigned line() const { return word_line_; }

private:
    static bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
    void step() {
        if (text_[at_] == '\n') ++line_;
        ++at_;
    }

    std::string text_;
    std::size_t at_ = 0;
    unsigned line_ = 1;
    unsigned word_line_ = 1;
};

class Reader {
public:
    explicit Reader(std::string text) : words_(std::move(text)) {}
    TransportProblem read();

private:
    void fault(std::string text) { fault_at(words_.line(), std::move(text)); }
    void fault_at(unsigned line, std::string text) { faults_.push_back({line, std::move(text)}); }
    bool need_size(std::string_view what);
    std::vector<double> numbers(std::size_t count, std::string_view what, bool allow_forbidden,
                                std::vector<std::uint8_t>* forbidden, std::size_t row = 0);
    std::vector<std::string> names(std::size_t count, std::string_view what);
    std::optional<std::int32_t> integer(std::string_view what);
    void aim();
    void size();
    void start();

    Words words_;
    TransportProblem problem_;
    std::vector<FileFault> faults_;
    std::size_t m_ = 0;
    std::size_t n_ = 0;
    bool named_ = false;
    bool aimed_ = false;
    bool supplies_ = false;
    bool demands_ = false;
    bool costs_ = false;
    bool file_ = false;
};

bool Reader::need_size(std::string_view what) {
    if (m_ != 0) return true;
    fault(std::string(what) + " до размерности (Size: / Размерность:)");
    return false;
}

// `count` numbers (or forbidden marks, where allowed); a word that is neither is a fault of its line,
// and the list goes on with the next word, so that one reading finds every such fault. A number
// left over after the list is a fault too: a typed one too many would shift the rest in silence.
// With `row` set, a list over several lines must hold whole rows of that many numbers on each.
std::vector<double> Reader::numbers(std::size_t count, std::string_view what, bool allow_forbidden,
                                    std::vector<std::uint8_t>* forbidden, std::size_t row) {
    std::vector<double> values(count, 0.0);
    const auto is_entry = [&](std::string_view word) {
        return whole_number(word).has_value() || (allow_forbidden && is_forbidden_mark(word));
    };
    std::vector<std::pair<unsigned, std::size_t>> lines;  // each line of the list and its count of words
    for (std::size_t k = 0; k < count; ++k) {
        const auto word = words_.value();
        if (!word) {
            fault(std::string(what) + ": нужно чисел: " + std::to_string(count) + ", прочитано: " + std::to_string(k));
            break;
        }
        if (lines.empty() || lines.back().first != words_.line()) lines.emplace_back(words_.line(), 0);
        ++lines.back().second;
        if (allow_forbidden && is_forbidden_mark(*word)) {
            (*forbidden)[k] = 1;
            continue;
        }
        const auto value = whole_number(*word);
        if (!value) {
            fault(std::string(what) + ": «" + cp1251::to_utf8(*word) + "» не число" +
                  (allow_forbidden ? " и не x (запрещённый маршрут)" : ""));
        } else if (!allow_forbidden && *value < 0) {
            fault(std::string(what) + ": отрицательное число " + cp1251::to_utf8(*word));
        } else {
            values[k] = *value;
        }
    }
    if (row != 0 && lines.size() > 1) {
        for (const auto& [line, words] : lines) {
            if (words % row != 0) {
                fault_at(line, std::string(what) + ": в строке чисел " + std::to_string(words) +
                                   ", а в строке матрицы их " + std::to_string(row));
            }
        }
    }
    if (const auto extra = words_.value(); extra && is_entry(*extra)) {
        fault(std::string(what) + ": лишнее число «" + cp1251::to_utf8(*extra) + "», нужно " + std::to_string(count));
    }
    return values;
}

std::vector<std::string> Reader::names(std::size_t count, std::string_view what) {
    std::vector<std::string> list;
    for (std::size_t k = 0; k < count; ++k) {
        const auto word = words_.value();
        if (!word) {
            fault(std::string(what) + ": нужно имён: " + std::to_string(count) + ", прочитано: " + std::to_string(k));
            return {};
        }
        list.emplace_back(*word);
    }
    return list;
}

std::optional<std::int32_t> Reader::integer(std::string_view what) {
    const auto word = words_.value();
    const auto value = word ? whole_integer(*word) : std::nullopt;
    if (!value) fault(std::string(what) + ": ожидается целое число");
    return value;
}

void Reader::aim() {
    const auto word = words_.value();
    if (word && (reader_text::same_keyword(*word, "min") || *word == "минимум"_cp1251)) {
        problem_.sense = Sense::cost_min;
    } else if (word && (reader_text::same_keyword(*word, "max") || *word == "максимум"_cp1251)) {
        problem_.sense = Sense::profit_max;
    } else {
        fault("цель: ожидается min (минимум затрат) или max (максимум прибыли)");
        return;
    }
    aimed_ = true;
}

void Reader::size() {
    const auto m = integer("размерность");
    const auto n = integer("размерность");
    if (!m || !n) return;
    if (*m < 1 || *n < 1 || static_cast<std::size_t>(*m) > kMaxLines || static_cast<std::size_t>(*n) > kMaxLines) {
        fault("размерность: поставщиков и потребителей от 1 до " + std::to_string(kMaxLines));
        return;
    }
    if (m_ != 0) {
        fault("размерность задана второй раз");
        return;
    }
    m_ = static_cast<std::size_t>(*m);
    n_ = static_cast<std::size_t>(*n);
}

void Reader::start() {
    const auto word = words_.value();
    if (word && (reader_text::same_keyword(*word, "northwest") || *word == "северо-западный"_cp1251)) {
        problem_.print.start = StartMethod::northwest;
    } else if (word && (reader_text::same_keyword(*word, "least-cost") || *word == "минимальный"_cp1251)) {
        problem_.print.start = StartMethod::least_cost;
    } else if (word && (reader_text::same_keyword(*word, "vogel") || *word == "Фогеля"_cp1251)) {
        problem_.print.start = StartMethod::vogel;
    } else {
        fault(
            "начальный план: ожидается northwest, least-cost или vogel "
            "(северо-западный, минимальный, Фогеля)");
    }
}

TransportProblem Reader::read() {
    TransportPrint& print = problem_.print;
    while (const auto word = words_.next()) {
        if (is(*word, kName)) {
            if (named_) fault("имя задачи задано второй раз");
            problem_.name = words_.rest_of_line();
            named_ = true;
        } else if (is(*word, kAim)) {
            aim();
        } else if (is(*word, kSize)) {
            size();
        } else if (is(*word, kSupplies)) {
            if (!need_size("запасы")) continue;
            problem_.supplies = numbers(m_, "запасы", false, nullptr);
            supplies_ = true;
        } else if (is(*word, kDemands)) {
            if (!need_size("потребности")) continue;
            problem_.demands = numbers(n_, "потребности", false, nullptr);
            demands_ = true;
        } else if (is(*word, kCosts)) {
            if (!need_size("тарифы")) continue;
            problem_.forbidden.assign(m_ * n_, 0);
            problem_.costs = numbers(m_ * n_, "тарифы", true, &problem_.forbidden, n_);
            costs_ = true;
        } else if (is(*word, kSuppliers)) {
            if (need_size("поставщики")) problem_.supplier_names = names(m_, "поставщики");
        } else if (is(*word, kConsumers)) {
            if (need_size("потребители")) problem_.consumer_names = names(n_, "потребители");
        } else if (is(*word, kStart)) {
            start();
        } else if (is(*word, kFile)) {
            if (const auto file = words_.value()) {
                print.file = std::string(*file);
                file_ = true;
            } else {
                fault("файл отчёта: нет имени");
            }
        } else if (is(*word, kAccuracy)) {
            const auto width = integer("точность");
            const auto precision = integer("точность");
            if (width && precision) {
                if (*precision < 0 || *precision >= *width || *width > 40) {
                    fault("точность: нужно 0 <= знаков после запятой < ширины <= 40");
                } else {
                    print.width = *width;
                    print.precision = *precision;
                }
            }
        } else if (is(*word, kPrint)) {
            const auto from = integer("печать");
            const auto to = integer("печать");
            if (from && to) {
                if (*to < *from || *to < 0) fault("печать: последний план раньше первого");
                print.print_from = *from;
                print.print_to = *to;
            }
        } else if (is(*word, kStop)) {
            if (const auto stop = integer("стоп")) {
                if (*stop < 0) fault("стоп: предел итераций не может быть отрицательным");
                print.stop = *stop;
            }
        } else if (is(*word, kOnlyData)) {
            print.tables = print.tables == PlanTables::optimal ? PlanTables::first_and_optimal : PlanTables::first;
        } else if (is(*word, kOnlyOptimal)) {
            print.tables = print.tables == PlanTables::first ? PlanTables::first_and_optimal : PlanTables::optimal;
        } else if (is(*word, kNoTable)) {
            print.tables = PlanTables::none;
        }
        // Any other word is free text, as in problem files.
    }
    if (!aimed_) fault_at(0, "нет цели (Aim: / Цель:)");
    if (m_ == 0) fault_at(0, "нет размерности (Size: / Размерность:)");
    if (m_ != 0 && !supplies_) fault_at(0, "нет запасов (Supplies: / Запасы:)");
    if (m_ != 0 && !demands_) fault_at(0, "нет потребностей (Demands: / Потребности:)");
    if (m_ != 0 && !costs_) fault_at(0, "нет тарифов (Costs: / Тарифы:)");
    if (!file_ && print.tables != PlanTables::none) fault_at(0, "нет файла отчёта (File: / Файл:)");
    if (!faults_.empty()) throw TransportFileError(std::move(faults_));
    return std::move(problem_);
}

std::string summary(const std::vector<FileFault>& faults) {
    std::string text = "ошибки в файле транспортной задачи:";
    for (const FileFault& f : faults) {
        text += f.line != 0 ? " строка " + std::to_string(f.line) + ": " + f.text + ";" : " " + f.text + ";";
    }
    text.pop_back();
    return text;
}

}  // namespace

TransportFileError::TransportFileError(std::vector<FileFault> faults)
    : std::runtime_error(summary(faults)), faults_(std::move(faults)) {}

bool is_transport_file(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".qtt";
}

TransportProblem read_transport_bytes(std::string bytes) {
    std::string text;
    try {
        text = problem_file_text(std::move(bytes));
    } catch (const SimplexIteration::bad_simplex&) {
        throw TransportFileError({{0, "текст в UTF-8 содержит знаки, которых нет в Windows-1251"}});
    }
    text = decimal_comma::with_decimal_points(reader_text::to_text_mode(std::move(text)));
    return Reader(std::move(text)).read();
}

TransportProblem read_transport_file(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
        throw TransportFileError({{0, "не удалось открыть файл " + path}});
    }
    if (size > kMaxFileBytes) throw TransportFileError({{0, "файл больше 64 МБ: " + path}});
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) throw TransportFileError({{0, "не удалось прочитать файл " + path}});
    return read_transport_bytes(std::move(bytes));
}

}  // namespace transport
