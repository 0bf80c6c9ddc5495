#pragma once

#include <optional>
#include <string>
#include <string_view>

// The bytes of a problem file as the Windows-1251 text the reader takes. A file
// that starts with the UTF-8 byte-order mark, or is valid UTF-8 holding at least
// one multi-byte sequence, is UTF-8 and is converted; any other file is
// Windows-1251 already (real Russian text in it is practically never valid UTF-8).
// Throws SimplexIteration::bad_simplex with code 20 when UTF-8 text holds a
// character that Windows-1251 lacks (or, after a byte-order mark, is malformed).
std::string problem_file_text(std::string bytes);

// The same decision without a copy: the converted text when the bytes are UTF-8,
// nothing when they are Windows-1251 already.
std::optional<std::string> converted_problem_file_text(std::string_view bytes);
