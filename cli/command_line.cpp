#include "cli/command_line.h"

#include <array>
#include <bitset>
#include <charconv>
#include <cmath>
#include <utility>

#include "problem/cp1251.h"
#include "problem/library_versions.h"
#include "problem/print_rules.h"
#include "problem/transport_problem.h"

namespace cli {
namespace {

// A refusal of an option's value, for people (UTF-8, Russian); none when it is taken.
using Refusal = std::optional<std::string>;

std::optional<std::int32_t> parse_int(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<double> parse_double(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// "A:B" as two signed 32-bit integers.
std::optional<std::pair<std::int32_t, std::int32_t>> parse_pair(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto first = parse_int(text.substr(0, colon));
    const auto second = parse_int(text.substr(colon + 1));
    if (!first || !second) return std::nullopt;
    return std::pair{*first, *second};
}

// An option's value that is one of a few words.
template <class T>
struct Word {
    std::string_view word;
    T value;
};

template <class T, std::size_t N>
std::optional<T> value_of_word(std::string_view text, const std::array<Word<T>, N>& words) {
    for (const auto& [word, value] : words) {
        if (text == word) return value;
    }
    return std::nullopt;
}

constexpr std::array kTablesModes{
    Word<TablesMode>{"all", TablesMode::all},         Word<TablesMode>{"data", TablesMode::data},
    Word<TablesMode>{"optimal", TablesMode::optimal}, Word<TablesMode>{"data+optimal", TablesMode::data_and_optimal},
    Word<TablesMode>{"none", TablesMode::none},
};
constexpr std::array kArithmetics{Word<Arithmetic>{"double", Arithmetic::double_precision},
                                  Word<Arithmetic>{"exact", Arithmetic::exact}};
constexpr std::array kRules{Word<PivotRule>{"dantzig", PivotRule::dantzig}, Word<PivotRule>{"bland", PivotRule::bland}};
constexpr std::array kMethods{Word<SolveMethod>{"big-m", SolveMethod::big_m},
                              Word<SolveMethod>{"two-phase", SolveMethod::two_phase},
                              Word<SolveMethod>{"dual", SolveMethod::dual_simplex}};
constexpr std::array kStarts{Word<transport::StartMethod>{"northwest", transport::StartMethod::northwest},
                             Word<transport::StartMethod>{"least-cost", transport::StartMethod::least_cost},
                             Word<transport::StartMethod>{"vogel", transport::StartMethod::vogel}};
constexpr std::array kIntegerMethods{Word<IntegerMethod>{"branch", IntegerMethod::branch},
                                     Word<IntegerMethod>{"gomory", IntegerMethod::gomory},
                                     Word<IntegerMethod>{"relax", IntegerMethod::relax}};
constexpr std::array kReportForms{Word<ReportForm>{"text", ReportForm::text},
                                  Word<ReportForm>{"latex", ReportForm::latex},
                                  Word<ReportForm>{"html", ReportForm::html}};
constexpr std::array kEncodings{Word<TextEncoding>{"cp1251", TextEncoding::cp1251},
                                Word<TextEncoding>{"utf-8", TextEncoding::utf8}};

// The value read into the option's field, or the refusal when there is none.
template <class T>
Refusal take(std::optional<T>& field, std::optional<T> value, const char* refusal) {
    if (!value) return refusal;
    field = std::move(value);
    return {};
}

UsageError error(std::string text) { return {std::move(text)}; }

// A file name given with an option: anything but empty.
Refusal file_name(std::optional<std::string>& field, std::string_view value, const char* refusal) {
    if (value.empty()) return refusal;
    field = std::string(value);
    return {};
}

// A number of seconds into the field when `fits` takes it.
Refusal take_seconds(std::optional<double>& field, std::string_view text, bool (*fits)(double), const char* refusal) {
    const std::optional<double> seconds = parse_double(text);
    return take(field, seconds && fits(*seconds) ? seconds : std::nullopt, refusal);
}

// A switch: its field set.
template <bool Options::*kField>
Refusal set_switch(Options& options, std::string_view /*value*/) {
    options.*kField = true;
    return {};
}

// "A:B" into the field when `accepts` takes both numbers.
template <class Pair>
Refusal take_pair(std::optional<Pair>& field, std::string_view text, bool (*accepts)(std::int32_t, std::int32_t),
                  const char* not_a_pair, const char* refused) {
    const auto pair = parse_pair(text);
    if (!pair) return not_a_pair;
    if (!accepts(pair->first, pair->second)) return refused;
    field = Pair{pair->first, pair->second};
    return {};
}

// A count from 1 to `largest` into the field.
Refusal take_count(std::optional<std::uint32_t>& field, std::string_view text, std::int32_t largest,
                   const char* refusal) {
    const std::optional<std::int32_t> value = parse_int(text);
    if (!value || *value < 1 || *value > largest) return refusal;
    field = static_cast<std::uint32_t>(*value);
    return {};
}

// "MxN": the variants' rows and own variables.
Refusal take_size(VariantsOptions& variants, std::string_view text) {
    const auto x = text.find('x');
    const auto rows = parse_int(text.substr(0, x));
    const auto columns = x == std::string_view::npos ? std::nullopt : parse_int(text.substr(x + 1));
    if (!rows || !columns || *rows < 1 || *columns < 1 || *rows > static_cast<std::int32_t>(kMaxVariantRows) ||
        *columns > static_cast<std::int32_t>(kMaxVariantColumns)) {
        return "--size: ожидается СТРОКИxПЕРЕМЕННЫЕ, например 3x4 (строк от 1 до " + std::to_string(kMaxVariantRows) +
               ", переменных от 1 до " + std::to_string(kMaxVariantColumns) + ")";
    }
    variants.size = std::pair{static_cast<std::uint32_t>(*rows), static_cast<std::uint32_t>(*columns)};
    return {};
}

constexpr std::array kSenses{Word<bool>{"max", true}, Word<bool>{"min", false}};
constexpr std::array kYesNo{Word<bool>{"yes", true}, Word<bool>{"no", false}};
constexpr std::array kNumberForms{Word<bool>{"integer", false}, Word<bool>{"decimal", true}};

enum class Request { none, help, version };

// One option of the command line: its names, the form of its value (none for a switch),
// its lines in the help and what it does. An option that takes a value may be given once.
struct OptionSpec {
    std::string_view name;
    std::string_view short_name = {};
    std::string_view value = {};  // its form in the help; empty for a switch
    Refusal (*set)(Options& options, std::string_view value) = nullptr;
    Request request = Request::none;
    std::string_view help;  // the lines under the option's own line, each ending in a line feed

    bool takes_value() const { return !value.empty(); }
};

// The options in the order of the help.
constexpr std::array kOptions{
    OptionSpec{.name = "--tables",
               .value = "all|data|optimal|data+optimal|none",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.tables, value_of_word(v, kTablesModes),
                               "--tables: ожидается all, data, optimal, data+optimal или none");
               },
               .help = R"(        какие таблицы выводить: все итерации; только исходную; только оптимальную;
        исходную и оптимальную; никаких (файл отчёта не создаётся и не изменяется).
        Интервал вывода из файла задачи при этом сбрасывается.
)"},
    OptionSpec{.name = "--print",
               .value = "ОТ:ДО",
               .set =
                   [](Options& o, std::string_view v) {
                       return take_pair(o.print, v, accepts_print_interval, "--print: ожидается ОТ:ДО, два целых числа",
                                        "--print: нужно ДО >= ОТ и ДО >= 0");
                   },
               .help = R"(        таблицы итераций с номерами от ОТ до ДО (включая последнюю таблицу, если
        её номер попадает в интервал); нужно ДО >= ОТ и ДО >= 0; 0:0 — все таблицы;
        нельзя вместе с --tables.
)"},
    OptionSpec{.name = "--accuracy",
               .value = "ШИРИНА:ЦИФРЫ",
               .set =
                   [](Options& o, std::string_view v) {
                       return take_pair(o.accuracy, v, accepts_number_format,
                                        "--accuracy: ожидается ШИРИНА:ЦИФРЫ, два целых числа",
                                        "--accuracy: нужно 0 <= ЦИФРЫ < ШИРИНА");
                   },
               .help = R"(        позиций под число и цифр после точки в отчёте; нужно 0 <= ЦИФРЫ < ШИРИНА.
)"},
    OptionSpec{.name = "--report",
               .value = "ФАЙЛ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   if (v.empty()) return "--report: пустое имя файла";
                   o.report = cp1251::from_utf8(v);
                   if (!o.report) return "--report: имя файла содержит символы вне кодировки Windows-1251";
                   return {};
               },
               .help = R"(        другой файл отчёта (имя в UTF-8; допустимы только символы кодировки
        Windows-1251). Относительное имя берётся от текущего каталога. Файл отчёта,
        совпадающий с файлом задачи, не принимается (код 7).
)"},
    OptionSpec{.name = "--format",
               .value = "qtb|lp|mps|freemps|mathprog",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.format, model_format_named(v),
                               "--format: ожидается qtb, lp, mps, freemps или mathprog");
               },
               .help = R"(        формат файла (иначе по расширению: .lp, .mps, .mod, прочие — файл задачи);
        mps читается как свободный MPS, а если не вышло — как фиксированный.
)"},
    OptionSpec{.name = "--data",
               .value = "ФАЙЛ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return file_name(o.data_file, v, "--data: пустое имя файла");
               },
               .help = R"(        файл данных модели MathProg.
)"},
    OptionSpec{.name = "--model-time-limit",
               .value = "СЕКУНДЫ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take_seconds(
                       o.model_time_limit, v, [](double seconds) { return seconds >= 0.1 && seconds <= 86400; },
                       "--model-time-limit: ожидается число секунд от 0.1 до 86400");
               },
               .help = R"(        сколько секунд GLPK может читать модель (по умолчанию 10; 0.1 ... 86400).
)"},
    OptionSpec{.name = "--model-memory-limit",
               .value = "МИБ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   const std::optional<std::int32_t> mib = parse_int(v);
                   return take(o.model_memory_limit,
                               mib && *mib >= 64 && *mib <= 1048576 ? std::optional<std::uint64_t>(*mib) : std::nullopt,
                               "--model-memory-limit: ожидается целое число МиБ от 64 до 1048576");
               },
               .help = R"(        сколько мебибайт памяти может занять чтение модели (по умолчанию 1024;
        64 ... 1048576).
)"},
    OptionSpec{.name = "--stop",
               .value = "N",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   const std::optional<std::int32_t> limit = parse_int(v);
                   return take(o.stop, limit && *limit >= 1 ? limit : std::nullopt,
                               "--stop: ожидается целое число не меньше 1");
               },
               .help = R"(        предел числа итераций (N >= 1); иначе из файла задачи, а для модели 50 x (m + 1).
)"},
    OptionSpec{.name = "--write-qtb",
               .value = "ФАЙЛ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return file_name(o.write_qtb, v, "--write-qtb: пустое имя файла");
               },
               .help = R"(        не решать, а записать задачу (каноническую форму модели) в файл задачи ФАЙЛ
        (Windows-1251, CR LF).
)"},
    OptionSpec{.name = "--write-dual",
               .value = "ФАЙЛ.lp",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return file_name(o.write_dual, v, "--write-dual: пустое имя файла");
               },
               .help = R"(        не решать, а записать двойственную задачу модели (как у --dual) в ФАЙЛ в
        формате CPLEX LP (UTF-8); её читают qtb-solve и glpsol. Только для модели.
)"},
    OptionSpec{.name = "--plot",
               .value = "ФАЙЛ.svg",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return file_name(o.plot, v, "--plot: пустое имя файла");
               },
               .help = R"(        после счёта записать рисунок задачи с двумя переменными (SVG, UTF-8): область
        допустимых решений (неограниченная — открыта), прямые ограничений с именами
        строк модели или номерами строк файла задачи, направление цели и её линия
        уровня через оптимум, базисные решения счёта — точки с номерами итераций по
        порядку (вне области — другим цветом). Для модели нужны ровно две переменные,
        для файла задачи — два собственных столбца, а прочие — только балансовые
        (единичные, с нулевой ценой) и искусственные (цена M). Иначе рисунок не
        пишется, о чём сказано в stderr, а код выхода не меняется. Не записанный
        файл рисунка при решённой задаче даёт код 70.
)"},
    OptionSpec{.name = "--arithmetic",
               .value = "double|exact",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.arithmetic, value_of_word(v, kArithmetics),
                               "--arithmetic: ожидается double или exact");
               },
               .help = R"(        арифметика счёта: double — числа с плавающей точкой (по умолчанию);
        exact — точные дроби: каждое число задачи берётся как кратчайшая десятичная
        запись (0.1 — это 1/10), M — символ, без допусков; в отчёте — дроби p/q.
)"},
    OptionSpec{.name = "--rule",
               .value = "dantzig|bland",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.rule, value_of_word(v, kRules), "--rule: ожидается dantzig или bland");
               },
               .help = R"(        выбор ключевого столбца и строки: dantzig — наибольшая оценка (по
        умолчанию); bland — столбец и базисная переменная с наименьшим номером
        (правило Бленда, исключает зацикливание).
)"},
    OptionSpec{.name = "--method",
               .value = "big-m|two-phase|dual|potentials",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   if (v == "potentials") {
                       o.potentials = true;
                       return {};
                   }
                   return take(o.method, value_of_word(v, kMethods),
                               "--method: ожидается big-m, two-phase, dual или potentials");
               },
               .help = R"(        метод: big-m — метод искусственного базиса с большим M (по умолчанию);
        two-phase — двухфазный метод (фаза I минимизирует сумму искусственных
        переменных, фаза II — целевую функцию без них); dual — двойственный
        симплекс-метод (строки как "<=" с дополнительной переменной, базис из них
        должен быть двойственно допустим); potentials — метод потенциалов для модели
        со строением транспортной задачи (файл .qtt решается им всегда).
)"},
    OptionSpec{.name = "--start",
               .value = "northwest|least-cost|vogel",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.start, value_of_word(v, kStarts),
                               "--start: ожидается northwest, least-cost или vogel");
               },
               .help = R"(        начальный план транспортной задачи: northwest — северо-западный угол (по
        умолчанию, если файл задачи не задаёт другой); least-cost — минимальный
        элемент; vogel — аппроксимация Фогеля.
)"},
    OptionSpec{.name = "--integer",
               .value = "branch|gomory|relax",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.integer, value_of_word(v, kIntegerMethods),
                               "--integer: ожидается branch, gomory или relax");
               },
               .help = R"(        задача с целочисленными переменными (пометки модели, «Integer:» / «Целые:» в
        файле задачи): branch — метод ветвей и границ (по умолчанию); gomory —
        отсечения Гомори (только полностью целочисленная задача); relax — без условий
        целочисленности, с замечанием об этом. Задача без целочисленных переменных
        решается одинаково при любом значении. В отчёте метода ветвей и границ —
        каждый узел (его границы, таблицы по --tables, результат, причина закрытия)
        и дерево; в JSON — "nodes": [{"id", "parent", "bounds", "status",
        "objective", "closed", "incumbent", "iterations"}, ...].
)"},
    OptionSpec{.name = "--nodes",
               .value = "N",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   const std::optional<std::int32_t> limit = parse_int(v);
                   return take(o.nodes, limit && *limit >= 1 ? limit : std::nullopt,
                               "--nodes: ожидается целое число не меньше 1");
               },
               .help = R"(        предел числа узлов (задач) метода ветвей и границ (по умолчанию 1000).
)"},
    OptionSpec{.name = "--cuts",
               .value = "N",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   const std::optional<std::int32_t> limit = parse_int(v);
                   return take(o.cuts, limit && *limit >= 1 ? limit : std::nullopt,
                               "--cuts: ожидается целое число не меньше 1");
               },
               .help = R"(        предел числа отсечений метода Гомори (по умолчанию 50); по достижении
        предела код выхода 8 (в JSON "end": "cut_limit"). Отсечения считаются в точной
        арифметике, каждое выводится неравенством в переменных задачи и строкой.
)"},
    OptionSpec{.name = "--report-notes",
               .set = set_switch<&Options::report_notes>,
               .help = R"(        текстовый отчёт заканчивается замечаниями о решении (другие оптимумы,
        вырожденность, число итераций) — после таблиц и ответа.
)"},
    OptionSpec{.name = "--explain",
               .set = set_switch<&Options::explain>,
               .help = R"(        пояснять выбор: у каждой таблицы столбец отношений b / a (b_i / a_is для
        строк с a_is > 0, «—» для прочих), а под ней по предложению на каждый выбор —
        какой столбец вводится в базис и почему (его оценка, часть при M первой, и
        правило при равенстве), какая строка выводится и почему (наименьшее
        отношение, правило при равенстве), разрешающий элемент; после последней
        таблицы — почему счёт окончен. В текстовом отчёте, LaTeX и HTML, для всех
        методов и обеих арифметик.
)"},
    OptionSpec{.name = "--sensitivity",
               .set = set_switch<&Options::sensitivity>,
               .help = R"(        анализ чувствительности по последней таблице оптимума (в обеих арифметиках):
        для каждого ограничения — двойственная оценка (на сколько меняется оптимум
        цели при увеличении правой части на 1) и диапазон правой части, в котором
        базис остаётся допустимым; для каждой переменной — значение, приведённая
        стоимость (на сколько меняется цель при увеличении переменной на 1, когда
        прочие небазисные переменные остаются на границах; 0 у базисной) и диапазон
        её коэффициента цели, в котором решение остаётся оптимальным. Знаки — как
        производные цели, и для максимума, и для минимума: те же, что в столбцах
        «Marginal» у glpsol (при максимуме оценка ограничения <= неотрицательна,
        >= — неположительна; при минимуме наоборот). Для модели — её ограничения
        и переменные по именам в их собственной записи (строка, умноженная на -1,
        двусторонняя строка, сдвинутая, отражённая, свободная или ограниченная
        сверху переменная пересчитаны обратно; отброшенные свободные строки не
        выводятся); для файла задачи — строки по номерам и неискусственные столбцы.
        При вырожденном оптимуме оценки могут быть не единственными. Без оптимума
        анализ не выполняется, и сказано почему. В отчёте анализ стоит в конце.
)"},
    OptionSpec{.name = "--dual",
               .set = set_switch<&Options::dual>,
               .help = R"(        вывести двойственную задачу модели (по учебным правилам: переменная на
        каждое ограничение, её знак — по виду ограничения и направлению цели;
        ограничение на каждую переменную, его вид — по её знаку; двусторонняя строка
        и границы переменной, кроме знака, — отдельные ограничения), затем решить
        модель как обычно; при оптимуме — двойственное решение по последней таблице:
        какая оценка даёт каждую двойственную переменную, её значение по анализу
        чувствительности и проверка теоремы двойственности (цели прямой и двойственной
        задач). Только для модели.
)"},
    OptionSpec{.name = "--output",
               .value = "text|latex|html",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.output, value_of_word(v, kReportForms), "--output: ожидается text, latex или html");
               },
               .help = R"(        форма отчёта: text — текстовые таблицы (по умолчанию); latex — документ LaTeX
        для pdflatex; html — страница HTML. Отчёт в LaTeX или HTML всегда в UTF-8, а
        его файл получает расширение .tex или .html, если имя не задано --report.
)"},
    OptionSpec{.name = "--encoding",
               .value = "cp1251|utf-8",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.encoding, value_of_word(v, kEncodings), "--encoding: ожидается cp1251 или utf-8");
               },
               .help = R"(        кодировка текстового отчёта: cp1251 — Windows-1251 с концами строк CR LF (по
        умолчанию); utf-8 — UTF-8 с концами строк LF. Умолчание можно сменить
        переменной окружения QTB_ENCODING=utf-8|cp1251; параметр сильнее неё.
)"},
    OptionSpec{
        .name = "--json", .set = set_switch<&Options::json>, .help = R"(        вместо текста вывести один объект JSON:
          {"ok": true, "end": "optimal"|"iteration_limit"|"cycling"|"time_limit", "objective": F,
           "solution": [F, x1, ..., xn], "iterations": N, "pivots": [[СТОЛБЕЦ, СТРОКА], ...],
           "alternative_optima": true|false, "alternative_columns": [ИМЯ, ...],
           "degenerate": true|false, "degenerate_pivots": N}
          {"ok": false, "stage": "read"|"solve", "codes": [...], "messages": [...],
           "iterations": N, "pivots": [...]}   (iterations и pivots — если счёт шёл)
        При повторе базиса добавляется "cycle": [ПЕРВАЯ, ПОВТОР]; код 13 при пределе
        итераций (искусственные переменные ещё в базисе) дополняется "limit_reached": true.
        для модели ещё "variables": {"имя": значение, ...}, "constant": C и
        "relaxed_integers": true|false; "objective" — значение цели модели,
        "solution" — вектор канонической формы.
        Числа — в кратчайшей записи, читаемой обратно в то же значение double;
        бесконечности и NaN — null. С --arithmetic exact значение и решение —
        строки "p/q" или "p"; при exact или bland добавляются "arithmetic" и "rule".
        С --sensitivity добавляется
          "sensitivity": {"rows": [{"name", "dual", "rhs", "rhs_range": [ОТ, ДО], "dropped"?}, ...],
                          "variables": [{"name", "value", "reduced_cost", "cost",
                                         "cost_range": [ОТ, ДО]}, ...], "unique": true|false}
        (бесконечный конец диапазона — null, точные значения — строки "p/q"), а без
        оптимума — "sensitivity": null и "sensitivity_unavailable": ПРИЧИНА.
        С --dual добавляются
          "dual": {"sense": "min"|"max", "constant": C, "variables": [{"name", "sign": ">= 0"|"<= 0"|
                   "free", "cost", "from": {"kind", "name", "relation", "rhs"}}, ...],
                   "rows": [{"name", "relation", "rhs", "coefficients": {"имя": a, ...}}, ...]}
        и "dual_solution": {"values": [{"name", "value", "reading", "column", "column_name",
          "analysis"}, ...], "primal_objective", "dual_objective", "equal": true|false}
        (без оптимума — "dual_solution": null).
        Ошибка чтения модели содержит "file" (файл модели или данных) и "line" (номер
        строки или null). С --arithmetic exact все значения — строки, "constant" тоже.
        При неверных параметрах (код 64) и ином сбое (код 70) выводится
          {"ok": false, "stage": "usage"|"failure", "codes": [], "messages": [ТЕКСТ]},
        после --write-qtb и --write-dual — {"ok": true, "written": ФАЙЛ}; --method dual
        на задаче, базис которой не двойственно допустим (код 4), — {"ok": false,
        "stage": "method", "codes": [], "messages": [ТЕКСТ], "method": "dual"}. Строки
        JSON всегда в UTF-8: байт не из UTF-8 (из файла или от GLPK) читается как
        символ Windows-1251.
)"},
    OptionSpec{.name = "--overwrite",
               .set = set_switch<&Options::overwrite>,
               .help = R"(        разрешить отчёту заменить существующий файл, записанный не этой программой
        (см. «Какие файлы перезаписываются» ниже).
)"},
    OptionSpec{.name = "--allow-report-path",
               .set = set_switch<&Options::allow_report_path>,
               .help = R"(        разрешить имя отчёта из файла задачи («File:»), которое абсолютно или ведёт
        за пределы текущего каталога (через «..» или ссылку).
)"},
    OptionSpec{.name = "--time-limit",
               .value = "СЕКУНДЫ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take_seconds(
                       o.time_limit, v, [](double seconds) { return seconds > 0 && std::isfinite(seconds); },
                       "--time-limit: ожидается число секунд больше 0");
               },
               .help = R"(        предел времени счёта (число больше 0, например 30 или 0.5): по его истечении
        счёт останавливается на очередной таблице, как остановленный в окне, и
        говорит об этом; код выхода 3 (в JSON "end": "time_limit").
)"},
    OptionSpec{.name = "--allow-large-report",
               .set = set_switch<&Options::allow_large_report>,
               .help = R"(        разрешить отчёт, который по оценке (все выбранные таблицы до предела
        итераций) займёт больше 1 ГБ; без этого параметра такой счёт не начинается,
        а оценка названа в сообщении (код выхода 2).
)"},
    OptionSpec{.name = "--variants",
               .value = "N",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take_count(o.variants.count, v, static_cast<std::int32_t>(kMaxVariantCount),
                                     "--variants: ожидается целое число от 1 до 999");
               },
               .help = R"(        не решать, а составить N вариантов задачи для группы (файл задачи не
        указывается): каталог --out получает файлы variant-NN.qtb (номер дополнен
        нулями до числа цифр N), ключ для преподавателя answer-key.tex и
        answer-key.html (у каждого варианта своя страница: задача, исходная и
        оптимальная таблицы, ответ) и листок для студентов problems.tex и
        problems.html (одни условия). У каждого варианта небольшие целые числа (или
        с одним знаком после запятой), единственный оптимум ровно за заданное число
        итераций M-метода без вырожденных шагов, ответ в дробях со знаменателем не
        больше 12; все варианты разные. Каждый вариант проверен решением в точных
        дробях и обычным счётом. С --json выводится {"ok": true, "variants": N,
        "folder": КАТАЛОГ, "files": [...]}. Код выхода 2, если вид недостижим или
        файлы не записаны.
)"},
    OptionSpec{.name = "--seed",
               .value = "ЧИСЛО",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   std::uint64_t seed = 0;
                   const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), seed);
                   if (v.empty() || error != std::errc{} || end != v.data() + v.size()) {
                       return "--seed: ожидается целое число от 0 до 18446744073709551615";
                   }
                   o.variants.seed = seed;
                   return {};
               },
               .help = R"(        зерно вариантов (по умолчанию 1): то же зерно с тем же видом даёт те же
        варианты на любом компьютере.
)"},
    OptionSpec{.name = "--size",
               .value = "СТРОКИxПЕРЕМЕННЫЕ",
               .set = [](Options& o, std::string_view v) { return take_size(o.variants, v); },
               .help = R"(        размер вариантов: число ограничений (1 ... 8) и собственных переменных
        (1 ... 10), например 3x4; обязателен, если не задан --template.
)"},
    OptionSpec{.name = "--sense",
               .value = "max|min",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.variants.maximize, value_of_word(v, kSenses), "--sense: ожидается max или min");
               },
               .help = R"(        цель вариантов: максимум (по умолчанию) или минимум.
)"},
    OptionSpec{.name = "--rows",
               .value = "ВИДЫ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.variants.kinds, row_kinds_named(v),
                               "--rows: ожидаются виды строк через запятую: le, ge, eq (или <=, >=, =)");
               },
               .help = R"(        виды ограничений через запятую: le (<=, по умолчанию), ge (>=), eq (=);
        каждый названный вид есть хотя бы в одной строке, если строк хватает.
        Строке >= нужны дополнительная и искусственная переменные, строке = —
        искусственная.
)"},
    OptionSpec{.name = "--artificial",
               .value = "yes|no",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.variants.artificial, value_of_word(v, kYesNo), "--artificial: ожидается yes или no");
               },
               .help = R"(        нужны ли искусственные переменные: yes — хотя бы в одной строке (среди
        --rows должны быть ge или eq); no — ни в одной (все строки <=). По
        умолчанию — как получится из --rows.
)"},
    OptionSpec{.name = "--iterations",
               .value = "K",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take_count(o.variants.iterations, v, static_cast<std::int32_t>(kMaxVariantIterations),
                                     "--iterations: ожидается целое число от 1 до 12");
               },
               .help = R"(        сколько итераций M-метода до оптимума (1 ... 12; по умолчанию — число
        строк); не меньше числа искусственных переменных.
)"},
    OptionSpec{.name = "--numbers",
               .value = "integer|decimal",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return take(o.variants.halves, value_of_word(v, kNumberForms),
                               "--numbers: ожидается integer или decimal");
               },
               .help = R"(        числа условий: integer — целые (по умолчанию); decimal — с одним знаком
        после запятой (кратные 0.5).
)"},
    OptionSpec{.name = "--template",
               .value = "ФАЙЛ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return file_name(o.variants.model, v, "--template: пустое имя файла");
               },
               .help = R"(        образец вариантов: файл задачи или модель (.lp, .mps, .mod; переменные
        неотрицательны и без границ). Варианты сохраняют его цель, размер, виды строк
        по порядку и нулевые коэффициенты; --size, --sense, --rows и --artificial
        тогда не указываются.
)"},
    OptionSpec{.name = "--force",
               .set = [](Options& o, std::string_view /*value*/) -> Refusal {
                   o.variants.force = true;
                   return {};
               },
               .help = R"(        разрешить вариантам заменить в каталоге --out файлы, записанные не этой
        программой.
)"},
    OptionSpec{.name = "--check",
               .value = "ТАБЛИЦЫ.txt",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return file_name(o.check, v, "--check: пустое имя файла");
               },
               .help = R"(        не писать отчёт, а проверить таблицы учащегося из файла ТАБЛИЦЫ.txt (копия
        таблиц отчёта или простая запись, см. README) по счёту задачи в точных дробях
        (с --rule, --stop): клетка за клеткой — имена базиса, X баз, строки, обе строки
        оценок. Десятичная дробь верна, если отличается от точного значения не больше
        чем на половину единицы последней записанной цифры. Таблица засчитывается,
        если это таблица счёта или таблица, которая получается шагом метода из
        предыдущей таблицы учащегося (ошибка, перенесённая дальше, считается один раз).
        Код выхода 0 — верно, 5 — есть ошибки, 6 — не закончено (таблиц меньше, чем
        нужно). Только для --method big-m.
)"},
    OptionSpec{.name = "--check-dir",
               .value = "ПАПКА",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return file_name(o.check_dir, v, "--check-dir: пустое имя папки");
               },
               .help = R"(        проверить каждый файл *.txt папки (как --check); ЗАДАЧА — файл задачи для
        всех или папка вариантов: файл со строкой «Вариант: 7» проверяется по
        variant-07.qtb (или variant-7.qtb, variant-007.qtb) из неё. Ведомость CSV (файл, вариант, результат, ошибок, таблиц
        проверено, первая ошибка; UTF-8) пишется в --out или рядом с папкой
        (ПАПКА.csv). Код выхода: 0 — все верно, 5 — есть неверные или непроверенные,
        6 — иначе есть незаконченные.
)"},
    OptionSpec{.name = "--out",
               .value = "КАТАЛОГ|ФАЙЛ",
               .set = [](Options& o, std::string_view v) -> Refusal {
                   return file_name(o.out, v, "--out: пустое имя каталога или файла");
               },
               .help = R"(        с --variants — каталог вариантов (создаётся, если его нет). Вне него ничего
        не пишется; файл в нём под тем же именем заменяется, только если он пустой
        или записан этой программой (иначе отказ, код 2), а ссылка не заменяется
        никогда. С --check-dir — файл ведомости CSV.
)"},
    OptionSpec{.name = "--help", .short_name = "-h", .request = Request::help, .help = R"(        эта справка.
)"},
    OptionSpec{.name = "--version",
               .request = Request::version,
               .help = R"(        версии программы, GLPK и GMP, по одной в строке.
)"},
};

