// Sounds through SDL's disk audio driver, which writes what the device plays to a file at the
// pace of a real device. The player asks for 44.1 kHz 16-bit stereo in the machine's byte order.
#include "platform/sdl/sound_player.h"

#include "tests/support/test_folder.h"
#include "tests/support/wav_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include <sys/stat.h>

namespace vex {
namespace {

namespace fs = std::filesystem;

// Every sample of the test sounds: a level whose two bytes are alike, so byte order cannot matter.
constexpr int level = 0x0505;

// A 16-bit PCM WAV file holding `frames` frames at `level`.
void write_wav(const fs::path& path, std::uint32_t rate, std::uint32_t channels, std::uint32_t frames) {
    std::ofstream(path, std::ios::binary) << testing::wav(1U | (channels << 16U), rate, 16,
                                                          testing::chunk("data", std::string(frames * channels * 2U, '\x05')));
}

class SoundOnDisk : public ::testing::Test {
protected:
    SoundOnDisk() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", device_file.c_str(), 1);
    }
    ~SoundOnDisk() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }

    // Plays on a fresh player, closed afterwards: the device file then holds all it played.
    static bool play(const fs::path& file) { return SoundPlayer().play(file); }

    std::vector<std::int16_t> played() const {
        std::vector<std::int16_t> samples(fs::exists(device_file) ? fs::file_size(device_file) / 2 : 0);
        std::ifstream(device_file, std::ios::binary)
            .read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
        return samples;
    }

    testing::TestFolder folder;
    const fs::path device_file = folder.path() / "device.raw";
    const fs::path wav = folder.path() / "cue.wav";
};

// Play returns only after the device has played the whole sound: had it returned early, closing
// the player would have cut the sound short.
TEST_F(SoundOnDisk, EverySampleReachesTheDeviceBeforePlayReturns) {
    // 0.2 s in the device's format, and in mono at 22.05 kHz, which is converted: 17640 samples.
    for (const auto& [rate, channels, frames] : {std::tuple{44100U, 2U, 8820U}, {22050U, 1U, 4410U}}) {
        SCOPED_TRACE(rate);
        write_wav(wav, rate, channels, frames);
        ASSERT_TRUE(play(wav));
        // Resampling may round the level by a step or two.
        const auto loud =
            std::ranges::count_if(played(), [](std::int16_t sample) { return std::abs(sample - level) <= 4; });
        EXPECT_GE(loud, 17640 * 99 / 100);
        EXPECT_LE(loud, 17640 + 64);
    }
}

// A missing file, a file that is no WAV (any the header check refuses), a FIFO in a cue's place,
// or no audio device: play gives up at once and plays nothing.
TEST_F(SoundOnDisk, NothingToPlayReturnsFalseInSilence) {
    const fs::path bad = folder.path() / "bad.wav";
    std::ofstream(bad, std::ios::binary) << "RIFF this is not a wave file at all";
    const fs::path fifo = folder.path() / "pop2.wav";
    ::mkfifo(fifo.c_str(), 0666);
    write_wav(wav, 44100, 2, 4410);
    const fs::path absent = folder.path() / "absent.wav";
    for (const auto& [file, driver] : {std::pair{absent, "disk"}, {bad, "disk"}, {fifo, "disk"},
                                       {wav, "no-such-driver"}}) {
        SCOPED_TRACE(file.filename().string() + " on " + driver);
        setenv("SDL_AUDIODRIVER", driver, 1);
        EXPECT_FALSE(play(file));
        EXPECT_TRUE(std::ranges::all_of(played(), [](std::int16_t sample) { return sample == 0; }));
    }
}

}  // namespace
}  // namespace vex
