// The recorded run's parts: where the tables of each stand among those the window kept.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "solver/session/table_recorder.h"

namespace {

TEST(PartTables, FindTheFirstKeptTableOfEachPart) {
    // Ten tables shown; places 3..6 left out, so places 7..9 are kept as indices 3..5.
    RecordedRun run;
    run.tables.resize(6);
    run.omitted_after = 3;
    run.omitted_count = 4;
    for (const auto& [before, heading] :
         {std::pair<std::size_t, const char*>{0, "A"}, {2, "B"}, {4, "C"}, {5, "D"}, {8, "E"}, {8, "F"}, {10, "G"}}) {
        run.part_headings.push_back({before, heading});
    }
    const struct {
        const char* heading;
        std::optional<std::size_t> first;
        bool omitted;
    } cases[] = {
        {"A", 0, false},             // places 0, 1
        {"B", 2, true},              // place 2 kept, 3 left out
        {"C", std::nullopt, true},   // place 4 only, left out
        {"D", 3, true},              // places 5, 6 left out, 7 kept
        {"E", std::nullopt, false},  // no table of its own
        {"F", 4, false},             // places 8, 9
        {"G", std::nullopt, false},  // after the last table
        {"none", std::nullopt, false},
    };
    for (const auto& c : cases) {
        const PartTables tables = part_tables(run, c.heading);
        EXPECT_EQ(tables.first, c.first) << c.heading;
        EXPECT_EQ(tables.omitted, c.omitted) << c.heading;
    }

    run.omitted_count = 0;  // nothing left out: places are indices
    run.tables.resize(10);
    EXPECT_EQ(part_tables(run, "D").first, std::optional<std::size_t>(5));
    EXPECT_FALSE(part_tables(run, "D").omitted);
}

}  // namespace