constexpr std::string_view kHelpHead =
    R"(Использование:
  qtb-solve [ПАРАМЕТРЫ] ЗАДАЧА.qtb
  qtb-solve [ПАРАМЕТРЫ] МОДЕЛЬ.lp|МОДЕЛЬ.mps|МОДЕЛЬ.mod
  qtb-solve --variants N --size СТРОКИxПЕРЕМЕННЫЕ --out КАТАЛОГ [--seed ЧИСЛО] [ВИД]
  qtb-solve [ПАРАМЕТРЫ] ТРАНСПОРТНАЯ.qtt

Читает файл задачи так же, как окно программы по кнопке «Загрузить данные», решает
задачу M-методом и записывает выбранные симплекс-таблицы в файл отчёта, названный в
задаче («File:» / «Файл:»). Без параметров действуют настройки вывода из файла задачи.

Модель (CPLEX LP, MPS, GNU MathProg; читается через GLPK, в UTF-8) приводится к
канонической форме M-метода; отчёт модели называется по модели (МОДЕЛЬ.txt рядом с
ней) и начинается с описания этого приведения, а заканчивается ответом в переменных
модели. Задача с целочисленными переменными решается с условиями целочисленности
(см. --integer).

Транспортная задача (файл .qtt: «Запасы:», «Потребности:», «Тарифы:», x — запрещённый
маршрут) решается методом потенциалов; в отчёте — каждый план с потенциалами, оценками
свободных клеток, циклом и θ.

