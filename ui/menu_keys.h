#pragma once

#include <QList>

class QLineEdit;
class QMenuBar;

// Lets the keys of the menus' commands reach their commands while the line edit has the focus. A line
// edit takes some of them for its own editing (on X11 Ctrl+E moves to the end of the line), so that the
// command would do nothing from there; the End key still does that.
void let_menu_keys_pass(QLineEdit* edit, const QList<QMenuBar*>& bars);
