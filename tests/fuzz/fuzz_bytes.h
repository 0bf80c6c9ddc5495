#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The input of a fuzz run as the bytes of a problem file in memory.
inline std::string_view bytes_of(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}
