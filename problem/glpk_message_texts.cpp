#include "problem/glpk_message_texts.h"

#include <array>
#include <vector>

#include "problem/model_error_place.h"

namespace {

// GLPK's pattern (%s any text, %c one character, %d a number) and the Russian text, in
// which {1}, {2}, ... stand for what the pattern's fields took, in their order.
struct Translation {
    std::string_view english;
    std::string_view russian;
};

constexpr std::string_view kLatinNames =
    "имена пишутся латинскими буквами, цифрами и знаком _ (кириллица и другие буквы не допускаются)";

constexpr std::array kTranslations = {
    // CPLEX LP
    Translation{"constraints section missing", "нет раздела ограничений (Subject To)"},
    Translation{"'minimize' or 'maximize' keyword missing",
                "нет ключевого слова minimize или maximize в начале целевой функции"},
    Translation{"missing constraint sense", "у ограничения нет знака (<=, >= или =)"},
    Translation{"missing right-hand side", "у ограничения нет правой части"},
    Translation{"missing variable name", "пропущено имя переменной"},
    Translation{"missing upper bound", "пропущена верхняя граница"},
    Translation{"missing lower bound", "пропущена нижняя граница"},
    Translation{"missing fixed value", "пропущено значение закреплённой переменной"},
    Translation{"invalid bound definition", "неверно записана граница переменной"},
    Translation{"keyword 'end' missing", "нет ключевого слова End в конце модели"},
    Translation{"missing final end of line", "последняя строка файла не закончена переводом строки"},
    Translation{"token '%s...' too long", "слишком длинное слово «{1}...»"},
    Translation{"invalid use of decimal point", "десятичная точка стоит не на месте"},
    Translation{"keyword 'subject to' incomplete", "ключевое слово subject to написано не полностью"},
    Translation{"keyword 'such that' incomplete", "ключевое слово such that написано не полностью"},
    Translation{"keyword '%s...' not recognized", "неизвестное ключевое слово «{1}...»"},
    Translation{"numeric constant '%s' incomplete", "число «{1}» записано не полностью"},
    Translation{"numeric constant '%s' out of range", "число «{1}» вне допустимого диапазона"},
    Translation{"character '%c' not recognized", "недопустимый символ «{1}»"},
    Translation{"invalid control character 0x%s", "недопустимый управляющий символ 0x{1}"},
    Translation{"multiple use of variable '%s' not allowed", "переменная «{1}» встречается в строке дважды"},
    Translation{"constraint '%s' multiply defined", "ограничение «{1}» определено дважды"},
    Translation{"invalid symbol(s) beyond right-hand side", "лишние символы после правой части ограничения"},
    Translation{"invalid use of '+inf' as lower bound", "+inf не может быть нижней границей"},
    Translation{"invalid use of '-inf' as upper bound", "-inf не может быть верхней границей"},
    Translation{"missing '<', '<=', or '=<' after lower bound", "после нижней границы нет знака <="},
    Translation{"symbol '%s' in wrong position", "символ «{1}» стоит не на своём месте"},
    Translation{"extra symbol(s) detected beyond 'end'", "после End есть лишний текст"},
    Translation{"lower bound of variable '%s' redefined", "нижняя граница переменной «{1}» задана повторно"},
    Translation{"upper bound of variable '%s' redefined", "верхняя граница переменной «{1}» задана повторно"},
    // MPS
    Translation{"unexpected end of file", "файл неожиданно закончился"},
    Translation{"invalid indicator record", "неизвестный раздел (строка-заголовок) MPS"},
    Translation{"missing NAME indicator record", "нет строки NAME"},
    Translation{"missing ROWS indicator record", "нет раздела ROWS"},
    Translation{"missing COLUMNS indicator record", "нет раздела COLUMNS"},
    Translation{"missing model name in field 3", "нет имени модели в поле 3"},
    Translation{"missing row type in field 1", "нет типа строки (N, L, G, E) в поле 1"},
    Translation{"invalid row type in field 1", "неверный тип строки в поле 1 (допустимы N, L, G, E)"},
    Translation{"missing row name in field %d", "нет имени строки в поле {1}"},
    Translation{"missing column name in field %d", "нет имени столбца в поле {1}"},
    Translation{"row '%s' multiply specified", "строка «{1}» задана дважды"},
    Translation{"column '%s' multiply specified", "столбец «{1}» задан дважды (его записи должны идти подряд)"},
    Translation{"row '%s' not found", "строка «{1}» не объявлена в разделе ROWS"},
    Translation{"objective row '%s' not found", "строка цели «{1}» не найдена"},
    Translation{"column '%s' not found", "столбец «{1}» не найден"},
    Translation{"unable to determine objective row", "не удаётся определить строку цели (типа N)"},
    Translation{"field %d must be blank", "поле {1} должно быть пустым"},
    Translation{"missing numeric value in field %d", "нет числа в поле {1}"},
    Translation{"cannot convert '%s' to floating-point number", "«{1}» не число"},
    Translation{"duplicate coefficient in row '%s'", "повторный коэффициент в строке «{1}»"},
    Translation{"duplicate right-hand side for row '%s'", "повторная правая часть строки «{1}»"},
    Translation{"duplicate range for row '%s'", "повторный диапазон строки «{1}»"},
    Translation{"missing RHS vector name in field 2", "нет имени вектора правых частей в поле 2"},
    Translation{"multiple RHS vectors not supported", "больше одного вектора правых частей не допускается"},
    Translation{"multiple RANGES vectors not supported", "больше одного вектора RANGES не допускается"},
    Translation{"multiple BOUNDS vectors not supported", "больше одного вектора BOUNDS не допускается"},
    Translation{"missing bound type in field 1", "нет типа границы в поле 1"},
    Translation{"invalid bound type in field 1", "неверный тип границы в поле 1 (UP, LO, FX, FR, MI, PL, ...)"},
    Translation{"duplicate lower bound for column '%s'", "повторная нижняя граница столбца «{1}»"},
    Translation{"duplicate upper bound for column '%s'", "повторная верхняя граница столбца «{1}»"},
    Translation{"invalid use of %s indicator record", "раздел {1} стоит не на своём месте"},
    Translation{"missing keyword in field 5", "нет ключевого слова в поле 5"},
    Translation{"invalid keyword in field 5", "неверное ключевое слово в поле 5"},
    Translation{"in fixed MPS format record must not be longer than 80 characters",
                "в фиксированном формате MPS строка не длиннее 80 символов"},
    Translation{"in fixed MPS format positions %d-%d must be blank",
                "в фиксированном формате MPS позиции {1}-{2} должны быть пустыми"},
    Translation{"length of field %d exceeds 255 characters", "поле {1} длиннее 255 символов"},
    // GNU MathProg
    Translation{"%s not defined", "«{1}» не объявлено"},
    Translation{"%s multiply declared", "«{1}» объявлено дважды"},
    Translation{"syntax error in expression", "синтаксическая ошибка в выражении"},
    Translation{"syntax error in model section", "синтаксическая ошибка в разделе модели"},
    Translation{"syntax error in data section", "синтаксическая ошибка в разделе данных"},
    Translation{"syntax error in %s statement", "синтаксическая ошибка в операторе {1}"},
    Translation{"syntax error in %s", "синтаксическая ошибка: {1}"},
    Translation{"semicolon missing where expected", "пропущена точка с запятой"},
    Translation{"colon missing where expected", "пропущено двоеточие"},
    Translation{"right parenthesis missing where expected", "пропущена закрывающая скобка"},
    Translation{"left parenthesis missing where expected", "пропущена открывающая скобка"},
    Translation{"%s missing where expected", "пропущено: {1}"},
    Translation{"character %c not allowed", "недопустимый символ «{1}»"},
    Translation{"control character 0x%s not allowed", "недопустимый управляющий символ 0x{1}"},
    Translation{"final NL missing before end of file", "последняя строка файла не закончена переводом строки"},
    Translation{"unexpected end of file; missing end statement inserted",
                "файл закончился без оператора end; он добавлен"},
    Translation{"unexpected end of line; string literal incomplete", "строка в кавычках не закрыта до конца строки"},
    Translation{"unexpected end of file; comment sequence incomplete", "комментарий /* не закрыт до конца файла"},
    Translation{"multiplication of linear forms not allowed",
                "произведение переменных не допускается: модель должна быть линейной"},
    Translation{"%s must be subscripted", "у «{1}» должны быть индексы в квадратных скобках"},
    Translation{"%s cannot be subscripted", "у «{1}» не может быть индексов"},
    Translation{"%s must have %d subscript%s rather than %d", "у «{1}» должно быть индексов: {2}, а не {4}"},
    Translation{"invalid use of reserved keyword %s", "{1} — зарезервированное слово, его нельзя использовать как имя"},
    Translation{"numeric literal %s incomplete", "число {1} записано не полностью"},
    Translation{"no value for %s", "нет значения для {1}"},
    Translation{"%s out of domain", "{1} вне области определения"},
    Translation{"%s already provided with data", "для «{1}» данные уже заданы"},
    Translation{"%s requires numeric data", "для «{1}» нужны числовые данные"},
    Translation{"empty model section not allowed", "раздел модели пуст"},
    Translation{"constraint must be equality or inequality", "ограничение должно быть равенством или неравенством"},
    Translation{"strict inequality not allowed", "строгие неравенства (< и >) не допускаются"},
    Translation{"%s / %s; floating-point zero divide", "деление на ноль: {1} / {2}"},
    Translation{"function %s unknown", "неизвестная функция {1}"},
    Translation{"operand preceding %s has invalid type", "операнд перед {1} имеет неверный тип"},
    Translation{"operand following %s has invalid type", "операнд после {1} имеет неверный тип"},
    Translation{"symbolic name missing where expected", "пропущено имя"},
    Translation{"at most one solve statement allowed", "оператор solve может быть только один"},
    Translation{"unable to open %s - %s", "не удаётся открыть {1}: {2}"},
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Whether text matches pattern from the given places on; the fields taken are appended to `fields`.
bool matches(std::string_view pattern, std::string_view text, std::vector<std::string_view>& fields) {
    if (pattern.empty()) return text.empty();
    if (pattern.size() >= 2 && pattern[0] == '%') {
        const char kind = pattern[1];
        const std::string_view rest = pattern.substr(2);
        if (kind == 'c') {
            if (text.empty()) return false;
            fields.push_back(text.substr(0, 1));
            if (matches(rest, text.substr(1), fields)) return true;
            fields.pop_back();
            return false;
        }
        // %d takes one digit or more, %s one character or more; the shortest that lets the rest match.
        for (std::size_t length = 1; length <= text.size(); ++length) {
            if (kind == 'd' && !is_digit(text[length - 1])) return false;
            fields.push_back(text.substr(0, length));
            if (matches(rest, text.substr(length), fields)) return true;
            fields.pop_back();
        }
        return false;
    }
    return !text.empty() && text[0] == pattern[0] && matches(pattern.substr(1), text.substr(1), fields);
}

// A field as it stands in the Russian text: a byte outside ASCII as its value.
std::string shown_field(std::string_view field) {
    std::string shown;
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            shown += c;
            continue;
        }
        constexpr std::string_view kHex = "0123456789ABCDEF";
        shown += "0x";
        shown += kHex[byte >> 4];
        shown += kHex[byte & 0xF];
    }
    return shown;
}

