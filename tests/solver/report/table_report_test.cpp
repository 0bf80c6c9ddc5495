#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "problem/simplex_iteration.h"
#include "solver/report/report_writer.h"

namespace {

// Expected report text written readably: UTF-8 with "\n", turned into the
// report's Windows-1251 bytes with CR LF.
std::string report_text(std::string_view utf8) {
    const std::string bytes = cp1251::from_utf8(utf8).value();
    std::string text;
    for (const char c : bytes) {
        if (c == '\n') text += '\r';
        text += c;
    }
    return text;
}

std::string cp(std::string_view utf8) { return cp1251::from_utf8(utf8).value(); }

// A record of the given table (row 0 the costs, column 0 the right-hand sides)
// and basis (entry 0 the marker), with its widths computed.
SimplexIteration make_record(const std::vector<std::vector<double>>& rows, std::vector<std::uint32_t> basis, int width,
                             int precision) {
    SimplexIteration r;
    r.aim = 1;
    const auto m = static_cast<std::uint32_t>(rows.size() - 1);
    const auto n = static_cast<std::uint32_t>(rows[0].size() - 1);
    r.table.resize(m + 1, n + 1);
    for (std::uint32_t i = 0; i <= m; ++i)
        for (std::uint32_t j = 0; j <= n; ++j) r.table(i, j) = rows[i][j];
    r.estimates.resize(2, n + 1);
    r.basis = std::move(basis);
    r.width = width;
    r.precision = precision;
    r.file = "report.txt";
    r.compute_col_widths();
    return r;
}

void set_estimates(SimplexIteration& r, const std::vector<double>& m_parts, const std::vector<double>& plain_parts) {
    for (std::uint32_t k = 0; k < m_parts.size(); ++k) {
        r.estimates(0, k) = m_parts[k];
        r.estimates(1, k) = plain_parts[k];
    }
}

std::string print(SimplexIteration& r) {
    std::ostringstream out;
    r.print_table(out);
    EXPECT_TRUE(out.good());
    return out.str();
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Runs a helper that writes through a ReportWriter and returns its bytes.
template <typename Write>
std::string written(Write write) {
    std::ostringstream out;
    {
        ReportWriter writer(out);
        write(writer);
    }
    return out.str();
}

// The two tables of a small maximisation, before and after its one pivot.
TEST(TableReport, WorkedExampleByteForByte) {
    SimplexIteration r = make_record({{0, 2, 3, -BIG_M}, {4, 2, 2, 1}}, {0, 3}, 6, 2);
    r.name = cp("Пример");
    set_estimates(r, {-4, -2, -2, 0}, {0, -2, -3, 0});
    r.pivot_col = 2;
    r.pivot_row = 1;
    std::ostringstream out;
    r.print_table(out);

    r.basis[1] = 2;
    for (std::uint32_t j = 0; j <= 3; ++j) r.table(1, j) = std::vector<double>{2, 1, 1, 0.5}[j];
    set_estimates(r, {0, 0, 0, 1}, {6, 1, 0, 1.5});
    r.iterations = 1;
    r.pivot_col = 0;
    r.print_table(out);

    EXPECT_EQ(out.str(), report_text(R"(Задача: Пример
                          +--------+--------+--------+
     исходная таблица     |   2.00 |   3.00 |     -M |
+--------+-------+--------+--------+--------+--------+
|  C баз |  Имя  |  X баз |  x1    |  x2    |  x3    |
+--------+-------+--------+--------+--------+--------+
|     -M |  x3   |   4.00 |   2.00 |   2.00 |   1.00 |
+--------+-------+--------+--------+--------+--------+
|     строка     |  -4.00 |  -2.00 |  -2.00 |        |
|   о ц е н о к  |   0.00 |  -2.00 |  -3.00 |   0.00 |
+----------------+--------+--------+--------+--------+
ключевой столбец: 2  ключевая строка: 1

                          +--------+--------+--------+
  Итерация: 1   (оптимум) |   2.00 |   3.00 |     -M |
+--------+-------+--------+--------+--------+--------+
|  C баз |  Имя  |  X баз |  x1    |  x2    |  x3    |
+--------+-------+--------+--------+--------+--------+
|   3.00 |  x2   |   2.00 |   1.00 |   1.00 |   0.50 |
+--------+-------+--------+--------+--------+--------+
|     строка     |        |        |        |   1.00 |
|   о ц е н о к  |   6.00 |   1.00 |   0.00 |   1.50 |
+----------------+--------+--------+--------+--------+
получено оптимальное решение !

)"));
}

// Two constraint rows, a long name widening its column, the name column
// narrowed to the basic variables' names and following the basis.
TEST(TableReport, VariableNamesSetTheHeadingsAndTheNameColumn) {
    SimplexIteration r = make_record({{0, 3, 2.5, 0, 0}, {10, 1, 2, 1, 0}, {8, 2, 1, 0, 1}}, {0, 3, 4}, 5, 1);
    r.var_names.emplace(std::vector<std::string>{"", "p", "quantity", "s1", "s2"});
    r.compute_col_widths();
    set_estimates(r, {0, 0, 0, 0, 0}, {0, -3, -2.5, 0, 0});
    r.pivot_col = 1;
    r.pivot_row = 2;
    EXPECT_EQ(print(r), report_text(R"(                      +-------+----------+-------+-------+
   исходная таблица   |   3.0 |      2.5 |   0.0 |   0.0 |
+-------+-----+-------+-------+----------+-------+-------+
| C баз | Имя | X баз |   p   | quantity |   s1  |   s2  |
+-------+-----+-------+-------+----------+-------+-------+
|   0.0 |  s1 |  10.0 |   1.0 |      2.0 |   1.0 |   0.0 |
+-------+-----+-------+-------+----------+-------+-------+
|   0.0 |  s2 |   8.0 |   2.0 |      1.0 |   0.0 |   1.0 |
+-------+-----+-------+-------+----------+-------+-------+
|    строка   |       |       |          |       |       |
| о ц е н о к |   0.0 |  -3.0 |     -2.5 |   0.0 |   0.0 |
+-------------+-------+-------+----------+-------+-------+
ключевой столбец: 1  ключевая строка: 2

)"));
    EXPECT_EQ(r.col_widths[-1], 3u);

    // After a pivot the long name is basic: the name column widens to it.
    r.basis[1] = 2;
    r.iterations = 1;
    const auto lines = lines_of(print(r));
    EXPECT_EQ(r.col_widths[-1], 8u);
    EXPECT_EQ(lines[3], cp("| C баз |    Имя   | X баз |   p   | quantity |   s1  |   s2  |"));
    EXPECT_EQ(lines[5].substr(0, 19), "|   2.5 | quantity ");
    EXPECT_EQ(lines[7].substr(0, 19), "|   0.0 |    s2    ");
    EXPECT_EQ(lines[0].size(), lines[2].size());
}

// Width 1 and precision 0: headings wider than their fields keep one blank on
// each side, numbers wider than their cells push the line to the right, and a
// "-M" keeps its blank.
TEST(TableReport, NarrowColumnsOverflowWithoutLosingText) {
    SimplexIteration r = make_record({{0, 5, -BIG_M}, {12, 1, 1}}, {0, 2}, 1, 0);
    r.name = "t";
    set_estimates(r, {-12, -1, 0}, {0, -5, 0});
    r.pivot_col = 1;
    r.pivot_row = 1;
    EXPECT_EQ(print(r), report_text(R"(Задача: t
                +---+---+
 исходная таблица | 5 | -M |
+---+-------+---+---+---+
| C баз |  Имя  | X баз | x1   | x2   |
+---+-------+---+---+---+
| -M |  x2   |12 | 1 | 1 |
+---+-------+---+---+---+
|   строка  |-12 |-1 |   |
| о ц е н о к | 0 |-5 | 0 |
+-----------+---+---+---+
ключевой столбец: 1  ключевая строка: 1

)"));
}

TEST(TableReport, CellsForEveryWidth) {
    SimplexIteration r = make_record({{0, 1, 1, 1, 1, 1, 1}, {1, 1, 0, 0, 0, 0, 0}}, {0, 1}, 6, 2);
    for (int k = 1; k <= 3; ++k) r.col_widths[k] = static_cast<std::uint32_t>(k);
    const auto cell = [&](double x, int k) { return written([&](ReportWriter& w) { r.print_cell(w, x, k); }); };
    EXPECT_EQ(cell(BIG_M, 1), "| M ");
    EXPECT_EQ(cell(-BIG_M, 1), "| -M ");  // one blank even where the cell overflows
    EXPECT_EQ(cell(BIG_M, 2), "|  M ");
    EXPECT_EQ(cell(-BIG_M, 2), "| -M ");
    EXPECT_EQ(cell(-BIG_M, 3), "|  -M ");
    EXPECT_EQ(cell(BIG_M, 0), "|      M ");
    EXPECT_EQ(cell(BIG_M - 1, 0), "|2147483636.00 ");  // only BIG_M itself is M
    EXPECT_EQ(cell(-(BIG_M - 1), 0), "|-2147483636.00 ");
    EXPECT_EQ(cell(1.5, 3), "|1.50 ");
    EXPECT_EQ(cell(-1.5, 3), "|-1.50 ");
    EXPECT_EQ(cell(-0.0, 0), "|  -0.00 ");
    EXPECT_EQ(cell(-0.001, 0), "|  -0.00 ");
    EXPECT_EQ(cell(0.005, 0), "|   0.01 ");  // 0.005 is stored a little above the tie
    EXPECT_EQ(cell(std::numeric_limits<double>::infinity(), 0), "|    inf ");
    EXPECT_EQ(cell(-std::numeric_limits<double>::quiet_NaN(), 0), "|   -nan ");
    r.precision = 0;
    EXPECT_EQ(cell(3.0, 0), "|      3 ");
    EXPECT_EQ(cell(2.5, 0), "|      2 ");
}

TEST(TableReport, CentringGivesTheOddBlankToTheLeftAndNeverLessThanOne) {
    const auto centred = [](std::string_view text, std::uint64_t a) {
        return written([&](ReportWriter& w) { SimplexIteration::print_centered(w, text, a); });
    };
    EXPECT_EQ(centred("ab", 3), "  ab ");         // d = 3
    EXPECT_EQ(centred("ab", 2), " ab ");          // d = 2
    EXPECT_EQ(centred("abc", 2), " abc ");        // d = 1: one wider
    EXPECT_EQ(centred("abcd", 2), " abcd ");      // d = 0: two wider
    EXPECT_EQ(centred("abcdef", 1), " abcdef ");  // d < 0: one blank, the whole text, one blank
    EXPECT_EQ(centred("", 0), "  ");
}

TEST(TableReport, FillNumberKeepsThreeCharactersUpTo999AndEveryDigitAbove) {
    std::string name = "x";
    EXPECT_EQ(SimplexIteration::fill_number(name, 1, 7), "x7  ");
    name = "x";
    EXPECT_EQ(SimplexIteration::fill_number(name, 1, 42), "x42 ");
    name = "x";
    EXPECT_EQ(SimplexIteration::fill_number(name, 1, 999), "x999");
    name = "x";
    EXPECT_EQ(SimplexIteration::fill_number(name, 1, 1000), "x1000");
    name = "abcdefg";
    EXPECT_EQ(SimplexIteration::fill_number(name, 2, 5), "ab5  fg");
    name = "abcdefg";
    EXPECT_EQ(SimplexIteration::fill_number(name, 2, 123456), "ab123456fg");
}

// A one-row table at a later iteration with the key choices given.
SimplexIteration later_table(std::int32_t iteration, std::int32_t pivot_col, std::int32_t pivot_row, double em0) {
    SimplexIteration r = make_record({{0, 2, 3, -BIG_M}, {4, 2, 2, 1}}, {0, 3}, 6, 2);
    r.name = "shown only at iteration 0";
    set_estimates(r, {em0, -2, -2, 0}, {0, -2, -3, 0});
    r.iterations = iteration;
    r.pivot_col = pivot_col;
    r.pivot_row = pivot_row;
    return r;
}

TEST(TableReport, TitleMarkAndClosingLineFollowTheOutcome) {
    struct Case {
        std::int32_t pivot_col, pivot_row;
        double em0;
        const char* title;
        const char* closing;
    };
    const Case cases[] = {
        {2, 1, 0.0, "       Итерация: 5        |", "ключевой столбец: 2  ключевая строка: 1"},
        {2, 1, -4.0, "       Итерация: 5        |", "ключевой столбец: 2  ключевая строка: 1"},
        {3, 0, 0.0, "       Итерация: 5        |",
         "ключевой столбец: 3  ключевая строка не найдена: функция не ограничена"},
        {0, 1, 4.0, "       Итерация: 5        |", "система ограничений несовместна"},
        {0, 0, 4.0, "       Итерация: 5        |", "система ограничений несовместна"},
        {0, 1, 0.0, "  Итерация: 5   (оптимум) |", "получено оптимальное решение !"},
        {0, 0, -0.0, "  Итерация: 5   (оптимум) |", "получено оптимальное решение !"},
    };
    for (const Case& c : cases) {
        SimplexIteration r = later_table(5, c.pivot_col, c.pivot_row, c.em0);
        const auto lines = lines_of(print(r));
        ASSERT_EQ(lines.size(), 12u);
        EXPECT_EQ(lines[1].substr(0, lines[1].find('|') + 1), cp(c.title)) << c.closing;
        EXPECT_EQ(lines[10], cp(c.closing));
        EXPECT_EQ(lines[11], "");
    }
}

TEST(TableReport, InitialTableHasNoMarkAndTheProblemLineOnlyWithAName) {
    SimplexIteration r = later_table(0, 0, 0, 0.0);
    auto lines = lines_of(print(r));
    EXPECT_EQ(lines[0], cp("Задача: ") + "shown only at iteration 0");
    EXPECT_EQ(lines[2].substr(0, 27), cp("     исходная таблица     |"));
    EXPECT_EQ(lines[11], cp("получено оптимальное решение !"));

    r.name.reset();
    lines = lines_of(print(r));
    EXPECT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0].substr(0, 27), std::string(26, ' ') + "+");

    r = later_table(1000, 0, 1, 0.0);
    lines = lines_of(print(r));
    EXPECT_EQ(lines.size(), 12u);  // no problem line after iteration 0
    EXPECT_EQ(lines[1].substr(0, 27), cp(" Итерация: 1000 (оптимум) |"));
    r.pivot_col = 1;
    lines = lines_of(print(r));
    EXPECT_EQ(lines[1].substr(0, 27), cp("      Итерация: 1000      |"));
}

TEST(TableReport, ZerosOfTheEstimateRows) {
    // A zero M part (either sign) leaves its cell blank; plain parts always print, -0.0 with its sign.
    SimplexIteration r = later_table(2, 2, 1, -0.0);
    set_estimates(r, {-0.0, 0.0, 1e-300, -BIG_M}, {-0.0, 0.0, BIG_M, -1e-9});
    const auto lines = lines_of(print(r));
    EXPECT_EQ(lines[7], cp("|     строка     |        |        |   0.00 |     -M |"));
    EXPECT_EQ(lines[8], cp("|   о ц е н о к  |  -0.00 |   0.00 |      M |  -0.00 |"));
}

// Records the shape of a very long output without keeping it: each line's
// length and its first and last bytes.
class LineRecorder : public std::streambuf {
public:
    struct Line {
        std::uint64_t length = 0;
        std::string head, tail;
    };
    std::vector<Line> lines{Line{}};

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) take(static_cast<char>(c));
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        std::string_view rest(s, static_cast<std::size_t>(n));
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find('\n'), rest.size() - 1) + 1;
            take(rest.substr(0, end));
            rest.remove_prefix(end);
        }
        return n;
    }

