// The small rules of the windows: how a window fits its screen, the grid's zoom steps, the names saved.
#include <QDir>

#include <gtest/gtest.h>

#include "ui/fit_to_screen.h"
#include "ui/save_names.h"
#include "ui/table_grid.h"

namespace {

TEST(FittedPlace, AWindowAndItsFrameStayWithinTheFreeAreaOfTheScreen) {
    const QMargins frame(2, 20, 2, 2);
    const struct {
        const char* what;
        WindowPlace wanted;
        QRect available;
        WindowPlace fitted;
    } cases[] = {
        {"fits: as it is", {{197, 114}, {447, 290}}, {0, 0, 800, 500}, {{197, 114}, {447, 290}}},
        {"too wide and tall: the whole area", {{0, 0}, {960, 600}}, {0, 0, 800, 500}, {{0, 0}, {796, 478}}},
        {"too far right and low: moved back", {{700, 400}, {200, 100}}, {0, 0, 800, 500}, {{596, 378}, {200, 100}}},
        {"above and left of the area: moved in", {{-50, -10}, {200, 100}}, {0, 30, 800, 470}, {{0, 30}, {200, 100}}},
        {"on a second screen", {{1500, 100}, {1200, 300}}, {1280, 0, 1024, 768}, {{1280, 100}, {1020, 300}}},
        {"a panel's share is not free", {{100, 0}, {300, 200}}, {0, 24, 800, 476}, {{100, 24}, {300, 200}}},
    };
    for (const auto& c : cases) {
        const WindowPlace fitted = fitted_place(c.wanted, frame, c.available);
        EXPECT_EQ(fitted.corner, c.fitted.corner) << c.what;
        EXPECT_EQ(fitted.size, c.fitted.size) << c.what;
    }
}

TEST(GridZoom, StepsThroughItsSizesAndStaysAtTheEnds) {
    const struct {
        int percent;
        int direction;
        int next;
    } cases[] = {{100, +1, 110}, {100, -1, 90},  {400, +1, 400}, {50, -1, 50},
                 {105, +1, 110}, {105, -1, 100}, {10, +1, 50},   {1000, -1, 400}};
    for (const auto& c : cases)
        EXPECT_EQ(next_grid_zoom(c.percent, c.direction), c.next) << c.percent << ' ' << c.direction;
}

TEST(SavedNames, ANameWithoutExtensionTakesTheChosenFilters) {
    const struct {
        const char* chosen;
        const char* filter;
        const char* saved;
    } cases[] = {
        {"/a/maximize-run", "HTML (*.html)", "/a/maximize-run.html"},
        {"/a/maximize-run", "LaTeX (*.tex)", "/a/maximize-run.tex"},
        {"/a/maximize-run.", "PNG (*.png)", "/a/maximize-run.png"},
        {"/a/plan.txt", "HTML (*.html)", "/a/plan.txt"},  // its own extension stays
        {"/a.d/plan", "SVG (*.svg)", "/a.d/plan.svg"},    // a dot in a folder is no extension
        {"/a/plan", "Все файлы (*)", "/a/plan"},
        {"/a/plan", "", "/a/plan"},
        {"", "HTML (*.html)", ""},  // cancelled
    };
    for (const auto& c : cases) {
        EXPECT_EQ(with_filter_extension(QString::fromUtf8(c.chosen), QString::fromUtf8(c.filter)),
                  QString::fromUtf8(c.saved))
            << c.chosen << " + " << c.filter;
    }
    EXPECT_EQ(filter_extension("HTML (*.html);;LaTeX (*.tex)"), "html");
}

TEST(SavedNames, TheSuggestionLiesBesideTheProblemAndIsNamedAfterIt) {
    EXPECT_EQ(suggested_save_name("/a/b/maximize.qtb", "решение", "html"), "/a/b/maximize-решение.html");
    EXPECT_EQ(suggested_save_name("/a/plan.v2.lp", "рисунок", "png"), "/a/plan.v2-рисунок.png");
    EXPECT_EQ(suggested_save_name({}, "решение", "tex"), QDir::current().filePath("решение.tex"));
}

}  // namespace
