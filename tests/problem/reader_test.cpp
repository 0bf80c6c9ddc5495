// The reader of problem files, driven through texts in Windows-1251 held in memory
// and through real files where the file itself matters.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "problem/cp1251.h"
#include "problem/simplex_iteration.h"

namespace {

namespace fs = std::filesystem;
using Codes = std::vector<int>;

// Every invariant of a record that the reader accepts.
void expect_valid_record(const SimplexIteration& r) {
    const std::uint32_t m = r.constraint_count();
    const std::uint32_t n = r.variable_count();
    ASSERT_TRUE(m >= 1 && m <= n && m <= 300 && n <= 500) << m << " x " << n;
    ASSERT_EQ(r.table.rows, m + 1);
    ASSERT_EQ(r.table.cols, n + 1);
    ASSERT_EQ(r.estimates.rows, 2u);
    ASSERT_EQ(r.estimates.cols, n + 1);
    for (std::uint32_t j = 0; j <= n; ++j) EXPECT_TRUE(r.estimates(0, j) == 0.0 && r.estimates(1, j) == 0.0);
    ASSERT_EQ(r.basis.size(), m + 1);
    EXPECT_EQ(r.basis[0], 0u);
    EXPECT_EQ(r.table(0, 0), 0.0);
    for (std::uint32_t i = 1; i <= m; ++i) {
        EXPECT_GE(r.table(i, 0), 0.0);
        const std::uint32_t b = r.basis[i];
        ASSERT_TRUE(b >= 1 && b <= n);
        for (std::uint32_t k = 1; k <= m; ++k) EXPECT_EQ(r.table(k, b), k == i ? 1.0 : 0.0);
    }
    EXPECT_TRUE(r.aim == 1 || r.aim == 2);
    EXPECT_TRUE(r.file.has_value());
    EXPECT_TRUE(r.precision >= 0 && r.precision < r.width);
    EXPECT_EQ(r.iterations, 0);
    EXPECT_EQ(r.pivot_col, 0);
    EXPECT_EQ(r.pivot_row, 0);
    EXPECT_TRUE(r.base_vars >= 0 && r.base_vars <= static_cast<int>(n));
    if (r.print_from != 0 || r.print_to != 0) {
        EXPECT_TRUE(r.print_from <= r.print_to && r.print_to >= 0);
    }
    if (r.var_names) {
        EXPECT_EQ(r.var_names->size(), n + 1);
    }
    SimplexIteration widths = r;
    widths.compute_col_widths();
    EXPECT_EQ(widths.col_widths, r.col_widths);
}

// Reads problem texts from memory, and from files written into a folder of its own
// where the file itself matters.
class Reader : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("qtb-reader-test-" + std::to_string(std::random_device{}()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string write_bytes(const std::string& bytes) {
        const fs::path path = folder_ / ("problem" + std::to_string(++files_) + ".qtb");
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    // The UTF-8 text in Windows-1251.
    static std::string bytes_of(const std::string& utf8) {
        const std::optional<std::string> bytes = cp1251::from_utf8(utf8);
        EXPECT_TRUE(bytes.has_value()) << utf8;
        return bytes.value_or("");
    }

    // The codes of a reading; none when it gives a record.
    template <typename Read>
    static Codes codes_of(Read read) {
        try {
            const SimplexIteration record = read();
            expect_valid_record(record);
            return {};
        } catch (const SimplexIteration::bad_simplex& list) {
            EXPECT_TRUE(list.count >= 1 && list.count <= 10);
            return Codes(list.codes.begin(), list.codes.begin() + list.count);
        }
    }
    static Codes codes_of_file(const std::string& path) {
        return codes_of([&] { return SimplexIteration(path); });
    }
    static Codes codes_of_bytes(const std::string& bytes) {
        return codes_of([&] { return SimplexIteration::from_bytes(bytes); });
    }
    // The codes of a problem text; none when it is read.
    static Codes codes(const std::string& utf8) { return codes_of_bytes(bytes_of(utf8)); }
    // The record of problem bytes or a text that must be read without codes.
    static SimplexIteration load_bytes(const std::string& bytes) {
        const Codes found = codes_of_bytes(bytes);
        EXPECT_EQ(found, Codes{});
        return found.empty() ? SimplexIteration::from_bytes(bytes) : SimplexIteration();
    }
    static SimplexIteration load(const std::string& utf8) { return load_bytes(bytes_of(utf8)); }

    fs::path folder_;
    int files_ = 0;
};

// Aim, report file and a 2 x 3 table whose unit columns are 1 and 2.
const std::string kSized = "Aim: max File: r.txt Size: 2 3 Matrix: 1 2 3  4 1 0 5  6 0 1 7\n";

const std::string kPartExample = R"(Name: Пример
Aim: max
Size: 2 4
Var_names: x1 x2 s1 s2
Matrix:
  3 2 0 0
  4   1 1 1 0
  6   2 1 0 1
File: report.txt
Accuracy: 8 2
Print: 1 5
)";

TEST_F(Reader, ReadsTheMaximisationExample) {
    const SimplexIteration r = load(kPartExample);
    EXPECT_EQ(r.name, "Пример"_cp1251);
    EXPECT_EQ(r.aim, 1);
    const double expected[3][5] = {{0, 3, 2, 0, 0}, {4, 1, 1, 1, 0}, {6, 2, 1, 0, 1}};
    for (std::uint32_t i = 0; i < 3; ++i)
        for (std::uint32_t j = 0; j < 5; ++j) EXPECT_EQ(r.table(i, j), expected[i][j]) << i << "," << j;
    EXPECT_EQ(r.basis, (std::vector<std::uint32_t>{0, 3, 4}));
    EXPECT_EQ(r.var_names, (std::vector<std::string>{"", "x1", "x2", "s1", "s2"}));
    EXPECT_EQ(r.file, "report.txt");
    EXPECT_EQ(r.width, 8);
    EXPECT_EQ(r.precision, 2);
    EXPECT_EQ(r.print_from, 1);
    EXPECT_EQ(r.print_to, 5);
    EXPECT_EQ(r.stop, 0);
    EXPECT_EQ(r.base_vars, 0);
    EXPECT_FALSE(r.only_data_table || r.only_optimal_table || r.no_table);
    EXPECT_EQ(r.col_widths[-1], 5u);
    EXPECT_EQ(r.col_widths[4], 8u);
}

TEST_F(Reader, RussianKeywordsGiveTheSameRecord) {
    const SimplexIteration english = load(kPartExample);
    const SimplexIteration russian = load(R"(Имя: Пример
Цель: максимум
Размерность: 2 4
Переменные: x1 x2 s1 s2
Матрица: 3 2 0 0  4 1 1 1 0  6 2 1 0 1
Файл: report.txt
Точность: 8 2
Печать: 1 5
)");
    EXPECT_EQ(russian.name, english.name);
    EXPECT_EQ(russian.aim, english.aim);
    EXPECT_EQ(std::vector<double>(russian.table.data.get(), russian.table.data.get() + 15),
              std::vector<double>(english.table.data.get(), english.table.data.get() + 15));
    EXPECT_EQ(russian.basis, english.basis);
    EXPECT_EQ(russian.var_names, english.var_names);
    EXPECT_EQ(russian.col_widths, english.col_widths);
    EXPECT_EQ(russian.print_to, english.print_to);

    const SimplexIteration rest = load(R"(Цель: минимум Файл: r.txt Размерность: 1 2 База: 1
Матрица: 1 1 5 1 0 Стоп: 7 Формат: Только_Исх_Табл Только_Опт_Табл Без_Табл)");
    EXPECT_EQ(rest.aim, 2);
    EXPECT_EQ(rest.base_vars, 1);
    EXPECT_EQ(rest.stop, 7);
    EXPECT_TRUE(rest.only_data_table && rest.only_optimal_table && rest.no_table);
}

TEST_F(Reader, ReadsTheMinimisationWithArtificialVariables) {
    const SimplexIteration r =
        load("Aim: min\nSize: 2 4\nBase: 2\nMatrix:\n 2 3 M M\n 10 1 2 1 0\n 12 3 1 0 1\nFile: mix.txt\n");
    EXPECT_EQ(r.aim, 2);
    EXPECT_EQ(r.base_vars, 2);
    EXPECT_EQ(r.table(0, 3), BIG_M);
    EXPECT_EQ(r.table(0, 4), BIG_M);
    EXPECT_EQ(r.basis, (std::vector<std::uint32_t>{0, 3, 4}));
    EXPECT_FALSE(r.name.has_value());
    EXPECT_FALSE(r.var_names.has_value());
}

TEST_F(Reader, EveryShippedExampleLoads) {
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QTB_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".qtb") continue;
        ++seen;
        EXPECT_EQ(codes_of_file(entry.path().string()), Codes{}) << entry.path();
    }
    EXPECT_GE(seen, 7);
}

