#pragma once

// A decimal comma in an LP or MPS model, which GLPK cannot read ("2,5" for 2.5): found after GLPK has
// failed on the file, so that the user is told what to write instead.

#include <optional>
#include <string>
#include <string_view>

struct ModelDecimalComma {
    unsigned line;       // from 1
    std::string number;  // as written, e.g. "2,5"
    friend bool operator==(const ModelDecimalComma&, const ModelDecimalComma&) = default;
};

// The first number written with a decimal comma in the text of an LP or MPS model: digits, a comma,
// digits and an optional exponent, standing on its own (not inside a name such as x1,2). Comments
// (from a backslash to the line's end, and MPS lines that begin with an asterisk) are not looked at.
std::optional<ModelDecimalComma> find_model_decimal_comma(std::string_view text);

// The message for it: "строка 3: десятичная запятая в числе «2,5»: ...".
std::string model_decimal_comma_message(const ModelDecimalComma& comma);
