#pragma once

// Text for outputs that must be UTF-8 (JSON): GLPK's messages may carry raw bytes of a model file,
// such as a Cyrillic name in a Windows-1251 LP file.

#include <string>
#include <string_view>

// The text with every byte that does not belong to a well-formed UTF-8 sequence read as a
// Windows-1251 character (the unassigned 0x98 as U+0098); valid UTF-8 stays as it is.
std::string valid_utf8(std::string_view text);

// The length of the well-formed UTF-8 sequence at the start of `text` (not empty), 0 when there is none.
std::size_t utf8_sequence_length(std::string_view text) noexcept;

// Code points, not bytes: the columns a fixed-width font gives UTF-8 text (a Cyrillic letter
// takes two bytes and one column).
std::size_t utf8_width(std::string_view utf8) noexcept;
