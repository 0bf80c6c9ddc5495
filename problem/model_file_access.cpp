#include "problem/model_file_access.h"

#include <utility>
#include <vector>

namespace {

struct Token {
    enum class Type { word, number, text, sign };
    Type type = Type::sign;
    std::string_view spelling;  // a text's without its quotes
    unsigned long line = 1;
};

bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The model's tokens as GLPK's scanner splits them, as far as the statements
// and their signs go; a text that GLPK would refuse is split somehow, since
// GLPK then stops before running anything.
std::vector<Token> tokens_of(std::string_view text) {
    std::vector<Token> tokens;
    unsigned long line = 1;
    std::size_t at = 0;
    const auto next_is = [&](std::size_t i, char c) { return i < text.size() && text[i] == c; };
    while (at < text.size()) {
        const char c = text[at];
        if (c == '\n') {
            ++line;
            ++at;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f') {
            ++at;
        } else if (c == '#') {
            while (at < text.size() && text[at] != '\n') ++at;
        } else if (c == '/' && next_is(at + 1, '*')) {
            at += 2;
            while (at < text.size() && !(text[at] == '*' && next_is(at + 1, '/'))) {
                if (text[at] == '\n') ++line;
                ++at;
            }
            at += 2;
        } else if (c == '\'' || c == '"') {
            const std::size_t start = ++at;
            while (at < text.size() && text[at] != '\n') {
                if (text[at] == c) {
                    if (!next_is(at + 1, c)) break;
                    ++at;  // a doubled quote stands for one
                }
                ++at;
            }
            tokens.push_back({Token::Type::text, text.substr(start, at - start), line});
            if (next_is(at, c)) ++at;
        } else if (is_letter(c) || is_digit(c) || (c == '.' && at + 1 < text.size() && is_digit(text[at + 1]))) {
            const std::size_t start = at;
            const bool word = is_letter(c);
            while (at < text.size() && (is_letter(text[at]) || is_digit(text[at]) || (!word && text[at] == '.'))) ++at;
            tokens.push_back({word ? Token::Type::word : Token::Type::number, text.substr(start, at - start), line});
        } else {
            // Two-character signs first: >= >> <= <> <- :=
            std::size_t length = 1;
            if ((c == '>' && (next_is(at + 1, '=') || next_is(at + 1, '>'))) ||
                (c == '<' && (next_is(at + 1, '=') || next_is(at + 1, '>') || next_is(at + 1, '-'))) ||
                (c == ':' && next_is(at + 1, '='))) {
                length = 2;
            }
            tokens.push_back({Token::Type::sign, text.substr(at, length), line});
            at += length;
        }
    }
    return tokens;
}

class StatementScan {
public:
    explicit StatementScan(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    std::optional<ModelFileAccess> model_section() {
        while (!at_end() && !is_word("data") && !is_word("end")) {
            if (auto access = statement()) return access;
        }
        return std::nullopt;
    }

private:
    bool at_end() const { return at_ >= tokens_.size(); }
    const Token& token() const { return tokens_[at_]; }
    bool is_word(std::string_view word) const {
        return !at_end() && token().type == Token::Type::word && token().spelling == word;
    }
    bool is_sign(std::string_view sign) const {
        return !at_end() && token().type == Token::Type::sign && token().spelling == sign;
    }
    bool opens() const { return is_sign("(") || is_sign("[") || is_sign("{"); }
    bool closes() const { return is_sign(")") || is_sign("]") || is_sign("}"); }

    std::optional<ModelFileAccess> statement() {
        const unsigned long line = token().line;
        if (is_word("table")) return ModelFileAccess{ModelFileAccess::Kind::table, line};
        if (is_word("for")) return for_statement();
        if (is_word("printf")) return printf_statement(line);
        while (!at_end() && !is_sign(";")) ++at_;
        ++at_;
        return std::nullopt;
    }

    // for <indexing expression> <statement> or for <indexing expression> { <statements> }
    std::optional<ModelFileAccess> for_statement() {
        ++at_;
        skip_brackets();
        if (!is_sign("{")) return at_end() ? std::nullopt : statement();
        ++at_;
        while (!at_end() && !is_sign("}")) {
            if (auto access = statement()) return access;
        }
        ++at_;
        return std::nullopt;
    }

    // printf <domain> : <format> , <entry> , ... [> or >> <file name>] ; where neither the
    // format nor an entry holds a comparison outside brackets, except in an `if` condition.
    std::optional<ModelFileAccess> printf_statement(unsigned long line) {
        ++at_;
        int depth = 0;
        int open_conditions = 0;
        for (; !at_end(); ++at_) {
            if (opens()) {
                ++depth;
            } else if (closes()) {
                if (depth > 0) --depth;
            } else if (depth == 0) {
                if (is_sign(";")) break;
                if (is_word("if")) ++open_conditions;
                if (is_word("then") && open_conditions > 0) --open_conditions;
                if (open_conditions == 0 && (is_sign(">") || is_sign(">>"))) {
                    return ModelFileAccess{is_sign(">") ? ModelFileAccess::Kind::printf_to_file
                                                        : ModelFileAccess::Kind::printf_appended_to_file,
                                           line};
                }
            }
        }
        ++at_;
        return std::nullopt;
    }

    void skip_brackets() {
        if (!opens()) return;
        int depth = 0;
        do {
            if (opens()) ++depth;
            if (closes()) --depth;
            ++at_;
        } while (!at_end() && depth > 0);
    }

    std::vector<Token> tokens_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<ModelFileAccess> find_model_file_access(std::string_view model_text) {
    return StatementScan(tokens_of(model_text)).model_section();
}

std::string model_file_access_message(const ModelFileAccess& access, std::string_view file_name) {
    std::string message(file_name);
    message += ':' + std::to_string(access.line) + ": ";
    switch (access.kind) {
        case ModelFileAccess::Kind::table:
            message += "оператор table обращается к файлам";
            break;
        case ModelFileAccess::Kind::printf_to_file:
            message += "оператор printf с > выводит в файл";
            break;
        case ModelFileAccess::Kind::printf_appended_to_file:
            message += "оператор printf с >> дописывает в файл";
            break;
    }
    return message + "; модели не позволено читать и писать файлы";
}

std::optional<ModelDeepNesting> find_deep_nesting(std::string_view model_text) {
    int depth = 0;
    int chain = 0;
    std::string_view previous;
    for (const Token& token : tokens_of(model_text)) {
        const std::string_view spelling = token.spelling;
        if (token.type == Token::Type::word) {
            if ((spelling == "if" || spelling == "not") && ++chain > kMaxModelChain)
                return ModelDeepNesting{token.line, false};
        } else if (token.type == Token::Type::sign) {
            if (spelling == "(" || spelling == "[" || spelling == "{") {
                if (++depth > kMaxModelNesting) return ModelDeepNesting{token.line, true};
            } else if ((spelling == ")" || spelling == "]" || spelling == "}") && depth > 0) {
                --depth;
            } else if (spelling == ";") {
                chain = 0;
            }
            if ((spelling == "{" || spelling == "^" || spelling == "!" || (spelling == "*" && previous == "*")) &&
                ++chain > kMaxModelChain) {
                return ModelDeepNesting{token.line, false};
            }
        }
        previous = token.type == Token::Type::sign ? spelling : std::string_view();
    }
    return std::nullopt;
}

std::string deep_nesting_message(const ModelDeepNesting& nesting, std::string_view file_name) {
    std::string message = std::string(file_name) + ':' + std::to_string(nesting.line) + ": ";
    if (nesting.brackets) {
        message += "скобки вложены глубже " + std::to_string(kMaxModelNesting) + " уровней";
    } else {
        message +=
            "в операторе больше " + std::to_string(kMaxModelChain) + " вложенных операций (^, **, if, not, !, {...})";
    }
    return message + "; такую модель GLPK не читает";
}
