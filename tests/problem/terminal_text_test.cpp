// Names on their way to a terminal: nothing in them reaches it as a control character.

#include <gtest/gtest.h>

#include <string>

#include "problem/terminal_text.h"

namespace {

TEST(TerminalText, WritesOutEveryControlCharacter) {
    const struct {
        std::string text, kept, shown;
    } cases[] = {
        {"x1 Пример", "", "x1 Пример"},
        {"\x1b]0;title\x07", "", "\\x1B]0;title\\x07"},                    // sets the window's title
        {"a\x1b[2Jb\x1b[1A", "", "a\\x1B[2Jb\\x1B[1A"},                    // clears, moves up
        {"line\r\nnext\tend\x7f", "", "line\\x0D\\x0Anext\\x09end\\x7F"},  // overwrites the line
        {"line\r\nnext\tend", "\n\t", "line\\x0D\nnext\tend"},             // a model's layout kept
        {"\xc2\x9b"
         "2J \xc2\x85 \xc2\xa0",
         "", "\\u009B2J \\u0085 \xc2\xa0"},  // C1 controls; NBSP stays
        {"\x9b"
         "2J \xff",
         "", "\\x9B2J \\xFF"},  // bytes outside UTF-8
        {std::string("a\0b", 3), "", "a\\x00b"},
    };
    for (const auto& c : cases) EXPECT_EQ(terminal_text(c.text, c.kept), c.shown) << c.shown;
}

}  // namespace
