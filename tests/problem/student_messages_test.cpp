// What a student is told of a file that cannot be read: GLPK's messages in Russian, the
// encodings that cannot be read, files that cannot be opened, and the warnings of a file that loads.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "problem/glpk_message_texts.h"
#include "problem/glpk_model_reader.h"
#include "problem/simplex_iteration.h"
#include "problem/wide_text_encoding.h"
#include "support/model_read_message.h"
#include "support/temp_folder.h"

namespace {

using test_support::model_read_message;
using test_support::TempFolder;
using test_support::write_in;

bool holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(GlpkMessageTexts, TranslatesWithTheValuesGlpkPutIn) {
    const struct {
        const char* english;
        std::optional<std::string> russian;
    } cases[] = {
        {"constraints section missing", "нет раздела ограничений (Subject To)"},
        {"multiple use of variable 'x1' not allowed", "переменная «x1» встречается в строке дважды"},
        {"in fixed MPS format positions 15-24 must be blank",
         "в фиксированном формате MPS позиции 15-24 должны быть пустыми"},
        {"capacity[3] not defined", "«capacity[3]» не объявлено"},
        {"syntax error in variable statement", "синтаксическая ошибка в операторе variable"},
        {"character '#' not recognized", "недопустимый символ «#»"},
        {"x must have 2 subscripts rather than 1", "у «x» должно быть индексов: 2, а не 1"},
        {"something GLPK says rarely", std::nullopt},
        {"constraints section missing!", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(russian_glpk_message(c.english), c.russian) << c.english;
}

TEST(GlpkMessageTexts, KeepsThePlaceGlpksWordsAndTheContext) {
    EXPECT_EQ(translated_glpk_message("m.mod:3: y not defined\nContext: x + y ;"),
              "m.mod:3: «y» не объявлено (GLPK: y not defined)\nContext: x + y ;");
    EXPECT_EQ(translated_glpk_message("unexpected end of file"),
              "файл неожиданно закончился (GLPK: unexpected end of file)");
    EXPECT_EQ(translated_glpk_message("m.lp:2: some new message"), "m.lp:2: some new message");
}

std::string utf16le(std::string_view ascii) {
    std::string wide;
    for (const char c : ascii) wide.append({c, '\0'});
    return wide;
}

TEST(WideTextEncoding, FoundByMarkOrByNulBytes) {
    const std::string text = "Aim: max\r\nSize: 1 2\r\n";
    std::string be;
    std::string le32;
    for (const char c : text) {
        be.append({'\0', c});
        le32.append({c, '\0', '\0', '\0'});
    }
    const struct {
        std::string bytes;
        std::optional<std::string_view> encoding;
    } cases[] = {
        {"\xFF\xFE" + utf16le(text), "UTF-16LE"},
        {utf16le(text), "UTF-16LE"},
        {"\xFE\xFF" + be, "UTF-16BE"},
        {be, "UTF-16BE"},
        {std::string("\xFF\xFE\0\0", 4) + le32, "UTF-32LE"},
        {le32, "UTF-32LE"},
        {std::string("\0\0\xFE\xFF", 4), "UTF-32BE"},
        {"\x20\x04\x30\x04" + utf16le(" 2 4"), "UTF-16LE"},  // Cyrillic: high bytes 0x04
        {text, std::nullopt},
        {"\xD0\xA0\xD0\xB0\xD0\xB7", std::nullopt},  // UTF-8
        {"\xD0\xE0\xE7\xEC", std::nullopt},          // Windows-1251
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(wide_text_encoding(c.bytes), c.encoding) << c.bytes.size();
}

// Broken models as the readers tell them, each message with its place.
TEST(StudentMessages, BrokenModels) {
    const TempFolder folder("qtb_messages");
    const struct {
        const char* file;
        ModelFormat format;
        std::string text;
        const char* told;
    } cases[] = {
        {"no_rows.lp", ModelFormat::cplex_lp, "Maximize\n obj: x + y\n",
         "no_rows.lp:2: нет раздела ограничений (Subject To) (GLPK: constraints section missing)"},
        {"cyr.lp", ModelFormat::cplex_lp, "Maximize\n obj: x + \xD0\xB8\nSubject To\n c: x <= 4\nEnd\n",
         "cyr.lp:2: недопустимый символ «0xD0»; имена пишутся латинскими буквами"},
        {"cyr.mod", ModelFormat::mathprog, "var \xE8 >= 0;\nmaximize z: 1;\nend;\n",
         "cyr.mod:1: недопустимый символ «0xE8»; имена пишутся латинскими буквами"},
        {"undefined.mod", ModelFormat::mathprog, "var x >= 0;\nmaximize z: x + y;\nend;\n",
         "undefined.mod:2: «y» не объявлено (GLPK: y not defined)"},
        {"rows.mps", ModelFormat::mps, "NAME t\nROWS\n N obj\n Q c1\nCOLUMNS\n x obj 1\nENDATA\n",
         "rows.mps:4: неверный тип строки в поле 1"},
        {"wide.lp", ModelFormat::cplex_lp, utf16le("Maximize\n obj: x\nSubject To\n c: x <= 1\nEnd\n"),
         "wide.lp: файл записан в кодировке UTF-16LE"},
    };
    for (const auto& c : cases) {
        const std::string path = write_in(folder, c.file, c.text);
        const std::string message = model_read_message(path, c.format);
        EXPECT_TRUE(holds(message, c.told)) << c.file << ": " << message;
    }
    const std::string missing = model_read_message((folder.path() / "none.lp").string(), ModelFormat::cplex_lp);
    EXPECT_TRUE(holds(missing, "none.lp»: такого файла нет")) << missing;
}

// Hints of a problem file: beside the codes of one that fails, as warnings of one that loads.
TEST(StudentMessages, ProblemFileHints) {
    const std::string loads = "Aim: max\nSize: 1 2\nPrnt: 1 2\nMatrix:\n1 0\n4 1 1\nFile: r.txt\n";
    const SimplexIteration record = SimplexIteration::from_bytes(loads);
    ASSERT_EQ(record.reading_hints.size(), 1u);
    EXPECT_EQ(record.reading_hints[0].line, 3u);
    EXPECT_TRUE(holds(record.reading_hints[0].text, "«Prnt:»"));
    EXPECT_TRUE(SimplexIteration(record).reading_hints.size() == 1u);  // copies keep them

    const struct {
        std::string bytes;
        const char* hint;
    } failing[] = {
        {utf16le(loads), "UTF-16LE"},
        {"\xFE\xFF" + std::string(1, '\0') + "A", "UTF-16BE"},
    };
    for (const auto& c : failing) {
        try {
            SimplexIteration::from_bytes(c.bytes);
            ADD_FAILURE() << c.hint;
        } catch (const SimplexIteration::bad_simplex& failure) {
            ASSERT_FALSE(failure.hints.empty());
            EXPECT_TRUE(holds(failure.hints[0].text, c.hint)) << failure.hints[0].text;
        }
    }
    const TempFolder folder("qtb_messages");
    try {
        const SimplexIteration record_of_none((folder.path() / "none.qtb").string());
        ADD_FAILURE();
    } catch (const SimplexIteration::bad_simplex& failure) {
        ASSERT_EQ(failure.count, 1);
        ASSERT_EQ(failure.hints.size(), 1u);
        EXPECT_TRUE(holds(failure.hints[0].text, "none.qtb»: такого файла нет")) << failure.hints[0].text;
    }
}

}  // namespace
