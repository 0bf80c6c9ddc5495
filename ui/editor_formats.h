#pragma once

#include <QString>

#include <array>

#include "problem/model_format.h"

// The formats the problem editor writes, in the order of its format list: what each is called,
// the extension of its files and the short problem each new text starts from.
struct EditorFormat {
    ModelFormat format;  // how the main window reads the file
    bool transport;      // a transport problem file (.qtt): a problem file with a reader of its own
    QString title;       // for the format list and the save dialog's filter
    QString extension;   // with the dot
    QString template_text;
};

const std::array<EditorFormat, 5>& editor_formats();

// The entry of a format (a problem file: the simplex method's); a format the editor does not offer
// (free MPS) is written as MPS.
const EditorFormat& editor_format(ModelFormat format);
// The transport problem file's entry.
const EditorFormat& transport_editor_format();

// The format a file name stands for, by its extension as the main window reads it.
const EditorFormat& editor_format_of(const QString& file_name);

// The file name with the format's extension appended unless it already stands for the format,
// so that the main window reads the saved file in the format it was written in.
QString with_extension_of(const QString& file_name, const EditorFormat& format);
