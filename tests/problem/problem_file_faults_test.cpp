// The faults of a problem file with the lines where the reader found them.

#include "problem/problem_file_faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/cp1251.h"
#include "problem/fault_texts.h"
#include "problem/simplex_iteration.h"

namespace {

using Faults = std::vector<ProblemFileFault>;

TEST(ProblemFileFaults, EachCodeCarriesTheLineOfItsWord) {
    const struct {
        std::string text;
        Faults faults;
    } cases[] = {
        {"Aim: max\nSize: 1 2\nMatrix:\n 1 0\n 1 1 0\nFile: r.txt\n", {}},
        {"", {{14, 0}, {15, 0}, {4, 0}}},
        {"Name: x\nAim: most\nSize: 1 2\nMatrix:\n1 0\n1 1 0\nFile: r.txt\n", {{2, 2}, {14, 0}}},
        // A row broken off by a negative right-hand side, then a row without a unit column.
        {"Aim: max\nSize: 2 4\nMatrix:\n 3 2 0 0\n 4 1 1 1 0\n -6 2 1 0 1\nFile: r.txt\n", {{9, 6}, {8, 0}}},
        // The word a number cannot be read from; the reading ends there.
        {"Aim: max\r\nSize: 1 2\r\nMatrix:\r\n1 0\r\n1\r\nx 1\r\nFile: r.txt\r\n", {{5, 6}, {15, 0}, {8, 0}}},
        // A number missing at the end of the text: the line of the last word, not the empty one after it.
        {"Aim: max\nFile: r.txt\nSize: 1 2\nMatrix:\n1 0\n1 1\n\n", {{5, 6}}},
        {"Aim: max\nFile: r.txt\nSize: 4 2\n", {{11, 3}, {4, 0}}},
        {"Aim: max\nFile: r.txt\n\nSize: 0 2\n", {{4, 4}}},
        {cp1251::from_utf8("Имя: Задача\nЦель: максимум\n").value() + "Base: 1\n", {{16, 3}, {15, 0}, {4, 0}}},
        {"Name: \xE2\x84\x96 \xE2\x9C\x93\n", {{20, 0}}},  // UTF-8 with a sign that Windows-1251 has and one it lacks
    };
    for (const auto& c : cases) EXPECT_EQ(problem_file_faults(c.text), c.faults) << c.text;
}

// A skipped word that looks meant as a keyword is named with its line beside the codes.
TEST(ProblemFileFaults, WordsMeantAsKeywordsAreHinted) {
    const struct {
        std::string text;
        std::vector<std::string> hints;
    } cases[] = {
        {"Aim: max\nSize 2 4\nFile: r.txt\n",
         {"строка 2: «Size» без двоеточия не ключевое слово, оно пропущено; может быть, «Size:»?"}},
        {"aim: max\nFile: r.txt\nSize: 1 2\nmatrx:\n1 0\n1 1 0\n",
         {"строка 4: «matrx:» не ключевое слово, оно пропущено"}},
        // Free text that looks like no keyword, and a keyword without a colon of its own, give none.
        {"Aim: max\nFile: r.txt\nfree text, NoTable\n", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> hints;
        try {
            SimplexIteration::from_bytes(c.text);
        } catch (const SimplexIteration::bad_simplex& failure) {
            for (const auto& hint : failure.hints) hints.push_back(hint_text(hint));
        }
        EXPECT_EQ(hints, c.hints) << c.text;
    }
}

}  // namespace
