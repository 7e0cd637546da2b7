// Sounds through SDL's disk audio driver, which writes what the device plays to a file at the
// pace of a real device. The player asks for 44.1 kHz 16-bit stereo in the machine's byte order.
#include "platform/sdl/audio/sound_player.h"

#include "tests/support/test_folder.h"
#include "tests/support/wav_bytes.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
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

// The 16-bit samples of a raw file (the disk driver's, or sox's).
std::vector<std::int16_t> samples_of(const fs::path& file) {
    std::vector<std::int16_t> samples(fs::exists(file) ? fs::file_size(file) / 2 : 0);
    std::ifstream(file, std::ios::binary)
        .read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    return samples;
}

// Runs a bash command line; its status.
int run(const std::string& command) {
    setenv("COMMAND", command.c_str(), 1);
    return std::system("bash -o pipefail -c \"$COMMAND\" 2>/dev/null");
}

// Plays through the disk driver into `device_file`, a fresh player closed at once: the device
// file then holds all it played.
SoundPlayer::Outcome play_to_disk(const fs::path& file, const fs::path& device_file, const char* driver = "disk",
                                  int volume = 100, bool muted = false) {
    fs::remove(device_file);
    setenv("SDL_DISKAUDIOFILE", device_file.c_str(), 1);
    setenv("SDL_AUDIODRIVER", driver, 1);
    const SoundPlayer::Outcome outcome = SoundPlayer(volume, muted).play(file);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return outcome;
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
    for (const auto& [file, driver, samples] : {std::tuple{stereo, "disk", 17640}, {mono, "disk", 17640},
                                                {folder.path() / "absent.wav", "disk", 0}, {bad, "disk", 0},
                                                {fifo, "disk", 0}, {stereo, "no-such-driver", 0}}) {
        SCOPED_TRACE(file.filename().string() + " on " + driver);
        EXPECT_EQ(play_to_disk(file, device_file, driver),
                  samples > 0 ? SoundPlayer::Outcome::Played : SoundPlayer::Outcome::Silent);
        const std::vector<std::int16_t> played = samples_of(device_file);
        // Resampling may round the level by a step or two.
        const auto loud = std::ranges::count_if(played, [](std::int16_t sample) { return std::abs(sample - level) <= 4; });
        EXPECT_GE(loud, samples * 99 / 100);
        EXPECT_LE(loud, samples + 64);
        EXPECT_TRUE(samples > 0 || std::ranges::all_of(played, [](std::int16_t sample) { return sample == 0; })) << "not silent";
    }
}

// The volume scales each sample as it is queued; muted, the device plays silence. Either way the
// cue lasts as long as at full volume, sample for sample and in time, as the pace of play needs.
TEST(SoundPlayer, VolumeAndMuteChangeTheSamplesNeverTheLength) {
    const testing::TestFolder folder;
    const fs::path device_file = folder.path() / "device.raw", cue = folder.path() / "cue.wav";
    write_wav(cue, 44100, 2, 8820);  // 0.2 s: 17640 samples at `level`, 1285; SDL mixes at 128ths, so 50 % is 64/128 of it, 10 % 12/128
    for (const auto& [volume, muted, heard] : {std::tuple{100, false, 1285}, {50, false, 642}, {10, false, 120},
                                               {0, false, 0}, {100, true, 0}, {50, true, 0}}) {
        SCOPED_TRACE("volume " + std::to_string(volume) + (muted ? ", muted" : ""));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(play_to_disk(cue, device_file, "disk", volume, muted), SoundPlayer::Outcome::Played);
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200)) << "the cue was cut short";
        const std::vector<std::int16_t> played = samples_of(device_file);
        EXPECT_EQ(std::ranges::count(played, static_cast<std::int16_t>(heard)), heard == 0 ? static_cast<std::ptrdiff_t>(played.size()) : 17640);
        EXPECT_EQ(std::ranges::count_if(played, [heard](std::int16_t sample) { return sample != 0 && sample != heard; }), 0);
        EXPECT_GE(played.size(), 17640U);
    }
}

// How well what the device played matches what sox decodes from the same file (16-bit stereo at
// 44.1 kHz, the first two channels): the best gain of each channel, and what is left over beside
// the expected samples, relative to them. The two are aligned on their first sound.
struct Match {
    double gain[2] = {0, 0};
    double residue[2] = {1, 1};
    bool whole = false;  // every expected frame was played
    bool silent_after = false;
};