Параметры:
)";

constexpr std::string_view kHelpTail =
    R"(  Параметр можно записать и в виде --tables=all; «--» завершает список параметров.

Имена файлов внутри задачи записаны в Windows-1251; отчёт создаётся под тем же
именем в UTF-8 (например, «Файл: отчёт.txt» даёт файл отчёт.txt).

Какие файлы перезаписываются:
  Выход программы (отчёт, документ, рисунок, файл --write-qtb или --write-dual)
  никогда не записывается поверх входного файла счёта (файл задачи, модель, файл
  данных --data), а рисунок — поверх отчёта: отказ, код 2. Существующий файл под
  именем, заданным в командной строке (--report, --plot, --write-qtb, --write-dual),
  заменяется. Под именем из файла задачи или по имени модели заменяется только
  пустой файл или прежний выход программы (текстовый отчёт узнаётся по виду начала,
  LaTeX, HTML и SVG — по строке-комментарию программы), иначе отказ с кодом 2, если
  не указан --overwrite. Для отчёта отказ — код состояния 7.

Пока идёт долгий счёт, а стандартный поток ошибок — терминал, в нём одной строкой
показано, сколько итераций сделано из предела и сколько секунд прошло; в конце
строка стирается. Управляющие символы в именах из файла задачи или модели
выводятся в терминал записанными (\x1B), а не как есть.

