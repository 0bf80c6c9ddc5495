#include "problem/mps_objective_sense.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

std::string upper_case(std::string word) {
    std::ranges::transform(word, word.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return word;
}

std::optional<bool> maximize_of(const std::string& word) {
    const std::string upper = upper_case(word);
    if (upper == "MAX" || upper == "MAXIMIZE") return true;
    if (upper == "MIN" || upper == "MINIMIZE") return false;
    return std::nullopt;
}

std::vector<std::string> words_of(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The line starting at `begin` (without its line end) and where the next one starts.
std::pair<std::string_view, std::size_t> line_at(std::string_view text, std::size_t begin) {
    const std::size_t end = std::min(text.find('\n', begin), text.size());
    return {text.substr(begin, end - begin), std::min(end + 1, text.size())};
}

// Overwrites a line's first character with the comment mark and blanks the rest.
void comment_out(std::string& text, std::size_t begin, std::size_t length) {
    if (length == 0) return;
    text[begin] = '*';
    std::fill_n(text.begin() + static_cast<std::ptrdiff_t>(begin) + 1, length - 1, ' ');
}

}  // namespace

std::optional<bool> take_out_objective_sense(std::string& mps_text) {
    std::size_t begin = 0;
    while (begin < mps_text.size()) {
        const auto [line, next] = line_at(mps_text, begin);
        const std::vector<std::string> words = words_of(line);
        const bool header = !line.empty() && line[0] != ' ' && line[0] != '\t';
        if (header && !words.empty() && upper_case(words[0]) == "OBJSENSE") {
            if (words.size() == 2) {
                const auto maximize = maximize_of(words[1]);
                if (maximize) comment_out(mps_text, begin, line.size());
                return maximize;
            }
            const auto [sense_line, after] = line_at(mps_text, next);
            const std::vector<std::string> sense_words = words_of(sense_line);
            if (words.size() != 1 || sense_words.size() != 1 || sense_line.empty() ||
                (sense_line[0] != ' ' && sense_line[0] != '\t')) {
                return std::nullopt;
            }
            const auto maximize = maximize_of(sense_words[0]);
            if (maximize) {
                comment_out(mps_text, begin, line.size());
                comment_out(mps_text, next, sense_line.size());
            }
            return maximize;
        }
        begin = next;
    }
    return std::nullopt;
}
