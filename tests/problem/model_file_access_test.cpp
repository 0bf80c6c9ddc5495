// MathProg models touch no file, and what they print comes back with the model.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "problem/glpk_model_reader.h"
#include "support/temp_folder.h"

namespace {

using test_support::TempFolder;
using test_support::write_in;

std::string with_folder(std::string text, const std::filesystem::path& folder) {
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at)) {
        text.replace(at, 1, folder.string());
    }
    return text;
}

TEST(ModelFileAccess, StatementsThatTouchFilesAreRefusedOthersLoad) {
    constexpr const char* kLp = "var x >= 0;\nminimize z: x;\ns.t. c: x >= 1;\n";
    const struct {
        const char* what;
        const char* statements;  // before kLp; @ is the test's folder
        const char* refusal;     // empty: the model loads
    } cases[] = {
        {"printf >", "param a := 1;\nprintf \"%d\", a > \"@/out\";\n", "m.mod:2: оператор printf с > выводит в файл"},
        {"printf >>", "printf{i in 1..2}: \"%d\", i >> \"@/out\";\n",
         "m.mod:1: оператор printf с >> дописывает в файл"},
        {"printf > in a for block", "for {i in 1..2} {\n  printf \"%d\", i;\n  printf \"%d\", i\n    > \"@/out\";\n}\n",
         "m.mod:3: оператор printf с > выводит в файл"},
        {"printf > after if-then-else", "printf if 1 > 0 then \"a\" else \"b\" > \"@/out\";\n",
         "m.mod:1: оператор printf с > выводит в файл"},
        {"table IN", "set S;\nparam p{S};\ntable t IN \"CSV\" \"@/in.csv\": S <- [k], p;\n",
         "m.mod:3: оператор table обращается к файлам; модели не позволено читать и писать файлы"},
        {"table OUT", "/* */ table r {i in 1..2} OUT \"CSV\" \"@/out\": i;\n", "m.mod:1: оператор table обращается"},
        {"display > is a comparison", "param s symbolic := \"a\";\ndisplay s > \"@/out\";\n", ""},
        {"names with table", "param tables := 2;\nset table_rows := 1..tables;\nprintf \"%d\", tables;\n", ""},
        {"comparisons",
         "printf (if 3 > 2 then \"x\" else \"y\");\nprintf if 3 > 2 then \"x\" else \"y\";\n"
         "display{i in 1..3: i > 1} i;\nprintf{i in 1..3: i > 1} \"%d\", i;\n",
         ""},
        {"strings", "printf \"table t OUT \"\"CSV\"\" > \"\"@/out\"\";\";\nprintf 'a '' >> b # /*';\n", ""},
        {"comments", "# table t OUT \"CSV\" \"@/out\": x;\n/* printf \"x\" > \"@/out\";\ntable */ param a := 1;\n", ""},
    };
    for (const auto& c : cases) {
        const TempFolder folder("qtb_model_files");
        const std::string csv = "k,p\n1,2\n";
        write_in(folder, "in.csv", csv);
        const std::string model = write_in(folder, "m.mod", with_folder(c.statements, folder.path()) + kLp);
        try {
            static_cast<void>(read_model_file(model, ModelFormat::mathprog));
            EXPECT_STREQ(c.refusal, "") << c.what << ": loaded";
        } catch (const ModelReadError& error) {
            const std::string message = error.what();
            EXPECT_TRUE(*c.refusal != '\0' && message.find(c.refusal) != std::string::npos)
                << c.what << ": " << message;
        }
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "out")) << c.what;
        EXPECT_EQ(test_support::read_file(folder.path() / "in.csv"), csv) << c.what;
    }
}

TEST(ModelFileAccess, DataSectionSymbolsAreData) {
    const TempFolder folder("qtb_model_files");
    const std::string model = write_in(folder, "m.mod",
                                       "set S;\nvar x{S} >= 0;\nminimize z: sum{s in S} x[s];\n"
                                       "s.t. c{s in S}: x[s] >= 1;\ndata;\nset S := table chair;\nend;\n");
    EXPECT_EQ(read_model_file(model, ModelFormat::mathprog).columns.size(), 2u);
}

TEST(ModelFileAccess, PrintedOutputComesBackWithoutGlpkMessages) {
    const TempFolder folder("qtb_model_files");
    const std::string model = write_in(folder, "m.mod",
                                       "param a := 5;\nprintf \"Привет %d\\n\", a;\ncheck a > 0;\n"
                                       "var x >= 0;\nminimize z: x;\ns.t. c: x >= a;\nend;\n");
    const std::string output = read_model_file(model, ModelFormat::mathprog).output;
    EXPECT_EQ(output, "Привет 5\n");

    // A check that fails: its message is GLPK's, the printed text stays apart.
    const std::string failing = write_in(folder, "f.mod",
                                         "printf \"f.mod:1: fake\\n\";\ncheck 0 > 1;\n"
                                         "var x >= 0;\nminimize z: x;\ns.t. c: x >= 1;\nend;\n");
    try {
        static_cast<void>(read_model_file(failing, ModelFormat::mathprog));
        ADD_FAILURE() << "f.mod loaded";
    } catch (const ModelReadError& error) {
        EXPECT_EQ(std::string(error.what()).find("fake"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("f.mod:2:"), std::string::npos) << error.what();
        EXPECT_EQ(error.model_output(), "f.mod:1: fake\n");
    }

    // Past the bound the rest is counted.
    const std::string loud = write_in(folder, "l.mod",
                                      "printf{i in 1..200000}: \"%06d\\n\", i;\n"
                                      "var x >= 0;\nminimize z: x;\ns.t. c: x >= 1;\nend;\n");
    const std::string kept = read_model_file(loud, ModelFormat::mathprog).output;
    EXPECT_TRUE(kept.starts_with("000001\n000002\n"));
    EXPECT_NE(kept.find("\n(ещё " + std::to_string(200000 * 7 - (1 << 20)) + " байт вывода не показаны)\n"),
              std::string::npos);
}

}  // namespace