Результат (без --json) выводится по-русски: итог, тексты кодов состояния, значение
целевой функции и значения всех переменных по именам при оптимуме, а без оптимума —
то, что остановило счёт: предел числа итераций или повтор базиса (зацикливание).
Повтор базиса назван итерациями (в JSON "cycle": [ПЕРВАЯ, ПОВТОР]); счёт модели на
нём останавливается ("end": "cycling"), счёт файла задачи идёт до предела итераций.

Код выхода:
  0   задача решена
  1   в файле задачи есть ошибки
  2   решение не получено (коды состояния: функция не ограничена, система
      несовместна, отчёт не записан), не начато (отчёт больше 1 ГБ) или выход
      не может быть записан (см. выше); варианты не составлены или не записаны
  3   оптимум не достигнут: счёт остановлен пределом числа итераций, пределом
      времени (--time-limit) или повтором базиса (зацикливание; правило Бленда
      --rule bland не зацикливается)
  4   метод неприменим (--method dual при не двойственно допустимом базисе,
      --integer при нецелой границе целочисленной переменной, --method potentials
      для модели, которая не транспортная задача)
  5   --check, --check-dir: в таблицах есть ошибки
  6   --check, --check-dir: таблицы верны, но решение не закончено
  7   предел числа узлов метода ветвей и границ (--nodes) исчерпан: ответ —
      лучшее найденное целое решение (или его нет)
  8   достигнут предел числа отсечений Гомори (--cuts) без целочисленного оптимума
  64  неверные параметры командной строки
  70  иной сбой (например, ошибка матрицы; описание — в стандартном потоке ошибок)

