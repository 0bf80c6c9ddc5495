#pragma once

// The tables a person wrote down, read from a text file: a copy of a report's tables as it
// stands (the ruled grid of either encoding), or the plain form typed by hand:
//
//     Вариант: 7
//     Таблица 0
//     Базис   X баз   x1   x2   x3
//     x3      4       2    2    1
//     M       -4      -2   -2   0
//     оценки  0       -2   -3   0
//
// one line per basic variable (its name, then the values of columns 0..n), the line of M
// coefficients (optional when they are all 0) and the line of plain parts. Numbers are integers,
// fractions "p/q" or decimals with a point or a comma. A line of a basic variable after the
// estimates starts the next table even without a "Таблица" line.

#include <gmpxx.h>

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The largest file of tables taken: a hundred tables of 30 x 30 fit in it many times over.
inline constexpr std::size_t kMaxWrittenTablesBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxWrittenTables = 1000;
inline constexpr std::size_t kMaxWrittenCells = 100000;  // in one table

struct WrittenNumber {
    std::string text;                // as written (UTF-8, trimmed); empty for a blank cell, which is 0
    std::optional<mpq_class> value;  // none: not a number
    int decimals = -1;               // digits after the decimal point; -1: an integer or a fraction, exact

    // Whether it stands for x: exactly, or for a decimal within half a unit of its last digit.
    bool stands_for(const mpq_class& x) const;
};

// Reads one cell; blanks around it do not count, and an empty text is 0.
WrittenNumber read_written_number(std::string_view text);

struct WrittenRow {
    std::string name;  // the basic variable, UTF-8
    std::vector<WrittenNumber> cells;
    std::size_t line = 0;  // in the file, from 1
};

struct WrittenTable {
    std::vector<WrittenRow> rows;
    std::optional<std::vector<WrittenNumber>> m_parts;  // none: not written, all 0
    std::optional<std::vector<WrittenNumber>> plain_parts;
    std::size_t line = 0;  // where it starts
};

struct WrittenTables {
    std::optional<unsigned> variant;  // from "Вариант: N" / "Variant: N"
    std::vector<WrittenTable> tables;
};

// A file that is no file of tables: too large, or too many tables or cells.
class WrittenTablesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of the file, UTF-8 or Windows-1251, LF or CR LF line ends.
WrittenTables read_written_tables(std::string_view bytes);
// The same from a file (its name as the file system takes it); throws WrittenTablesError when it
// cannot be read.
WrittenTables read_written_tables_file(const std::string& path);
