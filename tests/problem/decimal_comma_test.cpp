// A decimal comma reads as the point would, in every numeric field; names keep their commas; an LP or
// MPS model is told of its decimal comma.
#include <gtest/gtest.h>

#include <string>

#include "problem/model_decimal_comma.h"
#include "problem/simplex_iteration.h"

namespace {

std::string problem(const std::string& costs, const std::string& row1, const std::string& options = "") {
    return "Name: Task 1,5\nAim: max\nSize: 2 4\nVar_names: x1,2 y s1 s2\nMatrix:\n" + costs + "\n" + row1 +
           "\n6 2 1 0 1\nFile: r1,5.txt\n" + options;
}

// The codes a text gives (empty when it loads) and, when it loads, its record.
std::pair<std::vector<int>, SimplexIteration> read(const std::string& text) {
    try {
        return {{}, SimplexIteration::from_bytes(text)};
    } catch (const SimplexIteration::bad_simplex& e) {
        return {std::vector<int>(e.codes.begin(), e.codes.begin() + e.count), {}};
    }
}

TEST(DecimalComma, ReadsAsThePointInEveryNumericField) {
    const struct {
        std::string costs, row1, options;
    } cases[] = {
        {"3 2,5 0 0", "4 1 1 1 0", ""},
        {"3 -0,75 0 0", "4 1 1 1 0", ""},
        {"3 1,5e3 0 0", "4 1 1 1 0", ""},
        {"3 2 0 0", "4 1,5 1 1 0", ""},
        {"3 2 0 0", "4,25 1 1 1 0", ""},
        {"3 2 0 0", "4 1 1 1 0", "Accuracy: 8,5 2\n"},
        {"3 2 0 0", "4 1 1 1 0", "Print: 1,5 3\n"},
        {"3 2 0 0", "4 1 1 1 0", "Stop: 2,5\n"},
        {"3 2,5,3 0 0", "4 1 1 1 0", ""},
        {"3 2 0 0", "4 1,5,5 1 1 0", ""},
    };
    for (const auto& c : cases) {
        const auto with_point = [](std::string s) {
            for (std::size_t i = 1; i + 1 < s.size(); ++i)
                if (s[i] == ',' && std::isdigit(static_cast<unsigned char>(s[i - 1])) &&
                    std::isdigit(static_cast<unsigned char>(s[i + 1])))
                    s[i] = '.';
            return s;
        };
        const auto [comma_codes, comma] = read(problem(c.costs, c.row1, c.options));
        const auto [point_codes, point] = read(problem(with_point(c.costs), with_point(c.row1), with_point(c.options)));
        EXPECT_EQ(comma_codes, point_codes) << c.costs << " | " << c.row1 << " | " << c.options;
        if (!comma_codes.empty()) continue;
        for (unsigned i = 0; i <= 2; ++i)
            for (unsigned j = 0; j <= 4; ++j) EXPECT_EQ(comma.table(i, j), point.table(i, j)) << c.costs << c.row1;
        EXPECT_EQ(comma.width, point.width);
        EXPECT_EQ(comma.print_from, point.print_from);
        EXPECT_EQ(comma.stop, point.stop);
        EXPECT_EQ(comma.name, "Task 1,5");
        EXPECT_EQ(comma.file, "r1,5.txt");
        EXPECT_EQ(comma.var_names->at(1), "x1,2");
    }
    EXPECT_EQ(read(problem("3 2,5 0 0", "4 1 1 1 0")).second.table(0, 2), 2.5);
}

TEST(DecimalComma, ACommaNotBetweenDigitsKeepsItsMeaning) {
    EXPECT_EQ(read(problem("3 2, 0 0", "4 1 1 1 0")).second.table(0, 2), 2.0);
    EXPECT_EQ(read(problem("3 ,5 0 0", "4 1 1 1 0")).first.front(), 5);
}

TEST(ModelDecimalComma, FindsTheNumberWithItsLineAndNotNamesOrComments) {
    const struct {
        const char* text;
        std::optional<ModelDecimalComma> found;
    } cases[] = {
        {"Minimize\n cost: 2 bread + 3,5 milk\n", ModelDecimalComma{2, "3,5"}},
        {"\\ 2,5 kg\nMinimize\n c: x1,2 + y\n c2: -0,75 x >= 1,5e3\n", ModelDecimalComma{4, "0,75"}},
        {"* 1,5\nROWS\n N obj\nRHS\n    RHS  c1  1,5E+2\n", ModelDecimalComma{5, "1,5E+2"}},
        {"Minimize\n c: x + y\n", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(find_model_decimal_comma(c.text), c.found) << c.text;
    EXPECT_EQ(model_decimal_comma_message({3, "2,5"}),
              "строка 3: десятичная запятая в числе «2,5»: в файлах LP и MPS дробная часть отделяется точкой (2.5)");
}

}  // namespace