Переменные окружения:
  QTB_ENCODING   кодировка текстового отчёта по умолчанию: utf-8 или cp1251
                 (иное значение — ошибка, код 64); --encoding сильнее неё.
  QTB_MODEL_BOX  программа чтения моделей qtb-model-box, если не та, что рядом.

Примеры:
  qtb-solve examples/diet.qtb
  qtb-solve --tables none --json examples/models/diet.lp
  qtb-solve --encoding utf-8 --report production.txt examples/models/production_plan.mod
  qtb-solve --variants 30 --seed 7 --size 3x4 --sense min --rows ge --out группа-1
)";

std::string make_help() {
    std::string help(kHelpHead);
    for (const OptionSpec& option : kOptions) {
        help += "  ";
        if (!option.short_name.empty()) (help += option.short_name) += ", ";
        help += option.name;
        if (option.takes_value()) (help += ' ') += option.value;
        (help += '\n') += option.help;
    }
    return help += kHelpTail;
}

// The option spelt exactly `arg` that takes no value, or the one that takes a value and is named `name`.
const OptionSpec* switch_named(std::string_view arg) {
    for (const OptionSpec& option : kOptions) {
        if (!option.takes_value() && (arg == option.name || (!option.short_name.empty() && arg == option.short_name)))
            return &option;
    }
    return nullptr;
}

