#pragma once

// GLPK's messages on a model it cannot read, in Russian for the common ones. GLPK
// speaks English; a student gets the Russian sentence first and GLPK's own words after
// it, so that neither is lost.

#include <optional>
#include <string>
#include <string_view>

// The Russian text for one message of GLPK's LP, MPS or MathProg reader (without its
// "file:line: " place), nothing when the table does not know it. Values GLPK put into
// the message (names, characters, numbers) come back in the Russian text; a character
// that is not ASCII is written as its byte value (0xD0).
std::optional<std::string> russian_glpk_message(std::string_view english);

// GLPK's message as shown: "file:line: " (when it has one), the Russian text and
// "(GLPK: english)" when the table knows the first line; other lines stay as they are.
std::string translated_glpk_message(const std::string& message);
