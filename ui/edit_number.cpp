#include "ui/edit_number.h"

#include <limits>

namespace {

// The white space of the C library's isspace in the "C" locale.
bool is_c_space(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r'; }

}  // namespace

std::int32_t read_edit_number(const QString& text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();

    qsizetype pos = 0;
    while (pos < text.size() && is_c_space(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    // The magnitude stops growing once it is past the range; more digits cannot bring it back.
    std::int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        if (magnitude <= kMax + 1) magnitude = magnitude * 10 + (text[pos].unicode() - u'0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > kMax) return static_cast<std::int32_t>(kMax);
    if (value < kMin) return static_cast<std::int32_t>(kMin);
    return static_cast<std::int32_t>(value);
}

QString edit_number_text(std::int32_t value) { return QString::number(value); }
