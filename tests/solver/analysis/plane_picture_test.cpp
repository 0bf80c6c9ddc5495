#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "problem/cp1251.h"
#include "solver/analysis/plane_picture.h"
#include "solver/analysis/plane_source.h"
#include "solver/analysis/plane_svg.h"
#include "solver/session/run_with_report.h"
#include "support/problem_builder.h"

namespace {

using test_support::make_problem;

constexpr double kM = BIG_M;

// The picture of a record's run, its points taken from columns 1 and 2.
PlanePicture picture_of_run(const SimplexIteration& problem) {
    std::optional<PlaneProblem> plane = plane_problem_of_record(problem);
    EXPECT_TRUE(plane.has_value());
    if (!plane) return {};
    const SolveOutcome outcome = run_simplex(problem, RunSettings{});
    for (const Matrix& s : basic_solutions(problem, outcome.pivots)) plane->run_points.push_back({s(1, 0), s(2, 0)});
    if (outcome.status.empty()) plane->optimum = plane->run_points.back();
    return build_plane_picture(*plane);
}

bool has_vertex(const PlanePicture& picture, double x, double y) {
    return std::any_of(picture.vertices.begin(), picture.vertices.end(),
                       [&](const PlanePoint& p) { return std::abs(p.x - x) < 1e-9 && std::abs(p.y - y) < 1e-9; });
}

bool inside(const PlaneRect& r, PlanePoint p) {
    return p.x > r.x_min && p.x < r.x_max && p.y > r.y_min && p.y < r.y_max;
}

TEST(PlanePicture, BoundedRegionHasItsVerticesInView) {
    // max 3x + 5y: x <= 4, 2y <= 12, 3x + 2y <= 18; the optimum (2, 6).
    const PlanePicture picture = picture_of_run(
        make_problem(1, {3, 5, 0, 0, 0}, {{4, 1, 0, 1, 0, 0}, {12, 0, 2, 0, 1, 0}, {18, 3, 2, 0, 0, 1}}, 2));
    EXPECT_FALSE(picture.unbounded);
    EXPECT_EQ(picture.vertices.size(), 5U);
    for (const auto& [x, y] : std::vector<std::pair<double, double>>{{0, 0}, {4, 0}, {4, 3}, {2, 6}, {0, 6}}) {
        EXPECT_TRUE(has_vertex(picture, x, y)) << x << ", " << y;
        EXPECT_TRUE(inside(picture.view, {x, y}));
    }
    EXPECT_EQ(picture.lines.size(), 3U);
    ASSERT_FALSE(picture.run.empty());
    EXPECT_TRUE(std::all_of(picture.run.begin(), picture.run.end(), [](const PlaneRunPoint& p) { return p.feasible; }));
    EXPECT_NEAR(picture.run.back().at.x, 2, 1e-12);
    EXPECT_NEAR(picture.run.back().at.y, 6, 1e-12);
    EXPECT_TRUE(picture.level_line.has_value());
}

TEST(PlanePicture, UnboundedRegionIsOpen) {
    // 2 x1 - x2 <= 2, x1 - 2 x2 <= 4: open towards growing x2.
    const PlanePicture picture = picture_of_run(make_problem(1, {1, 2, 0, 0}, {{2, 2, -1, 1, 0}, {4, 1, -2, 0, 1}}, 2));
    EXPECT_TRUE(picture.unbounded);
    EXPECT_TRUE(has_vertex(picture, 0, 0));
    EXPECT_TRUE(has_vertex(picture, 1, 0));
    EXPECT_FALSE(picture.level_line.has_value());  // no optimum
    // The open side is no border: only the two finite edges on the axes and the one on row 1.
    EXPECT_EQ(picture.borders.size(), 3U);
}

TEST(PlanePicture, BigMRunPassesOutsideTheRegion) {
    // min 2x + 3y: x + y >= 4, x + 3y >= 6, with surplus and artificial columns.
    const PlanePicture picture =
        picture_of_run(make_problem(2, {2, 3, 0, 0, kM, kM}, {{4, 1, 1, -1, 0, 1, 0}, {6, 1, 3, 0, -1, 0, 1}}, 2));
    ASSERT_GE(picture.run.size(), 3U);
    EXPECT_FALSE(picture.run.front().feasible);  // the origin
    EXPECT_TRUE(picture.run.back().feasible);
    EXPECT_TRUE(picture.unbounded);
}

TEST(PlanePicture, OnlyTwoOwnVariablesBesidesSlacks) {
    // Three own variables; then a column that is neither a slack nor artificial.
    EXPECT_FALSE(plane_problem_of_record(make_problem(1, {1, 1, 1, 0}, {{4, 1, 1, 1, 1}}, 3)));
    EXPECT_FALSE(plane_problem_of_record(make_problem(1, {1, 1, 0, 0}, {{4, 1, 1, 1, 1}, {3, 1, 0, 0, 1}}, 2)));
    LpModel three;
    three.columns.resize(3);
    EXPECT_FALSE(plane_problem_of_model(three));
}

// Every element closed in the order opened, in a document of elements and comments without "<" or ">" in them.
bool well_formed(const std::string& svg) {
    std::vector<std::string> open;
    for (std::size_t at = svg.find('<'); at != std::string::npos; at = svg.find('<', at + 1)) {
        const std::size_t end = svg.find('>', at);
        if (end == std::string::npos) return false;
        const std::string tag = svg.substr(at + 1, end - at - 1);
        if (tag.starts_with('?') || tag.starts_with("!--") || tag.ends_with('/')) continue;
        const std::string name =
            tag.substr(tag.starts_with('/') ? 1 : 0, tag.find_first_of(" \n") - (tag.starts_with('/') ? 1 : 0));
        if (tag.starts_with('/')) {
            if (open.empty() || open.back() != name) return false;
            open.pop_back();
        } else {
            open.push_back(name);
        }
    }
    return open.empty();
}

TEST(PlaneSvg, IsWellFormedWithEscapedNames) {
    LpModel model;
    model.maximize = true;
    model.columns = {{"x<1>", 0, LpModel::kInfinity, 1, false}, {"y", 0, 3, 2, false}};
    model.rows = {{"a&b", -LpModel::kInfinity, 4, {{0, 1}, {1, 1}}}};
    std::optional<PlaneProblem> plane = plane_problem_of_model(model);
    ASSERT_TRUE(plane);
    plane->run_points = {{0, 0}, {0, 3}, {1, 3}};
    plane->optimum = PlanePoint{1, 3};
    const std::string svg = plane_svg(build_plane_picture(*plane));
    EXPECT_TRUE(well_formed(svg));
    EXPECT_NE(svg.find("a&amp;b"), std::string::npos);
    EXPECT_NE(svg.find("x&lt;1&gt;"), std::string::npos);
    EXPECT_NE(svg.find("y ≤ 3"), std::string::npos);
    EXPECT_EQ(svg.find("a&b"), std::string::npos);
}

// The axes carry the variables' own names: a model's, a problem file's, else x1 and x2; the SVG writes them.
TEST(PlaneSvg, AxesCarryTheVariablesNames) {
    SimplexIteration unnamed = make_problem(1, {5, 4, 0}, {{12, 2, 3, 1}}, 2);
    SimplexIteration named = unnamed;
    named.var_names = std::vector<std::string>{"", *cp1251::from_utf8("столы"), *cp1251::from_utf8("стулья"), "s1"};
    SimplexIteration one_named = unnamed;
    one_named.var_names = std::vector<std::string>{"", "a"};
    LpModel model;
    model.columns = {{"tables", 0, LpModel::kInfinity, 5, false}, {"chairs", 0, LpModel::kInfinity, 4, false}};
    model.rows = {{"boards", -LpModel::kInfinity, 12, {{0, 2}, {1, 3}}}};
    const struct {
        const char* what;
        std::optional<PlaneProblem> plane;
        std::string x, y;
    } cases[] = {
        {"problem file without names", plane_problem_of_record(unnamed), "x1", "x2"},
        {"problem file with names", plane_problem_of_record(named), "столы", "стулья"},
        {"problem file naming one column", plane_problem_of_record(one_named), "a", "x2"},
        {"model", plane_problem_of_model(model), "tables", "chairs"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.plane) << c.what;
        const PlanePicture picture = build_plane_picture(*c.plane);
        EXPECT_EQ(picture.x_name, c.x) << c.what;
        EXPECT_EQ(picture.y_name, c.y) << c.what;
        const std::string svg = plane_svg(picture);
        for (const std::string& name : {c.x, c.y})
            EXPECT_NE(svg.find("class=\"name\">" + name + "</text>"), std::string::npos) << c.what << ": " << name;
    }
}

// A branch and bound shades each leaf's part of the region and marks its answer; the other integer
// methods draw as they did.
TEST(PlanePicture, BranchAndBoundShadesItsLeaves) {
    // max 7 x1 + 10 x2: -x1 + 3 x2 <= 6, 7 x1 + x2 <= 35, integer. Its leaves: x1 <= 4, x2 <= 3 (the answer
    // (4, 3)); x1 <= 4, x2 >= 4 (empty); x1 >= 5 (the corner (5, 0) alone, no shade).
    const SimplexIteration problem = SimplexIteration::from_bytes(
        "Aim: max\r\nSize: 2 4\r\nInteger: 2 1 2\r\nMatrix:\r\n7 10 0 0\r\n6 -1 3 1 0\r\n35 7 1 0 1\r\nFile: "
        "r.txt\r\n");
    const struct {
        IntegerMethod method;
        std::size_t shades;
    } cases[] = {{IntegerMethod::branch, 1}, {IntegerMethod::gomory, 0}, {IntegerMethod::relax, 0}};
    for (const auto& c : cases) {
        RunSettings settings;
        settings.integer = c.method;
        SimplexIteration quiet = problem;
        quiet.no_table = true;
        const SolveOutcome outcome = run_simplex(quiet, settings);
        const PlanePicture picture = run_plane_picture(problem, outcome, *plane_source_of_record(problem));
        ASSERT_EQ(picture.branch_regions.size(), c.shades) << integer_method_word(c.method);
        for (const auto& part : picture.branch_regions) {
            for (const PlanePoint& p : part) {
                EXPECT_LE(p.x, 4 + 1e-9);
                EXPECT_LE(p.y, 3 + 1e-9);
                EXPECT_GE(p.x, -1e-9);
                EXPECT_GE(p.y, -1e-9);
            }
        }
        const bool branch = c.method == IntegerMethod::branch;
        ASSERT_EQ(picture.answer.has_value(), branch);
        if (branch) {
            EXPECT_NEAR(picture.answer->x, 4, 1e-9);
            EXPECT_NEAR(picture.answer->y, 3, 1e-9);
        }
        const std::string svg = plane_svg(picture);
        EXPECT_EQ(svg.find(".branch{") != std::string::npos, branch);
        EXPECT_EQ(svg.find("class=\"branch\"") != std::string::npos, branch);
    }
}

}  // namespace
