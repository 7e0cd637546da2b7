// Sounds through SDL's disk audio driver, which writes what the device plays to a file at the
// pace of a real device. The player asks for 44.1 kHz 16-bit stereo.
#include "platform/sdl/sound_player.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace vex {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

void put16(std::string& bytes, std::uint16_t value) {
    bytes += static_cast<char>(value & 0xFFU);
    bytes += static_cast<char>(value >> 8U);
}

void put32(std::string& bytes, std::uint32_t value) {
    put16(bytes, static_cast<std::uint16_t>(value & 0xFFFFU));
    put16(bytes, static_cast<std::uint16_t>(value >> 16U));
}

// A 16-bit PCM WAV file holding `frames` frames of one constant sample value.
void write_wav(const fs::path& path, std::uint32_t rate, std::uint16_t channels, std::uint32_t frames,
               std::int16_t sample) {
    const std::uint32_t data_size = frames * channels * 2U;
    std::string bytes = "RIFF";
    put32(bytes, 36 + data_size);
    bytes += "WAVEfmt ";
    put32(bytes, 16);
    put16(bytes, 1);
    put16(bytes, channels);
    put32(bytes, rate);
    put32(bytes, rate * channels * 2U);
    put16(bytes, static_cast<std::uint16_t>(channels * 2U));
    put16(bytes, 16);
    bytes += "data";
    put32(bytes, data_size);
    for (std::uint32_t i = 0; i < frames * channels; ++i) {
        put16(bytes, static_cast<std::uint16_t>(sample));
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::int16_t> read_samples(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::int16_t> samples;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        samples.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    (static_cast<unsigned char>(bytes[i + 1]) << 8U)));
    }
    return samples;
}

class SoundPlayerOnDisk : public ::testing::Test {
protected:
    SoundPlayerOnDisk() { fs::create_directories(folder); }
    ~SoundPlayerOnDisk() override { fs::remove_all(folder); }

    // Plays `file` on a fresh player and returns its result; the player is closed afterwards, so
    // the output file then holds everything the device played.
    bool play(const fs::path& file) {
        SoundPlayer player;
        return player.play(file);
    }

    std::vector<std::int16_t> output() const { return read_samples(output_file); }

    const fs::path folder = fs::temp_directory_path() / ("vexoids-sound-" + std::to_string(::getpid()));
    const fs::path output_file = folder / "device.raw";
    ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
    ScopedEnv target{"SDL_DISKAUDIOFILE", output_file.string()};
};

struct WholeCase {
    const char* name;
    std::uint32_t rate;
    std::uint16_t channels;
    std::uint32_t frames;
    // Samples of the sound that must reach the device, at its 44.1 kHz stereo.
    std::size_t played_samples;
};

class SoundComesOutWhole : public SoundPlayerOnDisk, public ::testing::WithParamInterface<WholeCase> {};

// Returning only after the device has played the whole sound is what makes it synchronous: had
// play returned early, closing the player would have cut the sound short.
TEST_P(SoundComesOutWhole, EverySampleReachesTheDeviceBeforePlayReturns) {
    const WholeCase& c = GetParam();
    const fs::path wav = folder / "cue.wav";
    constexpr std::int16_t level = 1234;
    write_wav(wav, c.rate, c.channels, c.frames, level);
    ASSERT_TRUE(play(wav));
    // Resampling may round the level by a step or two.
    std::size_t loud = 0;
    for (const std::int16_t sample : output()) {
        loud += std::abs(sample - level) <= 4 ? 1U : 0U;
    }
    EXPECT_GE(loud, c.played_samples * 99 / 100);
    EXPECT_LE(loud, c.played_samples + 64);
}

INSTANTIATE_TEST_SUITE_P(Formats, SoundComesOutWhole,
                         ::testing::Values(WholeCase{"device_format", 44100, 2, 8820, 2 * 8820},
                                           WholeCase{"mono_22k_converted", 22050, 1, 4410, 2 * 8820}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(SoundPlayerOnDisk, MissingFileIsSilent) {
    EXPECT_FALSE(play(folder / "absent.wav"));
    for (const std::int16_t sample : output()) {
        ASSERT_EQ(sample, 0);
    }
}

TEST_F(SoundPlayerOnDisk, UndecodableFileIsSilent) {
    const fs::path bad = folder / "bad.wav";
    std::ofstream(bad, std::ios::binary) << "RIFF this is not a wave file at all";
    EXPECT_FALSE(play(bad));
    for (const std::int16_t sample : output()) {
        ASSERT_EQ(sample, 0);
    }
}

TEST_F(SoundPlayerOnDisk, NoDeviceIsSilent) {
    const ScopedEnv no_driver{"SDL_AUDIODRIVER", "no-such-driver"};
    const fs::path wav = folder / "cue.wav";
    write_wav(wav, 44100, 2, 4410, 1000);
    SoundPlayer player;
    EXPECT_FALSE(player.play(wav));
    EXPECT_FALSE(fs::exists(output_file));
}

}  // namespace
}  // namespace vex
