#pragma once

// Whether a GNU MathProg model would open files of its own when GLPK
// translates it: a `table` statement reads or writes one, and a `printf`
// redirected with `>` or `>>` writes one. Display output has no redirection in
// MathProg (a `>` there is a comparison), and a data section holds only set
// and parameter data, so the model section is all there is to look at; it
// ends at a `data;` or `end;` statement.

#include <optional>
#include <string>
#include <string_view>

struct ModelFileAccess {
    enum class Kind { table, printf_to_file, printf_appended_to_file };
    Kind kind = Kind::table;
    unsigned long line = 0;  // of the statement's keyword, from 1
};

// The first statement of the model text that would touch a file, if any. The
// text is taken as GLPK takes it: comments (# to the end of the line, /* */),
// strings ('...' and "..." with doubled quotes, never past the line's end) and
// statements ended by ';', `for` bodies included.
std::optional<ModelFileAccess> find_model_file_access(std::string_view model_text);

// The refusal in Russian (UTF-8), located as GLPK's own messages:
// "<file name>:<line>: ...".
std::string model_file_access_message(const ModelFileAccess& access, std::string_view file_name);

// Brackets ( [ { nested deeper than this are refused before GLPK, whose parser
// descends once for each, sees them; and so is a statement with more than
// kMaxModelChain of the operations it also parses by descending: powers (^, **),
// `if`, `not`, `!` and the braces of iterated operators and sets.
inline constexpr int kMaxModelNesting = 200;
inline constexpr int kMaxModelChain = 1000;

struct ModelDeepNesting {
    unsigned long line = 0;
    bool brackets = true;  // else a chain of operations
};

// The first place where the model text nests deeper than those limits, if any,
// comments and strings left aside.
std::optional<ModelDeepNesting> find_deep_nesting(std::string_view model_text);

// "<file name>:<line>: ..." in Russian.
std::string deep_nesting_message(const ModelDeepNesting& nesting, std::string_view file_name);