TEST_F(Reader, FilesThatCannotBeReadAndEmptyFiles) {
    EXPECT_EQ(codes_of_file((folder_ / "missing.qtb").string()), Codes{1});
    EXPECT_EQ(codes_of_file(folder_.string()), Codes{1});
    EXPECT_EQ(codes_of_file(""), Codes{1});
    EXPECT_EQ(codes(""), (Codes{14, 15, 4}));
    EXPECT_EQ(codes("just some words\n"), (Codes{14, 15, 4}));
}

TEST_F(Reader, RefusesAnEndlessDeviceInsteadOfFillingTheMemory) {
    if (!fs::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero";
    EXPECT_EQ(codes_of_file("/dev/zero"), Codes{1});
}

TEST_F(Reader, SizeLimitsAndTheCodesThatEndTheReading) {
    // Code 4 ends the reading at once: the codes before it stay, nothing after it is read.
    for (const char* size : {"301 5", "3 501", "0 5", "5 0", "x 5", "5", "-1 5", "4294967296 5", "5.5 6"}) {
        EXPECT_EQ(codes(std::string("Aim: foo Size: ") + size + " Name: a Name: b"), (Codes{2, 4})) << size;
    }
    EXPECT_EQ(load("Aim: max File: r Size: 3 3 Matrix: 1 1 1  1 1 0 0  1 0 1 0  1 0 0 1").constraint_count(), 3u);
    // More constraints than variables leaves the size unset, so the matrix cannot be read.
    EXPECT_EQ(codes("Aim: max File: r Size: 4 3 Matrix: 1 1 1"), (Codes{11, 6, 4}));
    // ... and keeps an earlier size.
    EXPECT_EQ(codes(kSized + "Size: 3 2"), (Codes{11}));
}

TEST_F(Reader, ReadsTheLargestTable) {
    std::string text = "Aim: min File: big.txt Size: 300 500\nMatrix:\n";
    for (int j = 1; j <= 500; ++j) text += j <= 300 ? "M " : std::to_string(j) + " ";
    for (int i = 1; i <= 300; ++i) {
        text.append("\n").append(std::to_string(i));
        for (int j = 1; j <= 500; ++j) text += j == i ? " 1" : j > 300 ? " 0.5" : " 0";
    }
    const SimplexIteration r = load(text);
    EXPECT_EQ(r.table.rows, 301u);
    EXPECT_EQ(r.table.cols, 501u);
    EXPECT_EQ(r.table(300, 0), 300.0);
    EXPECT_EQ(r.table(0, 500), 500.0);
    for (std::uint32_t i = 1; i <= 300; ++i) EXPECT_EQ(r.basis[i], i);
}

TEST_F(Reader, KeepsTheOrderOfCodesAndAtMostTen) {
    const std::string faults = R"(Name: a
Name: b
Aim: foo
Base: 1
Var_names: p q r
Size: 2 3
Base: 0
Accuracy: 5 5
Print: 5 3
Size: 3 2
Matrix: 1 1 1
 -1 0 0 0
  2 0 0 0
)";
    EXPECT_EQ(codes(faults), (Codes{3, 2, 16, 16, 17, 18, 19, 11, 9, 14}));
    // Without the first three faults the end checks come last: 14, 15, then one 8 per row.
    EXPECT_EQ(codes(faults.substr(faults.find("Var_names"))), (Codes{16, 17, 18, 19, 11, 9, 14, 15, 8, 8}));
}