private:
    static constexpr std::size_t kKept = 40;

    // A piece of one line, possibly ending it.
    void take(std::string_view piece) {
        Line& line = lines.back();
        line.length += piece.size();
        line.head += piece.substr(0, kKept - std::min(kKept, line.head.size()));
        line.tail += piece.substr(piece.size() - std::min(kKept, piece.size()));
        if (line.tail.size() > kKept) line.tail.erase(0, line.tail.size() - kKept);
        if (piece.back() == '\n') lines.emplace_back();
    }
    void take(char c) { take(std::string_view(&c, 1)); }
};

TEST(TableReport, HugeWidthsAndPrecisionsAreWrittenWhole) {
    constexpr std::uint32_t kWidth = 3'000'000;
    SimplexIteration r = make_record({{0, 1, BIG_M}, {4.5, 1, -BIG_M}}, {0, 1}, kWidth, 2'000'000);
    set_estimates(r, {0, 0, 0}, {2, 0, -1});
    r.pivot_col = 0;
    LineRecorder recorder;
    std::ostream out(&recorder);
    r.print_table(out);
    ASSERT_TRUE(out.good());

    // Every line of the grid is as long as its columns: w(k) + 3 each, and the last bar.
    const std::uint64_t grid = 4 * (std::uint64_t{kWidth} + 3) + (5 + 3) + 1 + 2;
    const auto& lines = recorder.lines;
    ASSERT_EQ(lines.size(), 13u);  // 11 lines, the empty one, and the empty rest after it
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(lines[i].length, grid) << i;
    EXPECT_EQ(lines[5].head, "|" + std::string(39, ' '));
    EXPECT_EQ(lines[5].tail, std::string(34, ' ') + "-M |\r\n");
    EXPECT_EQ(lines[8].tail, std::string(36, '0') + " |\r\n");
    EXPECT_EQ(lines[10].length, 2u + cp("получено оптимальное решение !").size());
}

