// Models read through GLPK.

#include <gtest/gtest.h>

#include <string>

#include "problem/glpk_model_reader.h"
#include "support/model_read_message.h"
#include "support/temp_folder.h"

namespace {

using test_support::model_read_message;
using test_support::TempFolder;
using test_support::write_in;

TEST(ModelReader, GivesGlpkMessageWithLineNumber) {
    const TempFolder folder("qtb_models");
    const struct {
        const char* file;
        ModelFormat format;
        const char* text;
        const char* located;
    } cases[] = {
        {"bad.lp", ModelFormat::cplex_lp, "Maximize\n obj: x\nSubject To\n c: x <= 4 y\nEnd\n", "bad.lp:4: "},
        {"bad.mod", ModelFormat::mathprog, "var x;\nmaximize z: x\ns.t. c: x <= 1;\nend;\n", "bad.mod:3: "},
        {"bad.mps", ModelFormat::mps, "NAME T\nROWS\n N obj\nCOLUMNS\n x obj 1 c 1\nENDATA\n", "bad.mps:5: "},
    };
    for (const auto& c : cases) {
        const std::string path = write_in(folder, c.file, c.text);
        const std::string message = model_read_message(path, c.format);
        EXPECT_NE(message.find(c.located), std::string::npos) << c.file << ": " << message;
    }
}

TEST(ModelReader, MpsObjectiveSenseAndConstant) {
    const TempFolder folder("qtb_models");
    const std::string body =
        "ROWS\n N  obj\n L  c1\nCOLUMNS\n    x         obj       1.0          c1        1.0\n"
        "RHS\n    RHS       c1        4.0          obj       10.0\nENDATA\n";
    for (const std::string sense : {"OBJSENSE\n    MAX\n", "OBJSENSE MAXIMIZE\n"}) {
        const LpModel model = read_model_file(
            write_in(folder, "m.mps", std::string("NAME          T\n").append(sense).append(body)), ModelFormat::mps);
        EXPECT_TRUE(model.maximize);
        EXPECT_EQ(model.constant, -10.0);
        ASSERT_EQ(model.rows.size(), 1u);
        EXPECT_EQ(model.rows[0].upper, 4.0);
    }
}

TEST(ModelReader, MathProgWithDataAndIntegerMarks) {
    const TempFolder folder("qtb_models");
    const std::string model =
        write_in(folder, "m.mod",
                 "set I; param c{I}; var x{I} >= 0, integer;\n"
                 "maximize z: sum{i in I} c[i]*x[i] + 1;\ns.t. cap: sum{i in I} x[i] <= 3;\nend;\n");
    const std::string data = write_in(folder, "m.dat", "data; set I := a b; param c := a 1 b 2; end;\n");
    const LpModel lp = read_model_file(model, ModelFormat::mathprog, data);
    ASSERT_EQ(lp.columns.size(), 2u);
    EXPECT_EQ(lp.columns[1].name, "x[b]");
    EXPECT_EQ(lp.columns[1].cost, 2.0);
    EXPECT_EQ(lp.constant, 1.0);
    EXPECT_TRUE(lp.has_integer_marks());
}

}  // namespace