TEST_F(Reader, HandlerCodes) {
    struct Case {
        std::string text;
        Codes expected;
    };
    const Case cases[] = {
        {kSized + "Base: 0", {17}},
        {kSized + "Base: 4", {17}},
        {kSized + "Base: -1", {17}},
        {kSized + "Base: x Aim: foo", {17}},  // an unreadable number ends the reading
        {"Base: 2 " + kSized, {16}},          // its number is free text
        {kSized + "Accuracy: 10 10", {18}},
        {kSized + "Accuracy: 0 0", {18}},
        {kSized + "Accuracy: 5 -1", {18}},
        {kSized + "Accuracy: x 2 Aim: foo", {18}},
        {kSized + "Accuracy: 8 x Aim: foo", {18}},
        {kSized + "Accuracy: 99999999999 2 Aim: foo", {18}},
        {kSized + "Print: 5 3", {19}},
        {kSized + "Print: -5 -1", {19}},
        {kSized + "Print: 1 x Aim: foo", {19}},
        {kSized + "Stop: x Aim: foo", {19}},
        {kSized + "Aim: foo", {2}},
        {kSized + "Aim: Name:", {2}},
        {kSized + "Aim:", {2}},
        {kSized + "Name: a\nName: Aim: foo", {3, 2}},  // the rest of a second name line is free text
        {"Var_names: Aim: foo " + kSized, {16, 2}},    // names before a size are free text
        {"Aim: max Size: 1 2 Matrix: 1 1 5 1 0", {15}},
        {"File: r Size: 1 2 Matrix: 1 1 5 1 0", {14}},
        {"Aim: max File: r Size 1 2", {4}},  // without its colon "Size" is free text
    };
    for (const Case& c : cases) EXPECT_EQ(codes(c.text), c.expected) << c.text;
}

