#include "problem/model_print_file.h"

#include <string_view>

#include "problem/cp1251.h"

namespace {

bool is_utf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (!cp1251::next_code_point(text, at)) return false;
    }
    return true;
}

}  // namespace

std::string model_print_text(std::string text, std::size_t size) {
    if (text.size() > kKeptModelPrintBytes) text.resize(kKeptModelPrintBytes);
    if (text.size() < size) {
        // Not in the middle of a character: a lead byte near the end whose sequence is cut goes too.
        for (std::size_t back = 1; back <= 4 && back <= text.size(); ++back) {
            const auto byte = static_cast<unsigned char>(text[text.size() - back]);
            if ((byte & 0xC0) == 0x80) continue;
            std::size_t at = text.size() - back;
            if (byte >= 0xC0 && !cp1251::next_code_point(text, at)) text.resize(text.size() - back);
            break;
        }
    }
    const std::size_t left_out = size - text.size();
    if (!is_utf8(text)) text = cp1251::to_utf8(text);
    if (left_out > 0) {
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += "(ещё " + std::to_string(left_out) + " байт вывода не показаны)\n";
    }
    return text;
}
