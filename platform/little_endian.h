// Numbers stored least significant byte first, as WAV, BMP and GIF files hold them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vex {

// The `count` bytes (at most 4) from `at` as an unsigned number; the caller checks they are there.
inline std::uint32_t little_endian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) {
        value = (value << 8U) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

}  // namespace vex
