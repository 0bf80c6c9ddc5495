// «Варианты…»: the dialog of the problem menu writes the set its controls describe, or says why not.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/variants_dialog.h"

namespace {

using VariantsDialogTest = MainWindowInFolder;

TEST_F(VariantsDialogTest, WritesTheSetOfItsControlsOrSaysWhatIsMissing) {
    ASSERT_TRUE(window.Problem1->actions().contains(window.findChild<QAction*>("VariantsItem")));
    VariantsDialog dialog(&window, messages);
    EXPECT_FALSE(dialog.make());  // no folder yet
    EXPECT_EQ(messages.take(), boxes({{"Укажите каталог вариантов.", "Варианты"}}));

    dialog.Count->setValue(3);
    dialog.Seed->setText("5");
    dialog.Rows->setValue(3);
    dialog.Columns->setValue(4);
    dialog.Sense->setCurrentIndex(1);
    dialog.LessEqual->setChecked(false);
    dialog.GreaterEqual->setChecked(true);
    dialog.Folder->setText(folder.path() + "/группа");
    ASSERT_TRUE(dialog.make());
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_TRUE(messages.take().front().text.startsWith("Вариантов составлено: 3"));
    const QDir written(folder.path() + "/группа");
    EXPECT_EQ(written.entryList({"*.qtb"}), (QStringList{"variant-1.qtb", "variant-2.qtb", "variant-3.qtb"}));
    for (const char* paper : {"answer-key.tex", "answer-key.html", "problems.tex", "problems.html"}) {
        EXPECT_TRUE(written.exists(paper)) << paper;
    }

    dialog.Iterations->setValue(1);  // three artificial variables cannot leave in one pivot
    EXPECT_FALSE(dialog.make());
    EXPECT_TRUE(messages.take().front().text.contains("искусственных"));
}

}  // namespace