const OptionSpec* valued_option_named(std::string_view name) {
    for (const OptionSpec& option : kOptions) {
        if (option.takes_value() && name == option.name) return &option;
    }
    return nullptr;
}

}  // namespace

CommandLine parse_command_line(std::span<const std::string_view> args) {
    Options options;
    bool have_problem = false;
    bool options_ended = false;
    std::bitset<kOptions.size()> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options_ended || arg.size() < 2 || arg[0] != '-') {
            if (have_problem) return error("указано больше одного файла задачи");
            options.problem_file = std::string(arg);
            have_problem = true;
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        if (const OptionSpec* option = switch_named(arg)) {
            if (option->request == Request::help) return HelpRequest{};
            if (option->request == Request::version) return VersionRequest{};
            option->set(options, {});
            continue;
        }
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const OptionSpec* option = valued_option_named(name);
        if (option == nullptr) return error("неизвестный параметр " + std::string(arg));
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return error("параметру " + std::string(name) + " нужно значение");
        }
        const auto index = static_cast<std::size_t>(option - kOptions.data());
        if (given[index]) return error("параметр " + std::string(name) + " указан дважды");
        given[index] = true;
        if (auto refusal = option->set(options, value)) return error(std::move(*refusal));
    }
    if (options.tables && options.print) return error("--print нельзя указывать вместе с --tables");
    if (options.plot && options.write_qtb) return error("--plot нельзя указывать вместе с --write-qtb");
    if (options.write_dual && (options.write_qtb || options.plot || options.dual)) {
        return error("--write-dual нельзя указывать вместе с --write-qtb, --plot или --dual");
    }
    if (options.check && options.check_dir) return error("--check нельзя указывать вместе с --check-dir");
    if ((options.check || options.check_dir) &&
        (options.write_qtb || options.write_dual || options.plot || options.dual || options.sensitivity)) {
        return error(
            "--check и --check-dir нельзя указывать вместе с --write-qtb, --write-dual, --plot, --dual или "
            "--sensitivity");
    }
    if ((options.check || options.check_dir) && options.method.value_or(SolveMethod::big_m) != SolveMethod::big_m) {
        return error("--check и --check-dir проверяют таблицы только M-метода (--method big-m)");
    }
    if (!have_problem && !options.variants.count) return error("не указан файл задачи");
    return options;
}

