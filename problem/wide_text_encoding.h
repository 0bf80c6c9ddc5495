#pragma once

// Texts saved as UTF-16 or UTF-32 (Windows' "Unicode" choice): neither a problem file
// nor a model can be read from them, and what the readers would say of their bytes
// (NUL bytes between the letters) tells a student nothing.

#include <optional>
#include <string>
#include <string_view>

// "UTF-16LE", "UTF-16BE", "UTF-32LE" or "UTF-32BE" when the bytes are such a text, by its
// byte-order mark or, without one, by where the NUL bytes of its first kilobyte stand.
std::optional<std::string_view> wide_text_encoding(std::string_view bytes);

// What to tell of a file in that encoding (UTF-8).
std::string wide_text_message(std::string_view encoding);
