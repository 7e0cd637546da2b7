// Reading a WAV file's playing time from its header.
#pragma once

#include <filesystem>
#include <optional>

namespace vex {

// Playing time in milliseconds of a PCM WAV file, or nullopt when it is missing or not a WAV.
std::optional<double> wav_length_ms(const std::filesystem::path& path);

}  // namespace vex