TEST_F(Reader, HandlerValues) {
    const SimplexIteration a =
        load(kSized + "Base: 3 Accuracy: 10 0 Print: -2 3 Stop: -3 Format: Aim: MIN File: s.txt");
    EXPECT_EQ(a.base_vars, 3);
    EXPECT_EQ(a.width, 10);
    EXPECT_EQ(a.precision, 0);
    EXPECT_EQ(a.print_from, -2);
    EXPECT_EQ(a.print_to, 3);
    EXPECT_EQ(a.stop, -3);
    EXPECT_EQ(a.aim, 2);
    EXPECT_EQ(a.file, "s.txt");
    EXPECT_EQ(load(kSized + "Print: 0 0").print_to, 0);
    EXPECT_EQ(load("Цель: максимум " + kSized).aim, 1);
    EXPECT_EQ(load(kSized + "Accuracy: 3 2").col_widths[1], 3u);
    EXPECT_EQ(load(kSized + "File:").file, "r.txt");  // no word: the earlier name stays

    // Words are whole runs of non-blank bytes, whatever their length.
    const std::string long_word(40, 'w');
    const SimplexIteration b = load(kSized + "File: " + long_word + " Var_names: Aim: Size: " + long_word);
    EXPECT_EQ(b.file, long_word);
    EXPECT_EQ(b.var_names, (std::vector<std::string>{"", "Aim:", "Size:", long_word}));
    EXPECT_EQ(b.col_widths[3], 40u);
    // A file that ends among the names gives the rest their default names.
    EXPECT_EQ(load(kSized + "Var_names: a").var_names, (std::vector<std::string>{"", "a", "x2", "x3"}));
}

TEST_F(Reader, KeywordsFoldOnlyLatinCase) {
    const SimplexIteration r = load("aim: MAX SIZE: 1 2 mAtRiX: 1 1 5 1 0 file: r.txt NOTABLE onlydatatable");
    EXPECT_EQ(r.aim, 1);
    EXPECT_TRUE(r.no_table && r.only_data_table && !r.only_optimal_table);
    EXPECT_EQ(codes("ЦЕЛЬ: максимум " + kSized.substr(kSized.find("File"))), (Codes{14}));
    EXPECT_EQ(codes("Цель: МАКСИМУМ " + kSized.substr(kSized.find("File"))), (Codes{2, 14}));
}

TEST_F(Reader, SizeResetsWhatDependsOnIt) {
    // A new size gives a table of zeros: no unit columns.
    EXPECT_EQ(codes(kSized + "Size: 2 3"), (Codes{8, 8}));
    // Names read for an earlier size are dropped.
    EXPECT_FALSE(load("Size: 2 3 Var_names: a b c " + kSized).var_names.has_value());
    // A base beyond the new number of variables is cleared.
    EXPECT_EQ(codes("Size: 2 4 Base: 4 " + kSized), (Codes{17}));
    EXPECT_EQ(load("Size: 2 4 Base: 3 " + kSized).base_vars, 3);
    // A second matrix replaces the first.
    EXPECT_EQ(load(kSized + "Matrix: 9 9 9  2 0 1 0  3 0 0 1").basis, (std::vector<std::uint32_t>{0, 2, 3}));
}

