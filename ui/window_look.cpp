#include "ui/window_look.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <utility>

QFont form_font() {
    // The first installed family wins; the narrower substitutes are one pixel smaller so that the
    // longest captions of the layout fit their controls.
    static constexpr std::array<std::pair<const char*, int>, 3> kCandidates = {{
        {"MS Sans Serif", 11},
        {"Microsoft Sans Serif", 11},
        {"DejaVu Sans Condensed", 10},
    }};
    const QStringList installed = QFontDatabase::families();
    QFont font;
    for (const auto& [family, pixels] : kCandidates) {
        if (installed.contains(QString::fromLatin1(family))) {
            font.setFamilies({QString::fromLatin1(family)});
            font.setPixelSize(pixels);
            return font;
        }
    }
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

QFont about_title_font() {
    QFont font;
    font.setFamilies({"Times New Roman", "Liberation Serif", "Tinos", "DejaVu Serif"});
    font.setStyleHint(QFont::Serif);
    font.setBold(true);
    font.setPixelSize(24);
    return font;
}

void place_growing_label(QLabel* label, const QRect& at_least) {
    const int needed = label->fontMetrics().horizontalAdvance(label->text());
    label->setGeometry(at_least.x(), at_least.y(), std::max(at_least.width(), needed), at_least.height());
}
