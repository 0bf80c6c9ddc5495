#pragma once

// What an explained report says of a table: the ratio column beside the grid and, under it, one
// sentence per choice of the engine and, after the last table, why the run ended. Everything is
// read from the choices the engine recorded (TableChoices), nothing is chosen again here.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "problem/table_look.h"

// The heading of the ratio column and the text of a row that does not qualify for the ratio test.
inline constexpr cp1251::Utf8Literal kRatioColumnHeading{"b / a"};
inline constexpr cp1251::Utf8Literal kNoRatio{"—"};

// Whether the table has a ratio column: a ratio test was made on it.
bool has_ratio_column(const TableLook& look);
// Row i's cell of the ratio column (UTF-8): b_i / a_is, or "—".
std::string_view ratio_column_text(const TableLook& look, std::uint32_t i);

// The sentences under the table (UTF-8, in letters the Windows-1251 report also has); none when
// the run explained nothing. `names` and `basis` are the table's: entry j the name of column j,
// entry i the column of row i's basic variable (entries 0 unused).
std::vector<std::string> choice_sentences(const TableLook& look, const std::vector<std::string>& names,
                                          const std::vector<std::uint32_t>& basis);

// An estimate M part first, then its plain part: "-2M + 3", "M", "-3/2".
std::string estimate_text(std::string_view m_part, std::string_view plain_part);