TEST_F(Reader, CostWords) {
    const SimplexIteration r = load(
        "Aim: max File: r Size: 1 11\nMatrix: M Mx -M 0 0.5 2.5abc 5.e3 .5 0x10 01e-400 4e-320\n"
        "1 1 0 0 0 0 0 0 0 0 0 0");
    const double expected[] = {BIG_M, BIG_M, -BIG_M, 0, 0.5, 2.5, 5000, 0.5, 0, 0};
    for (std::uint32_t j = 1; j <= 10; ++j) EXPECT_EQ(r.table(0, j), expected[j - 1]) << j;
    EXPECT_TRUE(r.table(0, 11) > 0 && r.table(0, 11) < 1e-300);

    for (const char* word : {"m", "-m", "abc", "-0", ".0", "+0", "inf", "nan", "1e999", "-1e-400", "-", "+M"}) {
        EXPECT_EQ(codes(std::string("Aim: max File: r Size: 1 2 Matrix: ") + word + " 7\n 1 1 0"), (Codes{5})) << word;
    }
    // The words a cost row leaves are read by the constraint rows: -3 is the first right-hand side.
    EXPECT_EQ(codes("Aim: max File: r Size: 1 2 Matrix: abc -3\n 1 1 0"), (Codes{5, 9, 8}));
    EXPECT_EQ(codes("Aim: max File: r Size: 1 2 Matrix: 1"), (Codes{5, 5, 8}));
}

TEST_F(Reader, ConstraintRows) {
    const std::string head = "Aim: max File: r Size: 2 3 Matrix: 1 1 1\n";
    // A negative right-hand side ends its row; the next row starts with the next number.
    EXPECT_EQ(codes(head + "-1 1 0 0\n 2 0 1 0"), (Codes{9, 8, 8}));
    // A missing last number records 5 once.
    EXPECT_EQ(codes(head + "1 1 0 0\n 2 0 1"), (Codes{5}));
    // A letter fails the stream: every later row records 5 and the reading ends.
    EXPECT_EQ(codes("Aim: max File: r Size: 3 3 Matrix: 1 1 1\n 1 x 0 0\n 1 0 1 0\n 1 0 0 1\n Aim: foo"),
              (Codes{5, 5, 5, 8, 8, 8}));
    // A number too large for a double cannot be read either; row 2 keeps no unit column.
    EXPECT_EQ(codes(head + "1 1 0 0\n 2 0 1e999 1"), (Codes{5, 8}));
    // "Matrix:" before a size ends the reading; the end checks still run.
    EXPECT_EQ(codes("Aim: max Matrix: 1 2 Size: 1 2 File: r.txt"), (Codes{6, 15, 4}));
    // Line breaks do not matter, and -0 is a right-hand side of zero.
    const SimplexIteration r = load(head + "-0 1\n0\n0 4e0 0 1e0 0.0");
    EXPECT_EQ(r.table(2, 0), 4.0);
}

TEST_F(Reader, BasisSearch) {
    const std::string head = "Aim: max File: r ";
    // The smallest unit column of each row; the cost row does not count.
    EXPECT_EQ(load(head + "Size: 2 5 Matrix: 1 1 1 1 1  1 3 1 0 1 0  1 4 0 1 0 1").basis,
              (std::vector<std::uint32_t>{0, 2, 3}));
    EXPECT_EQ(load(head + "Size: 1 3 Matrix: 1 1 1  4 2 1 1").basis, (std::vector<std::uint32_t>{0, 2}));
    // -0 counts as zero.
    EXPECT_EQ(load(head + "Size: 2 2 Matrix: 1 1  1 1 -0  1 0 1").basis, (std::vector<std::uint32_t>{0, 1, 2}));
    // Row 1's only 1.0 stands in a column that is not zero in row 2.
    EXPECT_EQ(codes(head + "Size: 2 3 Matrix: 1 1 1  1 1 0 0  1 2 1 0"), (Codes{8}));
    EXPECT_EQ(codes(head + "Size: 2 3 Matrix: 1 1 1  1 1 0 0  1 1 0 0"), (Codes{8, 8}));
    // Twelve rows without a unit column: ten codes.
    EXPECT_EQ(codes(head + "Size: 12 12"), Codes(10, 8));
}

