#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>

// The look of the windows where it differs from Qt's defaults.

// The windows are laid out in pixels for MS Sans Serif 8 pt. Where that font is missing, a narrow sans
// serif of about the same size takes its place, sized in pixels like the layout.
QFont form_font();

// The big title of the About window: Times New Roman bold, 24 pixels, or the nearest serif font.
QFont about_title_font();

// Places a label that grows with its text: at least the given rectangle, wider when its text needs it.
void place_growing_label(QLabel* label, const QRect& at_least);
