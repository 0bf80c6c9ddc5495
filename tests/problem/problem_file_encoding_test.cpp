// Problem files saved in UTF-8.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "problem/cp1251.h"
#include "problem/problem_file_encoding.h"
#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"
#include "support/temp_folder.h"

namespace {

using test_support::TempFolder;
using test_support::write_in;

// The same problem file in Windows-1251 and in UTF-8 (with and without the byte-order mark).
TEST(ProblemFileEncoding, Utf8GivesTheSameRecord) {
    const TempFolder folder("qtb_utf8");
    const std::string utf8 =
        "Имя: задача\nЦель: максимум\nРазмерность: 1 2\nПеременные: икс игрек\nФайл: отчёт.txt\n"
        "Матрица:\n1 2\n4 1 1\n";
    const SimplexIteration expected(write_in(folder, "cp.qtb", *cp1251::from_utf8(utf8)));
    for (const std::string& text : {utf8, "\xEF\xBB\xBF" + utf8}) {
        const SimplexIteration r(write_in(folder, "u.qtb", text));
        EXPECT_EQ(r.aim, expected.aim);
        EXPECT_EQ(r.name, expected.name);
        EXPECT_EQ(r.file, expected.file);
        EXPECT_EQ(r.var_names, expected.var_names);
        EXPECT_EQ(r.table(1, 2), expected.table(1, 2));
    }
    try {
        const SimplexIteration record(write_in(folder, "z.qtb", utf8 + "汉字\n"));
        ADD_FAILURE() << "read";
    } catch (const SimplexIteration::bad_simplex& failure) {
        ASSERT_EQ(failure.count, 1);
        EXPECT_EQ(failure.codes[0], kUnencodableCharacter);
        EXPECT_EQ(status_text(20), "В файле задачи есть символы, которых нет в кодировке Windows-1251"_cp1251);
    }
}

// Long ASCII runs are skipped a block at a time; what follows them still decides the encoding.
TEST(ProblemFileEncoding, NonAsciiAfterLongAsciiRuns) {
    const std::string run = "Matrix: 1 2 3 4 5 6 7 8 9 10 11 12 13 14";  // 40 bytes: past a block of 32
    const std::string zhe_utf8 = "\xD0\x96";
    const std::string zhe_cp1251 = "\xC6";
    const auto joined = [](std::initializer_list<std::string_view> parts) {
        std::string text;
        for (const std::string_view part : parts) text.append(part);
        return text;
    };
    for (std::size_t length = 0; length <= run.size(); ++length) {
        const std::string ascii = run.substr(0, length);
        const std::string converted = joined({ascii, zhe_cp1251, ascii});
        EXPECT_EQ(problem_file_text(ascii), ascii);
        EXPECT_EQ(problem_file_text(joined({ascii, zhe_utf8, ascii})), converted) << length;
        EXPECT_EQ(problem_file_text(converted), converted) << length;
        // Valid UTF-8 up to a byte far on that is not: the file is Windows-1251 throughout.
        const std::string mixed = joined({zhe_utf8, run, ascii, zhe_cp1251});
        EXPECT_EQ(problem_file_text(mixed), mixed) << length;
    }
}

}  // namespace
