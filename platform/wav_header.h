// What a WAV file declares about its sound, checked against sane limits before anything is
// sized from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace vex {

// Far above any cue of the game (a few seconds), far below what would strain memory.
constexpr std::size_t wav_file_limit = 16U << 20U;

struct WavHeader {
    std::uint16_t format = 0;  // 1: integer PCM, 3: floating point
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;  // frames a second
    std::uint16_t bits = 0;  // per sample
    std::uint32_t data_bytes = 0;
};

// The header of a whole WAV file, or nullopt when it is not a plain PCM or float WAV within the
// limits: 1 to 8 channels, 8 to 192 kHz, 8, 16, 24 or 32 bits, a data chunk that the file holds.
std::optional<WavHeader> read_wav_header(std::string_view file);

// Playing time in milliseconds of the WAV file at `path`; nullopt when it cannot be read, is no
// regular file or fails the header's limits.
std::optional<double> wav_length_ms(const std::filesystem::path& path);

}  // namespace vex
