#include "platform/wav_length.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace vex {

namespace {

std::uint32_t little_endian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8U) | bytes[i];
    }
    return value;
}

}  // namespace

std::optional<double> wav_length_ms(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 12> riff{};
    if (!in.read(reinterpret_cast<char*>(riff.data()), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
        std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    std::uint32_t bytes_per_second = 0;
    std::array<unsigned char, 8> header{};
    while (in.read(reinterpret_cast<char*>(header.data()), header.size())) {
        const std::uint32_t size = little_endian(header.data() + 4, 4);
        if (std::memcmp(header.data(), "fmt ", 4) == 0) {
            std::array<unsigned char, 16> format{};
            if (size < format.size() || !in.read(reinterpret_cast<char*>(format.data()), format.size())) {
                return std::nullopt;
            }
            bytes_per_second = little_endian(format.data() + 8, 4);
            in.seekg(size - format.size() + (size & 1U), std::ios::cur);
        } else if (std::memcmp(header.data(), "data", 4) == 0) {
            if (bytes_per_second == 0) {
                return std::nullopt;
            }
            return 1000.0 * size / bytes_per_second;
        } else {
            in.seekg(size + (size & 1U), std::ios::cur);
        }
    }
    return std::nullopt;
}

}  // namespace vex
