#pragma once

#include <QString>

#include <cstdint>

// Numbers in the edit boxes of the main window.

// Reads a box the way atol reads a text: leading white space, one optional sign, the decimal digits
// up to the first other character; no digits there gives 0 and anything after them is ignored.
// A value beyond the signed 32-bit range gives the nearest end of that range.
std::int32_t read_edit_number(const QString& text);

// The decimal form of a number, with a leading "-" when negative and no other signs or blanks.
QString edit_number_text(std::int32_t value);
