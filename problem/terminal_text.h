#pragma once

// Text from a student's file on its way to a terminal: a name may hold an escape sequence that
// would clear the screen, set the window's title or overwrite lines.

#include <string>
#include <string_view>

// The text with every control character written out: a byte below 0x20 or 0x7F as \xNN (\x1B),
// a C1 character (U+0080..U+009F) as \uNNNN (\u009B), and a byte outside well-formed UTF-8 as
// \xNN. The characters of `kept` stay as they are (line ends of a text of many lines).
std::string terminal_text(std::string_view text, std::string_view kept = {});
