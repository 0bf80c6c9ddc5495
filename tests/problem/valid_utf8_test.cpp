#include "problem/valid_utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(ValidUtf8, KeepsUtf8AndReadsOtherBytesAsWindows1251) {
    const struct {
        std::string_view in, out;
    } cases[] = {
        {"plain", "plain"},
        {"имя", "имя"},                              // valid UTF-8 stays
        {"\xE8\xEC\xFF", "имя"},                     // Windows-1251 bytes of a model file
        {"x\xC3", "xГ"},                             // a sequence cut at the end
        {"\xED\xA0\x80", "н\u00A0Ђ"},                // a surrogate is no UTF-8
        {"\xC0\xAF", "АЇ"},                          // an overlong form neither
        {"\xF0\x9F\x98\x80!", "\xF0\x9F\x98\x80!"},  // four bytes
        {"a\x98z", "a\xC2\x98z"},                    // unassigned in Windows-1251
    };
    for (const auto& c : cases) EXPECT_EQ(valid_utf8(c.in), c.out) << c.in;
}

}  // namespace
