#pragma once

// The main window in a fresh temporary current folder, with its record and the boxes it shows;
// load() types a file name into the window and presses its load button.

#include <QString>

#include <gtest/gtest.h>

#include <string>

#include "problem/simplex_iteration.h"
#include "ui/main_form.h"
#include "ui_test_support.h"

class MainWindowInFolder : public testing::Test {
protected:
    void load(const QString& file_name) {
        window.Edit1->setText(file_name);
        window.Button3->click();
    }
    void load(const std::string& file_name) { load(QString::fromStdString(file_name)); }
    void load(const char* file_name) { load(QString::fromUtf8(file_name)); }

    TemporaryCurrentFolder folder;
    SimplexIteration record;
    RecordedMessages messages;
    TForm1 window{record, messages};
};