// A stream that takes a limited number of bytes and then fails.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::size_t limit) : limit_(limit) {}
    std::size_t taken = 0;

protected:
    int_type overflow(int_type c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        return taken < limit_ ? (++taken, c) : traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        const auto accepted = std::min<std::streamsize>(n, static_cast<std::streamsize>(limit_ - taken));
        taken += static_cast<std::size_t>(accepted);
        return accepted;
    }

private:
    std::size_t limit_;
};

TEST(TableReport, AFailedWriteShowsInTheStreamAndThrowsNothing) {
    SimplexIteration r = make_record({{0, 2, 3, -BIG_M}, {4, 2, 2, 1}}, {0, 3}, 100'000, 2);
    FailingBuffer buffer(1000);
    std::ostream out(&buffer);
    EXPECT_NO_THROW(r.print_table(out));
    EXPECT_TRUE(out.bad());
    EXPECT_EQ(buffer.taken, 1000u);
    EXPECT_NO_THROW(r.print_table(out));  // later tables are dropped
    EXPECT_EQ(buffer.taken, 1000u);
}

TEST(ReportWriter, LongTextsAndFillsPassThroughTheBlockInPieces) {
    const std::string text(3 * ReportWriter::kBlockSize + 17, 'a');
    const std::string out = written([&](ReportWriter& w) {
        w.put('<');
        w.fill('-', 2 * ReportWriter::kBlockSize + 5);
        w.put(text);
        char* room = w.room(3);
        room[0] = 'x';
        room[1] = 'y';
        w.advance(2);
        w.line_end();
    });
    EXPECT_EQ(out, "<" + std::string(2 * ReportWriter::kBlockSize + 5, '-') + text + "xy\r\n");
}

}  // namespace
