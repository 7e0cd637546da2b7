// What a WAV file declares about its sound, checked against what a cue may cost before anything is
// sized from it.
#pragma once

#include "platform/regular_file.h"
#include "platform/result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vex {

// What a cue may hold once decoded: three minutes of CD sound, over an hour at 8 kHz. The decoded
// samples stay in memory while the cue plays; the device gets them converted a piece at a time.
constexpr std::uint64_t wav_decoded_limit = 32U << 20U;
// A file is read whole before it is decoded. No encoding is larger than its decoded samples, so
// this leaves room only for the chunks around them.
constexpr std::size_t wav_file_limit = wav_decoded_limit + (1U << 20U);

enum class WavEncoding : std::uint8_t { Pcm, Float, ALaw, MuLaw, MsAdpcm, ImaAdpcm };

struct WavHeader {
    WavEncoding encoding = WavEncoding::Pcm;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;   // frames a second
    std::uint16_t bits = 0;   // per coded sample
    std::uint64_t frames = 0; // whole frames the file holds (a cut file's missing end left out)
    std::size_t data_at = 0;  // where the data chunk's samples start in the file
    std::uint32_t data_bytes = 0;  // how many of them the file holds

    // Bytes of samples the decoder makes of the frames: 24-bit samples widen to 32 bits, A-law,
    // mu-law and ADPCM to 16.
    std::uint64_t decoded_bytes() const;
    double length_ms() const { return 1000.0 * static_cast<double>(frames) / rate; }
};

// Reads the header of a whole WAV file, or says in one line why it is not played: PCM of 8 to 32 bits, 32-bit float, A-law, mu-law, IMA and
// Microsoft ADPCM, plain or in an extensible fmt chunk; 1 to 8 channels at 8 to 192 kHz, and at
// most `wav_decoded_limit` bytes decoded. A data chunk whose size runs past the file's end (a
// stream's placeholder size, a cut download) holds what the file holds.
Result<WavHeader> read_wav_header(std::string_view file);

// The bytes of the WAV file at `path`, read only when it is a regular file of at most
// `wav_file_limit` bytes.
FileRead read_wav_file(const std::filesystem::path& path);

// Playing time in milliseconds of the WAV file at `path`; nullopt when it cannot be read, is no
// regular file or is refused.
std::optional<double> wav_length_ms(const std::filesystem::path& path);

}  // namespace vex
