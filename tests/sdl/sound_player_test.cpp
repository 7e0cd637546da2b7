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

// Play returns only after the device has played the whole sound: had it returned early, closing
// the player would have cut the sound short. A missing file, a file that is no WAV (any the header
// check refuses), a FIFO in a cue's place, or no audio device: play gives up at once in silence.
TEST(SoundPlayer, ReturnsWhenTheDeviceHasPlayedEverySampleOrAtOnceInSilence) {
    const testing::TestFolder folder;
    const fs::path device_file = folder.path() / "device.raw", stereo = folder.path() / "cue.wav",
                   mono = folder.path() / "mono.wav", bad = folder.path() / "bad.wav", fifo = folder.path() / "pop2.wav";
    // 0.2 s in the device's format, and in mono at 22.05 kHz, which is converted: 17640 samples.
    write_wav(stereo, 44100, 2, 8820);
    write_wav(mono, 22050, 1, 4410);
    std::ofstream(bad, std::ios::binary) << "RIFF this is not a wave file at all";
    ::mkfifo(fifo.c_str(), 0666);
    setenv("SDL_DISKAUDIOFILE", device_file.c_str(), 1);
    for (const auto& [file, driver, samples] : {std::tuple{stereo, "disk", 17640}, {mono, "disk", 17640},
                                                {folder.path() / "absent.wav", "disk", 0}, {bad, "disk", 0},
                                                {fifo, "disk", 0}, {stereo, "no-such-driver", 0}}) {
        SCOPED_TRACE(file.filename().string() + " on " + driver);
        fs::remove(device_file);
        setenv("SDL_AUDIODRIVER", driver, 1);
        // A fresh player, closed at once: the device file then holds all it played.
        EXPECT_EQ(SoundPlayer().play(file), samples > 0);
        std::vector<std::int16_t> played(fs::exists(device_file) ? fs::file_size(device_file) / 2 : 0);
        std::ifstream(device_file, std::ios::binary)
            .read(reinterpret_cast<char*>(played.data()), static_cast<std::streamsize>(played.size() * 2));
        // Resampling may round the level by a step or two.
        const auto loud = std::ranges::count_if(played, [](std::int16_t sample) { return std::abs(sample - level) <= 4; });
        EXPECT_GE(loud, samples * 99 / 100);
        EXPECT_LE(loud, samples + 64);
        EXPECT_TRUE(samples > 0 || std::ranges::all_of(played, [](std::int16_t sample) { return sample == 0; })) << "not silent";
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

}  // namespace
}  // namespace vex
