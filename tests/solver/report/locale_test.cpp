// Numbers are written alike whatever the C library's locale: the users run under ru_RU.UTF-8, where
// printf would write a comma for the point.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "solver/analysis/plane_picture.h"
#include "solver/analysis/plane_svg.h"
#include "solver/report/number_format.h"

namespace {

// The texts under the C locale and under the Russian one (the test is skipped where that is absent).
template <typename Make>
void expect_same_under_russian_locale(Make make) {
    const std::string in_c = make();
    if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr) GTEST_SKIP() << "no ru_RU.UTF-8 locale";
    const std::string in_russian = make();
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(in_russian, in_c);
}

TEST(Locale, PictureAndNumbersAreWrittenWithAPoint) {
    expect_same_under_russian_locale([] {
        LpModel model;
        model.maximize = true;
        model.columns = {{"x", 0, LpModel::kInfinity, 1.5, false}, {"y", 0, 2.5, 2, false}};
        model.rows = {{"a", -LpModel::kInfinity, 4.25, {{0, 1}, {1, 1}}}};
        std::optional<PlaneProblem> plane = plane_problem_of_model(model);
        if (!plane) return std::string();
        plane->run_points = {{0, 0}, {0, 2.5}, {1.75, 2.5}};
        plane->optimum = PlanePoint{1.75, 2.5};
        return plane_svg(build_plane_picture(*plane)) + number_format::to_fixed(-3.5, 3);
    });
}

}  // namespace