TEST_F(Reader, NameIsTheRestOfTheLine) {
    const std::string tail = "\n" + kSized;
    EXPECT_EQ(load("Name:" + tail).name, "");
    EXPECT_EQ(load("Name:  Test" + tail).name, " Test");
    EXPECT_EQ(load("Name:\tЗадача №1 " + tail).name, "Задача №1 "_cp1251);
    EXPECT_EQ(load("Name: " + std::string(78, 'n') + tail).name, std::string(78, 'n'));
    // Of a longer line the 80th character is lost and the rest is read as words.
    const SimplexIteration r = load("Name: " + std::string(78, 'n') + "X Aim: min\n" + kSized.substr(9));
    EXPECT_EQ(r.name, std::string(78, 'n'));
    EXPECT_EQ(r.aim, 2);
    // The last line of the file, with or without its line feed.
    EXPECT_EQ(load(kSized + "Name: last\n").name, "last");
    EXPECT_EQ(load(kSized + "Name: last").name, "last");
    EXPECT_EQ(load(kSized + "Name:").name, "");
}

TEST_F(Reader, TextModeOnEveryPlatform) {
    const std::string windows = "Name: a\rb\r\nAim: max\r\nFile: r.txt\r\nSize: 1 2\r\nMatrix:\r\n1 1\r\n5 1 0\r\n";
    const SimplexIteration r = load_bytes(windows);
    EXPECT_EQ(r.name, "a\rb");
    EXPECT_EQ(r.file, "r.txt");
    // 0x1A ends the text: what follows it is never read.
    EXPECT_EQ(codes_of_bytes(windows + "\x1A" + "Aim: foo"), Codes{});
    EXPECT_EQ(codes_of_bytes("Aim: max \x1A File: r.txt Size: 1 2"), (Codes{15, 4}));
    // A file is read by the same rules: its bytes go to the reader as they are.
    EXPECT_EQ(SimplexIteration(write_bytes(windows)).name, "a\rb");
    EXPECT_EQ(codes_of_file(write_bytes("Aim: max \x1A File: r.txt Size: 1 2")), (Codes{15, 4}));
    // A NUL byte is an ordinary byte of a word.
    EXPECT_EQ(codes_of_bytes(std::string("Aim: m\0ax ", 10) + kSized.substr(9)), (Codes{2, 14}));
}

// Random bytes and random mixtures of keywords, numbers and junk: the reader either
// accepts a record that keeps every invariant or reports codes it knows.
TEST_F(Reader, SurvivesArbitraryBytes) {
    const std::vector<std::string> tokens = {
        "Size:", "Base:",       "Accuracy:", "Print:",  "Stop:",   "Var_names:", "Matrix:",
        "Aim:",  "Name:",       "File:",     "Format:", "NoTable", "max",        "min",
        "M",     "-M",          "0",         "1",       "1",       "1",          "0",
        "2",     "-1",          "3",         "300",     "500",     "501",        "1e999",
        "x",     ".5",          "\n",        "\r\n",    "\x1A",    "\r",         std::string(1, '\0'),
        "\xFF",  "99999999999", "-0",
    };
    const Codes known = {1, 2, 3, 4, 5, 6, 8, 9, 11, 14, 15, 16, 17, 18, 19};
    int accepted = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        std::string bytes;
        if (seed % 3 == 0) {
            const std::size_t size = random() % 4096;
            for (std::size_t k = 0; k < size; ++k) bytes += static_cast<char>(random() % 256);
        } else if (seed % 3 == 1) {  // a good file with a few bytes changed
            bytes = *cp1251::from_utf8(kPartExample);
            for (auto k = random() % 4; k > 0; --k) bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        } else {
            bytes = "Aim: max File: r Size: " + std::to_string(1 + random() % 4) + " " +
                    std::to_string(1 + random() % 6) + " Matrix: ";
            for (auto k = random() % 60; k > 0; --k) bytes += tokens[random() % tokens.size()] + " ";
        }
        const Codes found = codes_of_bytes(bytes);
        for (int code : found) EXPECT_NE(std::find(known.begin(), known.end(), code), known.end()) << seed;
        accepted += found.empty();
    }
    EXPECT_GT(accepted, 0);  // the mixtures do produce valid records now and then
}

}  // namespace