Match compare(const std::vector<std::int16_t>& played, const std::vector<std::int16_t>& expected) {
    const auto first_sound = [](const std::vector<std::int16_t>& samples) {
        return static_cast<std::size_t>(std::ranges::find_if(samples, [](std::int16_t s) { return std::abs(s) > 64; }) -
                                        samples.begin()) / 2;
    };
    const std::size_t expected_frames = expected.size() / 2, played_frames = played.size() / 2;
    const std::size_t expected_start = first_sound(expected), played_start = first_sound(played);
    Match best;
    // Resampling smears a sound's start over a few frames.
    for (std::size_t shift = 0; shift <= 32; ++shift) {
        if (played_start + shift < 16 + expected_start) {
            continue;
        }
        const std::size_t offset = played_start + shift - 16 - expected_start;
        Match match;
        match.whole = offset + expected_frames <= played_frames;
        for (std::size_t channel = 0; channel < 2; ++channel) {
            double cross = 0, own = 0, heard = 0;
            for (std::size_t frame = 0; frame < expected_frames && offset + frame < played_frames; ++frame) {
                const double e = expected[frame * 2 + channel], p = played[(offset + frame) * 2 + channel];
                cross += e * p;
                own += e * e;
                heard += p * p;
            }
            match.gain[channel] = own > 0 ? cross / own : 0;
            // |p - g e|^2 = |p|^2 - g^2 |e|^2 at the best gain g.
            match.residue[channel] = own > 0 ? std::sqrt(std::max(0.0, heard - match.gain[channel] * cross) / own) : 1;
        }
        match.silent_after = std::all_of(played.begin() + static_cast<std::ptrdiff_t>(std::min(played.size(), (offset + expected_frames + 64) * 2)),
                                         played.end(), [](std::int16_t s) { return std::abs(s) <= 2; });
        if (match.residue[0] + match.residue[1] < best.residue[0] + best.residue[1]) {
            best = match;
        }
    }
    return best;
}

// Sounds as sox, ffmpeg and espeak-ng write them play with their own samples: extensible 24- and
// 32-bit and float, six channels (the first two carrying the sound, mixed down), A-law, mu-law,
// IMA and Microsoft ADPCM, a stream's placeholder sizes (espeak-ng's, resampled from 22.05 kHz;
// ffmpeg's into a pipe) and a cut download.
TEST(SoundPlayer, SoundsThatEveryToolWritesPlayWithTheirOwnSamples) {
    const testing::TestFolder folder;
    const fs::path device_file = folder.path() / "device.raw", expected_file = folder.path() / "expected.raw";
    const std::string tone = " synth 0.3 sine 440 sine 660 vol 0.5";
    const std::string lavfi = "ffmpeg -v error -y -f lavfi -i 'sine=f=440:d=0.3:sample_rate=44100' ";
    struct Row {
        const char* name;
        std::string make;        // writes the file named by $F
        double least_gain = 0.99;  // of each channel: 1 but for a mix-down
        double most_residue = 0.005;
    };
    const std::vector<Row> rows{
        {"sox 24-bit", "sox -n -r 44100 -c 2 -b 24 \"$F\"" + tone},
        {"sox 32-bit", "sox -n -r 44100 -c 2 -b 32 -e signed \"$F\"" + tone},
        {"sox float", "sox -n -r 44100 -c 2 -b 32 -e floating-point \"$F\"" + tone},
        {"sox 6 channels", "sox -n -r 44100 -c 6 -b 16 \"$F\"" + tone + " remix 1 2 0 0 0 0", 0.25},
        {"sox mu-law", "sox -n -r 44100 -c 2 -e mu-law \"$F\"" + tone},
        {"sox A-law", "sox -n -r 44100 -c 2 -e a-law \"$F\"" + tone},
        {"sox IMA ADPCM", "sox -n -r 44100 -c 2 -e ima-adpcm \"$F\"" + tone},
        {"ffmpeg IMA ADPCM", lavfi + "-c:a adpcm_ima_wav \"$F\""},
        {"sox MS ADPCM", "sox -n -r 44100 -c 2 -e ms-adpcm \"$F\"" + tone},
        {"ffmpeg MS ADPCM", lavfi + "-c:a adpcm_ms \"$F\""},
        {"espeak-ng stream", "espeak-ng --stdout 'Vexoids from hell' > \"$F\"", 0.99, 0.03},
        {"ffmpeg pipe", lavfi + "-f wav - | cat > \"$F\""},
        {"cut download", "sox -n -r 44100 -c 2 -b 16 \"$F.whole.wav\"" + tone + " && head -c 30001 \"$F.whole.wav\" > \"$F\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path file = folder.path() / (std::string(row.name) + ".wav");
        setenv("F", file.c_str(), 1);
        ASSERT_EQ(run(row.make), 0) << row.make;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(play_to_disk(file, device_file), SoundPlayer::Outcome::Played);
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(told.find("not played"), std::string::npos) << told;
        ASSERT_EQ(run("sox -D \"$F\" -t raw -e signed -b 16 -r 44100 '" + expected_file.string() + "' remix 1 " +
                      (run("test \"$(soxi -c \"$F\")\" = 1") == 0 ? "1" : "2")),
                  0);
        const std::vector<std::int16_t> expected = samples_of(expected_file);
        ASSERT_GT(expected.size(), 2000U);
        const Match match = compare(samples_of(device_file), expected);
        for (std::size_t channel = 0; channel < 2; ++channel) {
            SCOPED_TRACE(channel);
            EXPECT_GE(match.gain[channel], row.least_gain);
            EXPECT_LE(match.gain[channel], 1.02);
            EXPECT_LE(match.residue[channel], row.most_residue);
        }
        EXPECT_TRUE(match.whole) << "cut short";
        EXPECT_TRUE(match.silent_after) << "more than the sound";
    }
}

}  // namespace
}  // namespace vex
