#include "problem/simplex_iteration.h"

#include <gtest/gtest.h>

namespace {

// A record of m constraints and n variables with recognisable contents.
SimplexIteration make_record(std::uint32_t m, std::uint32_t n, bool with_names) {
    SimplexIteration r;
    r.aim = 1;
    r.table.resize(m + 1, n + 1);
    r.estimates.resize(2, n + 1);
    for (std::uint32_t i = 0; i <= m; ++i)
        for (std::uint32_t j = 0; j <= n; ++j) r.table(i, j) = i * 100.0 + j;
    r.basis.assign(m + 1, 0);
    for (std::uint32_t i = 1; i <= m; ++i) r.basis[i] = i;
    if (with_names) {
        r.var_names.emplace(n + 1);
        for (std::uint32_t j = 1; j <= n; ++j) r.var_names->at(j) = std::string("v").append(std::to_string(j));
    }
    r.name = "problem";
    r.file = "report.txt";
    r.compute_col_widths();
    return r;
}

TEST(BadSimplex, HoldsAtMostTenCodes) {
    SimplexIteration::bad_simplex list;
    EXPECT_TRUE(list.empty());
    for (int k = 0; k < 12; ++k) list.add(k + 1);
    EXPECT_EQ(list.count, 10);
    EXPECT_EQ(list.codes[9], 10);
    SimplexIteration::bad_simplex copy = list;
    EXPECT_EQ(copy.codes, list.codes);
    EXPECT_EQ(copy.count, 10);
}

TEST(ColumnWidths, FollowWidthAndLongerNames) {
    SimplexIteration r = make_record(2, 3, false);
    EXPECT_EQ(r.col_widths[-2], 10u);
    EXPECT_EQ(r.col_widths[-1], 5u);
    EXPECT_EQ(r.col_widths[0], 10u);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(r.col_widths[j], 10u);

    r.var_names.emplace(std::vector<std::string>{"", "short", "a_name_of_eighteen", "x"});
    r.width = 3;
    r.compute_col_widths();
    EXPECT_EQ(r.col_widths[-2], 3u);
    EXPECT_EQ(r.col_widths[-1], 5u);
    EXPECT_EQ(r.col_widths[1], 5u);
    EXPECT_EQ(r.col_widths[2], 18u);
    EXPECT_EQ(r.col_widths[3], 3u);
    EXPECT_THROW(r.col_widths[-3], std::out_of_range);
    EXPECT_THROW(r.col_widths[4], std::out_of_range);
}

TEST(Record, CopyIsDeepAndKeepsAbsentFieldsAbsent) {
    SimplexIteration source = make_record(2, 3, true);
    source.name.reset();
    SimplexIteration copy(source);
    copy.table(1, 1) = -5;
    copy.basis[1] = 3;
    copy.var_names->at(1) = "changed";
    copy.iterations = 4;
    EXPECT_EQ(source.table(1, 1), 101.0);
    EXPECT_EQ(source.basis[1], 1u);
    EXPECT_EQ(source.var_names->at(1), "v1");
    EXPECT_EQ(source.iterations, 0);
    EXPECT_FALSE(copy.name);
    EXPECT_EQ(copy.file, "report.txt");
}

TEST(Record, AssignmentReplacesEverythingAndSelfAssignmentChangesNothing) {
    SimplexIteration target = make_record(1, 2, true);
    const SimplexIteration larger = make_record(3, 5, true);
    target = larger;
    EXPECT_EQ(target.table.rows, 4u);
    EXPECT_EQ(target.table.cols, 6u);
    EXPECT_EQ(target.table(3, 5), 305.0);
    EXPECT_EQ(target.var_names->size(), 6u);
    EXPECT_EQ(target.var_names->at(5), "v5");
    EXPECT_EQ(target.col_widths, larger.col_widths);

    SimplexIteration bare = make_record(1, 2, false);
    bare.name.reset();
    target = bare;
    EXPECT_FALSE(target.var_names);
    EXPECT_FALSE(target.name);
    EXPECT_EQ(target.table.rows, 2u);

    SimplexIteration& alias = target;
    target = alias;
    EXPECT_EQ(target.table(1, 2), 102.0);
    EXPECT_EQ(target.basis.size(), 2u);
}

TEST(Record, DefaultRecordIsEmpty) {
    SimplexIteration r;
    EXPECT_TRUE(r.table.empty());
    EXPECT_TRUE(r.estimates.empty());
    EXPECT_TRUE(r.basis.empty());
    EXPECT_TRUE(r.col_widths.empty());
    EXPECT_FALSE(r.var_names || r.name || r.file);
    r.compute_col_widths();
    EXPECT_TRUE(r.col_widths.empty());
    SimplexIteration copy = r;
    EXPECT_TRUE(copy.table.empty());
}

}  // namespace
