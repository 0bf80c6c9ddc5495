// Problem files saved in UTF-8.

#include <gtest/gtest.h>

#include <string>

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

// Long ASCII runs are skipped a block at a time; a byte after them still decides the encoding.
TEST(ProblemFileEncoding, NonAsciiAfterLongAsciiRuns) {
    const std::string run(40, 'a');  // past a block of 32
    for (std::size_t at = 0; at <= run.size(); ++at) {
        std::string utf8 = run;
        std::string cp1251 = run;
        std::string mixed = "\xD0\x96" + run;  // valid UTF-8 up to a byte far on: Windows-1251 throughout
        utf8.insert(at, "\xD0\x96");
        cp1251.insert(at, "\xC6");
        mixed.insert(2 + at, "\xC6");
        EXPECT_EQ(problem_file_text(utf8), cp1251) << at;
        EXPECT_EQ(problem_file_text(cp1251), cp1251) << at;
        EXPECT_EQ(problem_file_text(mixed), mixed) << at;
    }
}

}  // namespace
