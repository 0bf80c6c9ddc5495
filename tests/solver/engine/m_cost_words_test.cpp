// Cost words next to BIG_M in a problem file: the reader keeps the double each word
// reads as, and the engine counts a cost as an M cost when that double is +-BIG_M.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "problem/simplex_iteration.h"
#include "support/temp_folder.h"

namespace {

using test_support::TempFolder;
using test_support::write_file;

TEST(MCostWords, CostWordsNextToBigMAreMCostsWhenTheirDoubleIsBigM) {
    // The spacing of doubles next to BIG_M is 2^-22, about 2.4e-7.
    static_assert(2147483637.0000001 == BIG_M);
    static_assert(2147483637.0000003 != BIG_M);
    static_assert(-2147483637.0000001 == -BIG_M);
    static_assert(2147483636.9999999 == BIG_M);
    const std::string digits = std::string(3000, '0') + "1";
    struct Case {
        std::string word;
        double cost;
    };
    const std::vector<Case> cases = {
        {"2147483637", BIG_M},
        {"-2147483637", -BIG_M},
        {"+2147483637", BIG_M},
        {"2147483637.0", BIG_M},
        {"21474836370e-1", BIG_M},
        {"2.147483637e9", BIG_M},
        {"2147483637abc", BIG_M},
        {"2147483637." + digits, BIG_M},
        {"2147483637.0000001", 2147483637.0000001},
        {"-2147483637.0000001", -2147483637.0000001},
        {"2147483637.0000003", 2147483637.0000003},
        {"2147483636", 2147483636.0},
        {"-2147483636", -2147483636.0},
        {"2147483638", 2147483638.0},
        {"2147483636.9999999", 2147483636.9999999},
    };
    const auto n = static_cast<std::uint32_t>(cases.size() + 1);  // the last column is the slack
    std::string text = "Aim: max File: r.txt Size: 1 " + std::to_string(n) + " Matrix:";
    for (const Case& c : cases) text += " " + c.word;
    text += " 0\n 1";
    for (std::size_t j = 0; j < cases.size(); ++j) text += " 0";
    text += " 1\n";
    const TempFolder folder("qtb_m_cost_words");
    write_file(folder.path() / "p.qtb", text);
    SimplexIteration r((folder.path() / "p.qtb").string());
    ASSERT_EQ(r.variable_count(), n);
    // The engine knows an M cost by its magnitude: a maximisation counts it as -M.
    r.compute_estimates();
    for (std::uint32_t j = 1; j < n; ++j) {
        const Case& c = cases[j - 1];
        EXPECT_EQ(r.table(0, j), c.cost) << c.word.substr(0, 30);
        const bool m_cost = c.cost == BIG_M || c.cost == -BIG_M;
        EXPECT_EQ(r.estimates(0, j), m_cost ? 1.0 : 0.0) << c.word.substr(0, 30);
        EXPECT_EQ(r.estimates(1, j), m_cost ? 0.0 : -c.cost) << c.word.substr(0, 30);
    }
}

}  // namespace