std::optional<std::string> apply_encoding_variable(Options& options, const char* value) {
    if (options.encoding || value == nullptr) return std::nullopt;
    options.encoding = value_of_word(value, kEncodings);
    if (options.encoding) return std::nullopt;
    return std::string(kEncodingVariable) + "=" + value + ": ожидается cp1251 или utf-8 (или задайте --encoding)";
}

std::optional<std::string> refused_dual(const Options& options) {
    if (!options.dual && !options.write_dual) return std::nullopt;
    if (options.format.value_or(model_format_of_path(options.problem_file)) != ModelFormat::problem_file)
        return std::nullopt;
    return std::string(options.dual ? "--dual" : "--write-dual") +
           ": двойственная задача строится только для модели (.lp, .mps, .mod), а не для файла задачи";
}

std::optional<std::string> refused_variants(const Options& options) {
    const VariantsOptions& variants = options.variants;
    if (!variants.count) {
        if (variants.shaping()) {
            return std::string(
                "--seed, --size, --sense, --rows, --artificial, --iterations, --numbers, "
                "--template и --force указываются только вместе с --variants");
        }
        if (options.out && !options.check_dir) {
            return std::string("--out указывается только вместе с --variants или --check-dir");
        }
        return std::nullopt;
    }
    if (!options.problem_file.empty()) {
        return "с --variants файл задачи не указывается (образец задаётся параметром --template): " +
               options.problem_file;
    }
    if (!options.out) return std::string("--variants: укажите каталог вариантов параметром --out");
    if (variants.model && (variants.size || variants.maximize || variants.kinds || variants.artificial)) {
        return std::string(
            "--template задаёт размер, цель и виды строк: --size, --sense, --rows и --artificial "
            "с ним не указываются");
    }
    if (!variants.model && !variants.size) return std::string("--variants: укажите размер параметром --size");
    return std::nullopt;
}

bool asks_for_json(std::span<const std::string_view> args) {
    for (const std::string_view arg : args) {
        if (arg == "--") return false;
        if (arg == "--json") return true;
    }
    return false;
}

std::string version_text() {
    return "qtb-solve " QTB_VERSION "\nGLPK " + glpk_version() + "\nGMP " + gmp_version_text() + "\n";
}

std::string_view help_text() {
    static const std::string help = make_help();
    return help;
}

}  // namespace cli
