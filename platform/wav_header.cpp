#include "platform/wav_header.h"

#include "platform/regular_file.h"

namespace vex {

namespace {

constexpr std::uint16_t pcm = 1;
constexpr std::uint16_t ieee_float = 3;
constexpr std::uint16_t max_channels = 8;
constexpr std::uint32_t min_rate = 8000;
constexpr std::uint32_t max_rate = 192000;

std::uint32_t little_endian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) {
        value = (value << 8U) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

bool sane(const WavHeader& header) {
    const bool bits_fit = header.format == pcm ? (header.bits == 8 || header.bits == 16 || header.bits == 24 || header.bits == 32)
                                               : (header.format == ieee_float && header.bits == 32);
    return bits_fit && header.channels >= 1 && header.channels <= max_channels && header.rate >= min_rate &&
           header.rate <= max_rate;
}

}  // namespace

std::optional<WavHeader> read_wav_header(std::string_view file) {
    if (file.size() < 12 || file.size() > wav_file_limit || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    std::optional<WavHeader> header;
    std::size_t at = 12;
    while (file.size() - at >= 8) {
        const std::string_view id = file.substr(at, 4);
        const std::size_t size = little_endian(file, at + 4, 4);
        at += 8;
        if (size > file.size() - at) {
            return std::nullopt;
        }
        if (id == "fmt ") {
            if (size < 16) {
                return std::nullopt;
            }
            header = WavHeader{static_cast<std::uint16_t>(little_endian(file, at, 2)),
                               static_cast<std::uint16_t>(little_endian(file, at + 2, 2)), little_endian(file, at + 4, 4),
                               static_cast<std::uint16_t>(little_endian(file, at + 14, 2)), 0};
            if (!sane(*header)) {
                return std::nullopt;
            }
        } else if (id == "data") {
            if (!header) {
                return std::nullopt;
            }
            header->data_bytes = static_cast<std::uint32_t>(size);
            return header;
        }
        at += size + (size & 1U);
        if (at > file.size()) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<double> wav_length_ms(const std::filesystem::path& path) {
    const FileRead file = read_regular_file(path, wav_file_limit);
    const auto header = file.status == FileRead::Status::Read ? read_wav_header(file.bytes) : std::nullopt;
    if (!header) {
        return std::nullopt;
    }
    return 1000.0 * header->data_bytes / (header->rate * header->channels * (header->bits / 8U));
}

}  // namespace vex
