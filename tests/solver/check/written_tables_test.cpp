#include "solver/check/written_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "problem/cp1251.h"

namespace {

struct NumberCase {
    const char* text;
    bool number;
    const char* value;  // as mpq reads it
    int decimals;
};

TEST(WrittenNumber, ReadsFractionsDecimalsAndIntegers) {
    const NumberCase cases[] = {
        {"1/3", true, "1/3", -1},       {"-4/6", true, "-2/3", -1}, {"-2,50", true, "-5/2", 2},
        {"0.33", true, "33/100", 2},    {"  7 ", true, "7", -1},    {"", true, "0", -1},
        {"\u22121.5", true, "-3/2", 1}, {"+.5", true, "1/2", 1},    {"4/0", false, "", 0},
        {"abc", false, "", 0},          {"1.2.3", false, "", 0},    {"M", false, "", 0},
    };
    for (const NumberCase& c : cases) {
        const WrittenNumber x = read_written_number(c.text);
        ASSERT_EQ(x.value.has_value(), c.number) << c.text;
        if (!c.number) continue;
        EXPECT_EQ(*x.value, mpq_class(c.value)) << c.text;
        EXPECT_EQ(x.decimals, c.decimals) << c.text;
    }
}

TEST(WrittenNumber, DecimalStandsForWhatRoundsToItsDigits) {
    const struct {
        const char* text;
        const char* exact;
        bool right;
    } cases[] = {
        {"0.33", "1/3", true},   {"0.34", "1/3", false}, {"0.3", "1/3", true},   {"0.333", "1/3", true},
        {"0.67", "2/3", true},   {"0.66", "2/3", false}, {"0.125", "1/8", true}, {"0.13", "1/8", true},
        {"0.12", "1/8", true},   {"0.11", "1/8", false}, {"1/3", "1/3", true},   {"3", "10/3", false},
        {"-0.50", "-1/2", true}, {"0.5", "-1/2", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read_written_number(c.text).stands_for(mpq_class(c.exact)), c.right) << c.text << " ~ " << c.exact;
    }
}

// The plain form, the grid of a report in Windows-1251 with CR LF, and the variant line.
TEST(WrittenTables, ReadsThePlainFormAndACopyOfAReport) {
    const std::string plain =
        "Вариант: 7\n# a comment\nТаблица 0\nБазис X x1 x2 x3\nx3 4 2 2 1\nM -4 -2 -2 0\nоценки 0 -2 -3 0\n"
        "x2: 2 1 1 1/2\nоценки 6 1 0 3/2\n";
    const std::string grid = cp1251::from_utf8(
                                 "Задача: Пример\n"
                                 "                          +--------+--------+--------+\n"
                                 "     исходная таблица     |   2.00 |   3.00 |     -M |\n"
                                 "+--------+-------+--------+--------+--------+--------+\n"
                                 "|  C баз |  Имя  |  X баз |  x1    |  x2    |  x3    |\n"
                                 "|     -M |  x3   |   4.00 |   2.00 |   2.00 |   1.00 |\n"
                                 "|     строка     |  -4.00 |  -2.00 |  -2.00 |        |\n"
                                 "|   о ц е н о к  |   0.00 |  -2.00 |  -3.00 |   0.00 |\n"
                                 "ключевой столбец: 2  ключевая строка: 1\n"
                                 "  Итерация: 1   (оптимум) |   2.00 |   3.00 |     -M |\n"
                                 "|   3.00 |  x2   |   2.00 |   1.00 |   1.00 |   0.50 |\n"
                                 "|     строка     |        |        |        |   1.00 |\n"
                                 "|   о ц е н о к  |   6.00 |   1.00 |   0.00 |   1.50 |\n")
                                 .value();
    std::string crlf;
    for (const char c : grid) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& text : {plain, crlf}) {
        const WrittenTables read = read_written_tables(text);
        ASSERT_EQ(read.tables.size(), 2u);
        const WrittenTable& first = read.tables[0];
        ASSERT_EQ(first.rows.size(), 1u);
        EXPECT_EQ(first.rows[0].name, "x3");
        ASSERT_EQ(first.rows[0].cells.size(), 4u);
        EXPECT_EQ(*first.rows[0].cells[0].value, 4);
        ASSERT_TRUE(first.m_parts && first.plain_parts);
        EXPECT_EQ(*(*first.m_parts)[3].value, 0);
        EXPECT_EQ(*(*first.plain_parts)[2].value, -3);
        const WrittenTable& second = read.tables[1];
        ASSERT_EQ(second.rows.size(), 1u);
        EXPECT_EQ(second.rows[0].name, "x2");
        EXPECT_EQ(*second.rows[0].cells[3].value, mpq_class(1, 2));
        EXPECT_EQ(*(*second.plain_parts)[3].value, mpq_class(3, 2));
    }
    EXPECT_EQ(read_written_tables(plain).variant, 7u);
    EXPECT_FALSE(read_written_tables(crlf).variant);
}

TEST(WrittenTables, RefusesAFileLargerThanAnyTables) {
    EXPECT_THROW(read_written_tables(std::string(kMaxWrittenTablesBytes + 1, ' ')), WrittenTablesError);
    std::string many;
    for (std::size_t k = 0; k <= kMaxWrittenTables; ++k) many += "x1 1\nоценки 0\n";
    EXPECT_THROW(read_written_tables(many), WrittenTablesError);
}

}  // namespace
