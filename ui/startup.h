#pragma once

#include <QApplication>
#include <QTranslator>

#include "problem/simplex_iteration.h"
#include "ui/message_sink.h"

// The program's one problem record. It is built before main runs, so before any window exists, and
// destroyed once after main has returned, so after the event loop has finished.
extern SimplexIteration ProblemRecord;

// The C library's number format back to "C" (numbers are read and written alike under every locale),
// the application's title ("Simplex method"), version, desktop entry and icon, and Qt's own texts in
// Russian where the Qt translations are installed. `translator` must outlive the application's use of it.
void prepare_application(QApplication& app, QTranslator& translator);

// Creates the main window (shown) and the result window (hidden), runs the event loop and returns the
// exit code, always 0. The windows are gone when it returns.
int run_desktop(SimplexIteration& record, MessageBoxSink& messages);
