// The windows need a QApplication; the tests always run without a display.
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the settings the windows keep stay out of the user's
    std::setlocale(LC_NUMERIC, "C");           // as the program does right after making its application
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
