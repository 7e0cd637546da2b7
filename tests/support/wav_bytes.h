// WAV files byte by byte, for the checks of their headers and the sounds played from them.
#pragma once

#include <cstdint>
#include <string>

namespace vex::testing {

// `value` as four little-endian bytes.
inline std::string u32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8U), static_cast<char>(v >> 16U), static_cast<char>(v >> 24U)};
}

inline std::string chunk(const char* id, const std::string& body) { return id + u32(static_cast<std::uint32_t>(body.size())) + body; }

// The RIFF header, a fmt chunk declaring the format (low half of `format_channels`), the channels
// (high half), the rate and the bits, padded to `fmt_size` bytes, then `rest`.
inline std::string wav(std::uint32_t format_channels, std::uint32_t rate, std::uint32_t bits, const std::string& rest,
                       std::size_t fmt_size = 16) {
    const std::uint32_t block = (format_channels >> 16U) * bits / 8U;
    std::string fmt = u32(format_channels) + u32(rate) + u32(rate * block) + u32(block | (bits << 16U));
    fmt.resize(fmt_size, '\0');
    return "RIFF" + u32(static_cast<std::uint32_t>(12 + fmt.size() + rest.size())) + "WAVE" + chunk("fmt ", fmt) + rest;
}

// A fmt chunk's body: format tag, channels, rate, block size in bytes and bits a sample, then
// `extension` (an extensible format's or ADPCM's own fields).
inline std::string fmt_body(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t block,
                            std::uint32_t bits, const std::string& extension = "") {
    return u32(tag | (channels << 16U)) + u32(rate) + u32(rate * block) + u32(block | (bits << 16U)) + extension;
}

// A WAV file of a fmt chunk with `fmt` as its body, then `rest`; the RIFF size is `riff_size`
// when given, else the true one.
inline std::string riff(const std::string& fmt, const std::string& rest, std::uint32_t riff_size = 0) {
    return "RIFF" + u32(riff_size != 0 ? riff_size : static_cast<std::uint32_t>(12 + fmt.size() + rest.size())) + "WAVE" +
           chunk("fmt ", fmt) + rest;
}

}  // namespace vex::testing
