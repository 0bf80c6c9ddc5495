#include "solver/report/markup_escapes.h"

#include <optional>

#include "problem/cp1251.h"
#include "problem/valid_utf8.h"

namespace {

// & < > " as entities, and the apostrophe as the language spells it.
std::string with_entities(std::string_view text, std::string_view apostrophe) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += apostrophe;
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A character beyond ASCII as LaTeX: the symbols the documents write, in math;
// the characters of Windows-1251 as they are (utf8 inputenc and T2A have them
// all); any other "?", as pdflatex has no glyph for it.
std::string latex_non_ascii(char32_t code_point, std::string_view utf8) {
    switch (code_point) {
        case U'∞':
            return "\\ensuremath{\\infty}";
        case U'≤':
            return "\\ensuremath{\\leq}";
        case U'≥':
            return "\\ensuremath{\\geq}";
        case U'≠':
            return "\\ensuremath{\\neq}";
        case U'−':
            return "\\ensuremath{-}";
        case U'→':
            return "\\ensuremath{\\rightarrow}";
        case U'↓':
            return "\\ensuremath{\\downarrow}";
        default:
            return cp1251::encode_code_point(code_point) ? std::string(utf8) : "?";
    }
}

// An ASCII character that LaTeX spells otherwise, as LaTeX text; empty for the rest.
std::string_view latex_special(char c) {
    switch (c) {
        case '\\':
            return "\\textbackslash{}";
        case '{':
            return "\\{";
        case '}':
            return "\\}";
        case '&':
            return "\\&";
        case '%':
            return "\\%";
        case '$':
            return "\\$";
        case '#':
            return "\\#";
        case '_':
            return "\\_";
        case '~':
            return "\\textasciitilde{}";
        case '^':
            return "\\textasciicircum{}";
        case '<':
            return "\\textless{}";
        case '>':
            return "\\textgreater{}";
        case '|':
            return "\\textbar{}";
        case '"':
            return "\\symbol{34}";  // babel's russian makes " a shorthand
        case '-':
            return "-{}";  // no en dash out of "--"
        case '\t':
            return " ";
        default:
            return {};
    }
}

}  // namespace

std::string without_controls(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
            text += '?';
        } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            text += '?';  // U+0080..U+009F
            ++i;
        } else {
            text += static_cast<char>(byte);
        }
    }
    return text;
}

std::string latex_text(std::string_view utf8) {
    constexpr std::string_view kInfinity = "∞";
    const std::string clean = without_controls(utf8);
    std::string text;
    for (std::size_t pos = 0; pos < clean.size();) {
        const char c = clean[pos];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const std::size_t from = pos;
            const std::optional<char32_t> code_point = cp1251::next_code_point(clean, pos);
            if (code_point) {
                text += latex_non_ascii(*code_point, std::string_view(clean).substr(from, pos - from));
            } else {
                text += '?';
                ++pos;
            }
            continue;
        }
        ++pos;
        // A signed infinity (a range's end) as one math term.
        if ((c == '-' || c == '+') && clean.compare(pos, kInfinity.size(), kInfinity) == 0) {
            text += c == '-' ? "\\ensuremath{-\\infty}" : "\\ensuremath{+\\infty}";
            pos += kInfinity.size();
            continue;
        }
        const std::string_view special = latex_special(c);
        if (special.empty()) {
            text += c;
        } else {
            text += special;
        }
    }
    return text;
}

std::string html_text(std::string_view utf8) { return with_entities(without_controls(utf8), "&#39;"); }

std::string xml_text(std::string_view utf8) { return with_entities(utf8, "&apos;"); }

std::string json_string(std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : valid_utf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + '"';
}
