#include "problem/wide_text_encoding.h"

#include <array>
#include <cstddef>

namespace {

// The bytes looked at without a byte-order mark.
constexpr std::size_t kSample = 1024;

}  // namespace

std::optional<std::string_view> wide_text_encoding(std::string_view bytes) {
    // UTF-32LE's mark begins with UTF-16LE's, so it is looked for first.
    if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4))) return "UTF-32LE";
    if (bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4))) return "UTF-32BE";
    if (bytes.starts_with("\xFF\xFE")) return "UTF-16LE";
    if (bytes.starts_with("\xFE\xFF")) return "UTF-16BE";
    const std::size_t size = std::min(bytes.size(), kSample) / 4 * 4;
    if (size < 4) return std::nullopt;
    // The share of NUL bytes at each place of four.
    std::array<std::size_t, 4> nuls{};
    for (std::size_t at = 0; at < size; ++at) nuls[at % 4] += bytes[at] == '\0' ? 1 : 0;
    const std::size_t per_place = size / 4;
    const auto mostly = [per_place](std::size_t count) { return count * 10 >= per_place * 9; };
    const auto seldom = [per_place](std::size_t count) { return count * 2 < per_place; };
    // A letter of UTF-32 has two NUL bytes at least (Cyrillic too); ASCII three.
    if (mostly(nuls[2]) && mostly(nuls[3]) && seldom(nuls[0])) return "UTF-32LE";
    if (mostly(nuls[0]) && mostly(nuls[1]) && seldom(nuls[3])) return "UTF-32BE";
    // UTF-16: the high byte of ASCII letters is NUL (of Cyrillic ones 0x04), the low one never.
    const std::size_t even = nuls[0] + nuls[2];
    const std::size_t odd = nuls[1] + nuls[3];
    const auto some = [per_place](std::size_t count) { return count * 10 >= per_place * 2 * 3; };
    const auto hardly = [per_place](std::size_t count) { return count * 20 < per_place * 2; };
    if (some(odd) && hardly(even)) return "UTF-16LE";
    if (some(even) && hardly(odd)) return "UTF-16BE";
    return std::nullopt;
}

std::string wide_text_message(std::string_view encoding) {
    return "файл записан в кодировке " + std::string(encoding) +
           ", которая не читается; сохраните его в кодировке UTF-8 или Windows-1251";
}
