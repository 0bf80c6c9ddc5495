// The window as its users run it, under ru_RU.UTF-8 (ctest runs this program a second time so): a model
// with decimals loads and solves, and its report and picture write numbers with a point.
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "main_window_fixture.h"
#include "ui/main_form.h"
#include "ui/solution_window.h"
#include "ui_test_support.h"

namespace {

class RussianLocale : public MainWindowInFolder {};

TEST_F(RussianLocale, TheDietModelLoadsAndItsReportWritesThePoint) {
    std::filesystem::copy_file(std::string(QTB_SOURCE_DIR) + "/examples/models/diet.lp", "diet.lp");
    load("diet.lp");
    ASSERT_TRUE(window.Button1->isEnabled()) << messages.shown.at(0).text.toStdString();
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}}));
    const std::string report = read_report("diet.txt").value();
    EXPECT_NE(report.find("3.5"), std::string::npos);
    EXPECT_EQ(report.find("3,5"), std::string::npos);
}

TEST_F(RussianLocale, ThePictureOfAModelWithDecimalsHasPointsInItsCoordinates) {
    std::ofstream("two.lp") << "Maximize\n obj: 1.5 x + 2.5 y\nSubject To\n a: x + y <= 3.5\n b: y <= 2.25\nEnd\n";
    load("two.lp");
    window.Button1->click();
    EXPECT_EQ(messages.take(), boxes({{"Решение получено!", "QTB"}}));
    SolutionWindow solution(messages);
    solution.show_run(window.last_run());
    QString path = folder.path() + "/two.svg";
    solution.choose_file = [&](const QString&, const QString&, const QString&, QString*) { return path; };
    solution.SavePicture();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(svg.contains(QRegularExpression(R"( x="\d+\.\d\d")")));
    // A coordinate is one number; a list of points separates x and y by a comma, never digits.
    EXPECT_FALSE(svg.contains(QRegularExpression(R"(\b(c?[xy][12]?)="[^"]*,)"))) << svg.toStdString();
    EXPECT_FALSE(svg.contains(QRegularExpression(R"(\d,\d+,\d)"))) << svg.toStdString();
}

}  // namespace
