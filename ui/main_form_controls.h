#pragma once

// What the main window's units share in building their controls and naming files.

#include <QFile>
#include <QString>
#include <QWidget>

#include <filesystem>

#include "ui/main_form_layout.h"

// A control of the layout: named, placed in pixels of its parent where ui/main_form_layout.h puts it.
template <class Widget>
Widget* place(QWidget* parent, const char* name, const QString& text = {}) {
    auto* widget = new Widget(text, parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(main_form_layout::place_of(name));
    return widget;
}

// A name typed or chosen in the window, as the file system spells it.
inline std::filesystem::path file_system_path(const QString& name) {
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}
