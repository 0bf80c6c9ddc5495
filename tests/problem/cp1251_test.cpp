#include "problem/cp1251.h"

#include <gtest/gtest.h>

#include "problem/status_texts.h"

namespace {

TEST(Cp1251, LiteralsAreConvertedAtCompileTime) {
    constexpr std::string_view text = "Ёж ё №1 Яя"_cp1251;
    static_assert(text.size() == 10);
    EXPECT_EQ(text,
              "\xA8\xE6 \xB8 \xB9"
              "1 \xDF\xFF");
    EXPECT_EQ(text.data()[text.size()], '\0');
}

TEST(Cp1251, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = cp1251::to_utf8(all);
    EXPECT_EQ(cp1251::from_utf8(utf8), all);
    EXPECT_EQ(cp1251::to_utf8("\xEE\xF2\xF7\xB8\xF2.txt"), "отчёт.txt");
}

TEST(Cp1251, RefusesWhatTheCodePageCannotHold) {
    EXPECT_FALSE(cp1251::from_utf8("日本"));
    EXPECT_FALSE(cp1251::from_utf8("\xFF"));      // not UTF-8
    EXPECT_FALSE(cp1251::from_utf8("\xC0\x80"));  // overlong NUL
    EXPECT_FALSE(cp1251::from_utf8("\xD0"));      // cut short
    EXPECT_EQ(cp1251::from_utf8(""), std::string());
}

TEST(StatusTexts, KeepTheirLatinLettersAndQuotes) {
    EXPECT_EQ(status_text(0), "Ошибок нет"_cp1251);
    EXPECT_EQ(status_text(1)[0], 'H');
    EXPECT_EQ(status_text(7)[0], 'H');
    EXPECT_EQ(status_text(9).substr(0, 9), "Обна"_cp1251.data() + std::string("p") + "ужен"_cp1251.data());
    EXPECT_EQ(status_text(16).front(), '"');
    EXPECT_EQ(status_text(12).find("p\xE5\xF8\xE5\xED\xE8\xE8\xE9"), status_text(12).size() - 8);
    EXPECT_TRUE(status_text(22).empty());
    EXPECT_TRUE(status_text(-1).empty());
}

}  // namespace
