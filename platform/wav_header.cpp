#include "platform/wav_header.h"

#include "platform/little_endian.h"
#include "platform/regular_file.h"

#include <algorithm>

namespace vex {

namespace {

constexpr std::uint16_t max_channels = 8;
constexpr std::uint32_t min_rate = 8000;
constexpr std::uint32_t max_rate = 192000;
constexpr std::uint16_t extensible = 0xFFFE;
// The rest of the GUID whose first two bytes are the format tag in an extensible fmt chunk.
constexpr std::string_view format_guid_tail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 14);

std::string hex(std::uint32_t value) {
    constexpr std::string_view digits = "0123456789abcdef";
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += digits[(value >> static_cast<unsigned>(shift)) & 0xFU];
    }
    return text;
}

// The fmt chunk's numbers, and how many bytes of the data chunk make a block (a frame, or an
// ADPCM block of `block_frames` frames).
struct Format {
    WavHeader header;
    std::uint32_t block_bytes = 0;
    std::uint32_t block_frames = 1;
};

// The encoding and sample size a fmt chunk declares, or why they are not played.
Status read_format(std::string_view fmt, Format& format) {
    WavHeader& header = format.header;
    std::uint32_t tag = little_endian(fmt, 0, 2);
    header.channels = static_cast<std::uint16_t>(little_endian(fmt, 2, 2));
    header.rate = little_endian(fmt, 4, 4);
    const std::uint32_t block_align = little_endian(fmt, 12, 2);
    header.bits = static_cast<std::uint16_t>(little_endian(fmt, 14, 2));
    if (tag == extensible) {
        if (fmt.size() < 40 || fmt.substr(26, 14) != format_guid_tail) {
            return Failure{"its extensible format names no encoding the game knows"};
        }
        tag = little_endian(fmt, 24, 2);
    }
    const bool bits_fit = [&] {
        switch (tag) {
        case 1: header.encoding = WavEncoding::Pcm; return header.bits == 8 || header.bits == 16 || header.bits == 24 || header.bits == 32;
        case 3: header.encoding = WavEncoding::Float; return header.bits == 32;
        case 6: header.encoding = WavEncoding::ALaw; return header.bits == 8;
        case 7: header.encoding = WavEncoding::MuLaw; return header.bits == 8;
        case 2: header.encoding = WavEncoding::MsAdpcm; return header.bits == 4;
        case 0x11: header.encoding = WavEncoding::ImaAdpcm; return header.bits == 4;
        default: return false;
        }
    }();
    if (!bits_fit) {
        return Failure{"encoding " + hex(tag) + " at " + std::to_string(header.bits) + " bits is not one the game plays"};
    }
    if (header.channels < 1 || header.channels > max_channels) {
        return Failure{std::to_string(header.channels) + " channels (the game plays 1 to 8)"};
    }
    if (header.rate < min_rate || header.rate > max_rate) {
        return Failure{std::to_string(header.rate) + " frames a second (the game plays 8000 to 192000)"};
    }
    if (header.encoding != WavEncoding::MsAdpcm && header.encoding != WavEncoding::ImaAdpcm) {
        format.block_bytes = header.channels * (header.bits / 8U);
        return {};
    }
    // An ADPCM block starts with a header per channel holding its first sample (two for
    // Microsoft's), then four bits a sample.
    const std::uint32_t block_header = header.channels * (header.encoding == WavEncoding::MsAdpcm ? 7U : 4U);
    if (block_align <= block_header) {
        return Failure{"ADPCM blocks of " + std::to_string(block_align) + " bytes hold no samples"};
    }
    format.block_bytes = block_align;
    format.block_frames = (block_align - block_header) * 2U / header.channels + (header.encoding == WavEncoding::MsAdpcm ? 2U : 1U);
    return {};
}

}  // namespace

std::uint64_t WavHeader::decoded_bytes() const {
    const std::uint64_t sample_bytes = encoding == WavEncoding::Pcm ? (bits == 8 ? 1U : bits == 16 ? 2U : 4U)
                                       : encoding == WavEncoding::Float ? 4U
                                                                        : 2U;
    return frames * channels * sample_bytes;
}

Result<WavHeader> read_wav_header(std::string_view file) {
    if (file.size() > wav_file_limit) {
        return Failure{"larger than " + std::to_string(wav_file_limit >> 20U) + " MB"};
    }
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE") {
        return Failure{"not a WAV file"};
    }
    std::optional<Format> format;
    std::size_t at = 12;
    while (file.size() - at >= 8) {
        const std::string_view id = file.substr(at, 4);
        const std::size_t size = little_endian(file, at + 4, 4);
        at += 8;
        if (id == "data") {
            if (!format) {
                return Failure{"its samples come before their format"};
            }
            // A size beyond the file's end is a stream's placeholder or a cut file: the samples
            // are what the file holds: whole frames of PCM, every ADPCM block begun counted whole (the
            // decoder ignores a fact chunk as well).
            const std::uint64_t bytes = std::min(size, file.size() - at);
            WavHeader header = format->header;
            header.data_at = at;
            header.data_bytes = static_cast<std::uint32_t>(bytes);
            if (format->block_frames == 1) {
                header.frames = bytes / format->block_bytes;
            } else {
                header.frames = (bytes + format->block_bytes - 1) / format->block_bytes * format->block_frames;
            }
            if (header.decoded_bytes() > wav_decoded_limit) {
                return Failure{std::to_string((header.decoded_bytes() + (1U << 20U) - 1) >> 20U) + " MB of samples once decoded, more than the " +
                                          std::to_string(wav_decoded_limit >> 20U) + " MB a sound may hold"};
            }
            return header;
        }
        if (size > file.size() - at) {
            return Failure{"its chunk \"" + std::string(id) + "\" runs past the end of the file"};
        }
        if (id == "fmt ") {
            if (size < 16) {
                return Failure{"its format chunk is too short"};
            }
            format.emplace();
            if (Status read = read_format(file.substr(at, size), *format); !read) {
                return Failure{read.reason()};
            }
        }
        at += size + (size & 1U);
        at = std::min(at, file.size());
    }
    return Failure{format ? "it holds no samples" : "it has no format chunk"};
}

FileRead read_wav_file(const std::filesystem::path& path) { return read_regular_file(path, wav_file_limit); }

std::optional<double> wav_length_ms(const std::filesystem::path& path) {
    const FileRead file = read_wav_file(path);
    if (file.status != FileRead::Status::Read) {
        return std::nullopt;
    }
    const Result<WavHeader> header = read_wav_header(file.bytes);
    if (!header) {
        return std::nullopt;
    }
    return header.value().length_ms();
}

}  // namespace vex
