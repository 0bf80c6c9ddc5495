#include "problem/model_error_place.h"

#include <gtest/gtest.h>

namespace {

TEST(ModelErrorPlace, TakesTheFirstLineThatNamesOneOfTheFiles) {
    const std::optional<std::string> data = "plan.dat";
    const struct {
        std::string_view message, file;
        unsigned long line;  // 0: no place
    } cases[] = {
        {"plan.lp:5: missing constraint", "plan.lp", 5},
        {"в строке 3 десятичная запятая\nplan.lp:3: syntax error", "plan.lp", 3},  // led by a note
        {"plan.dat:12: x not defined\nplan.lp:1: context", "plan.dat", 12},
        {"plan.lp.bak:7: text", "", 0},                           // another file's name that starts alike
        {"plan.lp:: text", "", 0},                                // no number
        {"plan.lp:4 text", "", 0},                                // no ": " after it
        {"GLPK не смог прочитать модель", "", 0},                 // no place at all
        {"see plan.lp:2: inside", "", 0},                         // only at a line's start
        {"plan.lp:99999999999999999999999: x", "plan.lp", ~0UL},  // saturates
    };
    for (const auto& c : cases) {
        const auto place = model_error_place(c.message, "plan.lp", data);
        if (c.line == 0) {
            EXPECT_FALSE(place) << c.message;
            continue;
        }
        ASSERT_TRUE(place) << c.message;
        EXPECT_EQ(place->file, c.file) << c.message;
        EXPECT_EQ(place->line, c.line) << c.message;
    }
}

TEST(ModelErrorPlace, PrefersTheLongerNameWhenOneStartsTheOther) {
    const auto place = model_error_place("m.mod.dat:2: bad", "m.mod", std::string("m.mod.dat"));
    ASSERT_TRUE(place);
    EXPECT_EQ(place->file, "m.mod.dat");
}

}  // namespace
