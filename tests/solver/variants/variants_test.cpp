// Variants for a class: the same seed gives the same files, every variant meets its shape when solved
// again, no two are alike, impossible shapes are refused, and the folder keeps files it did not write.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "problem/problem_file_writer.h"
#include "solver/session/loaded_problem.h"
#include "solver/session/run_with_report.h"
#include "solver/variants/seeded_random.h"
#include "solver/variants/variant_folder.h"
#include "solver/variants/variant_generator.h"
#include "solver/variants/variant_template.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using test_support::read_file;
using test_support::TempFolder;
using test_support::write_file;

std::vector<Variant> made(const VariantShape& shape, std::uint32_t count, std::uint64_t seed) {
    auto result = make_variants(shape, count, seed);
    if (const auto* failure = std::get_if<VariantsFailure>(&result)) ADD_FAILURE() << failure->message;
    return std::get_if<std::vector<Variant>>(&result) != nullptr ? std::get<std::vector<Variant>>(std::move(result))
                                                                 : std::vector<Variant>{};
}

VariantShape shape(std::uint32_t m, std::uint32_t n, bool maximize, std::vector<RowKind> kinds) {
    VariantShape s;
    s.rows = m;
    s.columns = n;
    s.maximize = maximize;
    s.kinds = std::move(kinds);
    return s;
}

TEST(SeededRandom, IsSplitmix64AndStaysInItsRange) {
    SeededRandom random(0);
    EXPECT_EQ(random.next(), 0xE220A8397B1DCDAFULL);  // the published first value of splitmix64 from 0
    for (int k = 0; k < 1000; ++k) {
        const std::int64_t value = random.between(-3, 4);
        ASSERT_GE(value, -3);
        ASSERT_LE(value, 4);
    }
}

TEST(Variants, TheSameSeedGivesTheSameFilesAndAnotherSeedOthers) {
    const VariantShape s = shape(3, 4, false, {RowKind::greater_equal});
    TempFolder first("variants_a");
    TempFolder second("variants_b");
    const std::vector<Variant> a = made(s, 5, 42);
    ASSERT_FALSE(write_variant_folder(first.path(), a, {"a"}, false));
    ASSERT_FALSE(write_variant_folder(second.path(), made(s, 5, 42), {"a"}, false));
    for (const fs::path& file : variant_folder_files(first.path(), a)) {
        SCOPED_TRACE(file.filename().string());
        EXPECT_EQ(read_file(file), read_file(second.path() / file.filename()));
    }
    EXPECT_NE(problem_file_bytes(made(s, 1, 43).front().problem), problem_file_bytes(a.front().problem));
    EXPECT_EQ(a.front().file, "variant-1.qtb");
    EXPECT_EQ(variant_file_name(7, 100), "variant-007.qtb");
}

struct ShapeCase {
    const char* what;
    VariantShape shape;
    std::uint32_t artificial_rows_at_least;
};

TEST(Variants, EachMeetsItsShapeWhenItsFileIsSolvedAgainAndNoTwoAreAlike) {
    VariantShape three = shape(2, 3, true, {RowKind::less_equal});
    three.iterations = 3;
    VariantShape halves = shape(2, 2, true, {RowKind::less_equal});
    halves.halves = true;
    const std::vector<ShapeCase> cases{
        {"2x3 max <=", shape(2, 3, true, {RowKind::less_equal}), 0},
        {"3x4 min >=", shape(3, 4, false, {RowKind::greater_equal}), 3},
        {"3x5 max <=,=", shape(3, 5, true, {RowKind::less_equal, RowKind::equal}), 1},
        {"2x3 in 3 pivots", three, 0},
        {"2x2 halves", halves, 0},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Variant> variants = made(c.shape, 12, 7);
        ASSERT_EQ(variants.size(), 12U);
        std::set<std::string> texts;
        bool some_half = false;
        for (const Variant& variant : variants) {
            const std::string bytes = problem_file_bytes(variant.problem);
            texts.insert(bytes);
            some_half = some_half || bytes.find(".5") != std::string::npos;
            // The default run of the file as written.
            SimplexIteration record = SimplexIteration::from_bytes(bytes);
            record.no_table = true;
            const SolveOutcome run = run_simplex(std::move(record), RunSettings{});
            EXPECT_TRUE(run.status.empty());
            EXPECT_EQ(run.end, RunEnd::optimal);
            EXPECT_EQ(run.iterations, static_cast<std::int32_t>(c.shape.pivots()));
            EXPECT_EQ(run.notes.degenerate_pivots, 0);
            EXPECT_TRUE(run.notes.alternative_columns.empty());
            EXPECT_EQ(variant.problem.aim, c.shape.maximize ? 1 : 2);
            const auto artificial =
                static_cast<std::uint32_t>(std::count_if(variant.data.kinds.begin(), variant.data.kinds.end(),
                                                         [](RowKind k) { return k != RowKind::less_equal; }));
            EXPECT_GE(artificial, c.artificial_rows_at_least);
            for (const RowKind kind : c.shape.kinds) {
                EXPECT_NE(std::find(variant.data.kinds.begin(), variant.data.kinds.end(), kind),
                          variant.data.kinds.end());
            }
            for (const std::string& value : variant.outcome.exact_solution) {
                const auto slash = value.find('/');
                if (slash != std::string::npos) {
                    EXPECT_LE(std::stoi(value.substr(slash + 1)), 12) << value;
                }
            }
        }
        EXPECT_EQ(texts.size(), variants.size());
        EXPECT_EQ(some_half, c.shape.halves);
    }
}