std::string filled(std::string_view russian, const std::vector<std::string_view>& fields) {
    std::string text;
    for (std::size_t at = 0; at < russian.size(); ++at) {
        if (russian[at] == '{' && at + 2 < russian.size() && is_digit(russian[at + 1]) && russian[at + 2] == '}') {
            const auto index = static_cast<std::size_t>(russian[at + 1] - '1');
            if (index < fields.size()) text += shown_field(fields[index]);
            at += 2;
            continue;
        }
        text += russian[at];
    }
    return text;
}

// A name GLPK stopped at because of a letter outside ASCII: a Cyrillic name, most likely.
bool is_foreign_letter(std::string_view pattern, const std::vector<std::string_view>& fields) {
    return pattern.find("%c") != std::string_view::npos && !fields.empty() && !fields[0].empty() &&
           static_cast<unsigned char>(fields[0][0]) >= 0x80;
}

// Where GLPK's own words begin after "file:line: ", 0 when the line names no place.
std::size_t text_start(std::string_view line) {
    const std::optional<LinePlaceMark> mark = line_place_mark(line);
    return mark ? mark->words : 0;
}

}  // namespace

std::optional<std::string> russian_glpk_message(std::string_view english) {
    for (const Translation& translation : kTranslations) {
        std::vector<std::string_view> fields;
        if (!matches(translation.english, english, fields)) continue;
        std::string russian = filled(translation.russian, fields);
        if (is_foreign_letter(translation.english, fields)) russian += "; " + std::string(kLatinNames);
        return russian;
    }
    return std::nullopt;
}

std::string translated_glpk_message(const std::string& message) {
    const std::size_t line_end = std::min(message.find('\n'), message.size());
    const std::string_view first(message.data(), line_end);
    const std::size_t start = text_start(first);
    const std::string_view english = first.substr(start);
    const std::optional<std::string> russian = russian_glpk_message(english);
    if (!russian) return message;
    return std::string(first.substr(0, start)) + *russian + " (GLPK: " + std::string(english) + ")" +
           message.substr(line_end);
}