TEST(Variants, ShapesThatCannotBeMetAreRefused) {
    VariantShape artificial_without_rows = shape(2, 3, true, {RowKind::less_equal});
    artificial_without_rows.artificial = true;
    VariantShape too_few_pivots = shape(3, 4, false, {RowKind::greater_equal});
    too_few_pivots.iterations = 2;
    VariantShape too_large = shape(9, 3, true, {RowKind::less_equal});
    VariantShape hopeless = shape(1, 1, true, {RowKind::less_equal});  // one column, one row: one pivot at most
    hopeless.iterations = 4;
    for (const VariantShape& s : {artificial_without_rows, too_few_pivots, too_large, hopeless}) {
        EXPECT_TRUE(std::holds_alternative<VariantsFailure>(make_variants(s, 2, 1)));
    }
}

TEST(VariantFolder, ReplacesItsOwnFilesButNoOthersUnlessForcedAndNeverALink) {
    TempFolder folder("variants_folder");
    const std::vector<Variant> variants = made(shape(2, 2, true, {RowKind::less_equal}), 2, 3);
    const fs::path target = folder.path() / "set";
    ASSERT_FALSE(write_variant_folder(target, variants, {}, false));  // created
    EXPECT_FALSE(write_variant_folder(target, variants, {}, false));  // its own files again
    write_file(target / "problems.html", "a student's page");
    EXPECT_TRUE(write_variant_folder(target, variants, {}, false));
    EXPECT_EQ(read_file(target / "problems.html"), "a student's page");
    EXPECT_FALSE(write_variant_folder(target, variants, {}, true));
    fs::remove(target / variants[0].file);
    fs::create_symlink(folder.path() / "outside.qtb", target / variants[0].file);
    EXPECT_TRUE(write_variant_folder(target, variants, {}, true));
    EXPECT_FALSE(fs::exists(folder.path() / "outside.qtb"));
}

TEST(VariantTemplate, KeepsTheRowsAndZerosOfAProblemFileAndAModel) {
    TempFolder folder("variants_template");
    write_file(folder.path() / "t.qtb",
               "Aim: min\nSize: 3 6\nBase: 4\nMatrix:\n 2 3 0 0 M M\n 6 1 0 1 0 0 0\n 5 1 1 0 -1 1 0\n"
               " 4 0 2 0 0 0 1\nFile: t.txt\n");
    write_file(folder.path() / "t.lp", "Maximize\n obj: x + y\nSubject To\n a: x + y <= 4\n b: y >= 1\nEnd\n");
    const auto of = [&](const char* name) {
        return std::get<VariantTemplate>(
            variant_template(load_problem({(folder.path() / name).string(), {}, {}, {}, nullptr})));
    };
    const VariantTemplate file = of("t.qtb");
    EXPECT_FALSE(file.maximize);
    EXPECT_EQ(file.rows, (std::vector<RowKind>{RowKind::less_equal, RowKind::greater_equal, RowKind::equal}));
    EXPECT_EQ(file.nonzero, (std::vector<std::vector<bool>>{{true, false}, {true, true}, {false, true}}));
    const VariantTemplate model = of("t.lp");
    EXPECT_TRUE(model.maximize);
    EXPECT_EQ(model.rows, (std::vector<RowKind>{RowKind::less_equal, RowKind::greater_equal}));
    EXPECT_EQ(model.nonzero, (std::vector<std::vector<bool>>{{true, true}, {false, true}}));

    VariantShape s;
    s.model = model;
    s.rows = 2;
    s.columns = 2;
    for (const Variant& variant : made(s, 4, 5)) {
        EXPECT_EQ(variant.data.kinds, model.rows);
        EXPECT_EQ(variant.data.rows[1][0], 0);
    }
}

}  // namespace
