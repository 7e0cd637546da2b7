#include "platform/paths.h"
#include "platform/random.h"
#include "platform/record_place.h"
#include "platform/regular_file.h"
#include "platform/wav_header.h"
#include "tests/support/game_fixture.h"
#include "tests/support/test_form.h"
#include "tests/support/wav_bytes.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <tuple>
#include <utility>

namespace vex {
namespace {

using testing::chunk;
using testing::fmt_body;
using testing::riff;
using testing::Texts;
using testing::u32;
using testing::wav;

// A window with three timers in control order fast, slow, other. Each tick is noted as
// "name@clock"; a tick of fast first runs the hook set for it, once.
struct TimerForm : testing::TestForm {
    explicit TimerForm(Runtime& runtime) : TestForm(runtime) {
        for (Timer* timer : {&fast, &slow, &other}) {
            add_timer(*timer, [this, timer] {
                ticks.push_back(timer->name() + "@" + std::to_string(clock().now()));
                if (timer == &fast) {
                    std::exchange(fast_hook, [] {})();
                }
            });
        }
    }

    Timer fast{"fast", 1}, slow{"slow", 100} /* 6.4 clock ticks: 7 */, other{"other", 10};
    Texts ticks;
    std::function<void()> fast_hook = [] {};
};

struct TimerService : ::testing::Test {
    HeadlessRuntime runtime{"/nonexistent"};
    TimerForm form{runtime};
    void SetUp() override { runtime.load(form); }
};

// A form unloaded by a handler raises no more timers, not even those due in the same round.
TEST_F(TimerService, TimersTickInControlOrderOnePeriodAfterEnablingUntilDisabledOrUnloaded) {
    form.other.Enabled = true;
    form.fast.Enabled = true;
    runtime.advance(2);
    form.slow.Enabled = true;  // due at 9
    form.fast_hook = [this] {
        form.fast.Enabled = false;
        form.other.Enabled = false;  // due in this very round
        form.slow.Enabled = true;    // already on: still due at 9, not 10
    };
    runtime.advance(8);
    form.fast.Enabled = true;
    form.other.Enabled = true;
    form.fast_hook = [this] { form.Unload(); };
    runtime.advance(10);
    EXPECT_EQ(form.ticks, (Texts{"fast@1", "other@1", "fast@2", "other@2", "fast@3", "slow@9", "fast@11"}));
}

TEST_F(TimerService, AHandlerThatHeldTheClockGetsNoCatchUpBurst) {
    for (Timer* timer : {&form.fast, &form.slow, &form.other}) {
        timer->Enabled = true;
    }
    form.fast_hook = [this] { form.clock().advance(20); };  // as a sound would; slow was due at 7
    runtime.advance(3);
    form.fast.Enabled = false;
    form.other.Enabled = false;
    runtime.advance(6);
    EXPECT_EQ(form.ticks, (Texts{"fast@1", "other@21", "fast@22", "slow@22", "other@22", "fast@23", "other@23", "slow@29"}));
}

// What every common tool writes gives a header: PCM of 8 to 32 bits, 32-bit float, A-law,
// mu-law, IMA and Microsoft ADPCM, plain or extensible, 1 to 8 channels at 8 to 192 kHz, with its
// frames counted as the file holds them (a placeholder or cut data size reads to the file's end)
// and what they cost once decoded. Anything else is refused with a reason naming the fault.
TEST(WavHeader, CountsWhatEveryCommonEncodingHoldsAndSaysWhyOthersAreRefused) {
    const std::string data = chunk("data", std::string(4000, '\x80'));
    constexpr std::uint32_t mono = 0x10001, stereo = 0x20001, float_stereo = 0x20003;
    // An extensible fmt chunk: 22 more bytes, the valid bits, the speaker mask, the GUID of `tag`.
    const auto extensible = [](std::uint32_t channels, std::uint32_t bits, std::uint32_t tag, const char* guid_tail) {
        return fmt_body(0xFFFE, channels, 44100, channels * bits / 8, bits,
                        u32(22U | (bits << 16U)) + u32(3) + u32(tag) + std::string(guid_tail, 12));
    };
    const char* const guid = "\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71";
    const std::string stream_data = "data" + u32(0xFFFFFFFF) + std::string(4000, '\x10');
    const std::string limit_data(wav_decoded_limit, '\x80');
    // IMA ADPCM, mono, 256-byte blocks of 505 frames: 9 MiB decode to over 35 MiB.
    const std::string ima_9mib = riff(fmt_body(0x11, 1, 8000, 256, 4, u32(505U << 16U)), chunk("data", std::string(9U << 20U, '\0')));
    const std::vector<std::pair<std::string, std::string>> rows{
        // encoding (0 PCM, 1 float, 2 A-law, 3 mu-law, 4 MS ADPCM, 5 IMA ADPCM), channels, rate,
        // bits, frames, decoded bytes, bytes of data the file holds
        {wav(mono, 8000, 16, data), "0 1 8000 16 2000 4000 4000"},
        {wav(float_stereo, 192000, 32, data), "1 2 192000 32 500 4000 4000"},
        {wav(0x80001, 44100, 8, data), "0 8 44100 8 500 4000 4000"},
        {wav(stereo, 44100, 24, data, 18), "0 2 44100 24 666 5328 4000"},
        {wav(stereo, 44100, 32, chunk("LIST", "abc") + '\0' + data), "0 2 44100 32 500 4000 4000"},
        {riff(extensible(2, 24, 1, guid), data), "0 2 44100 24 666 5328 4000"},
        {riff(extensible(6, 16, 1, guid), data), "0 6 44100 16 333 3996 4000"},
        {riff(extensible(2, 32, 3, guid), chunk("fact", u32(500)) + data), "1 2 44100 32 500 4000 4000"},
        {riff(extensible(2, 24, 1, "\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x72"), data), "refused: extensible format"},
        {riff(extensible(2, 24, 1, guid).substr(0, 39), data), "refused: extensible format"},
        {riff(fmt_body(6, 2, 8000, 2, 8, std::string(2, '\0')), data), "2 2 8000 8 2000 8000 4000"},
        {riff(fmt_body(7, 1, 8000, 1, 8), data), "3 1 8000 8 4000 8000 4000"},
        // Microsoft's blocks start with 7 bytes a channel (two frames), IMA's with 4 (one frame).
        {riff(fmt_body(2, 2, 44100, 512, 4, u32(32U | (500U << 16U))), data), "4 2 44100 4 4000 16000 4000"},
        {riff(fmt_body(0x11, 1, 8000, 256, 4, u32(505U << 16U)), data), "5 1 8000 4 8080 16160 4000"},
        {riff(fmt_body(0x11, 1, 8000, 4, 4), data), "refused: ADPCM blocks of 4 bytes"},
        {riff(fmt_body(2, 1, 8000, 7, 4), data), "refused: ADPCM blocks of 7 bytes"},
        {riff(fmt_body(0x11, 1, 8000, 256, 3), data), "refused: encoding 0x0011 at 3 bits"},
        {riff(fmt_body(0x55, 1, 8000, 1, 0), data), "refused: encoding 0x0055"},
        // A stream's placeholder sizes (RIFF and data), a cut download, an odd byte at the end.
        {riff(fmt_body(1, 1, 8000, 2, 16), stream_data, 0xFFFFFFFF), "0 1 8000 16 2000 4000 4000"},
        {riff(fmt_body(1, 1, 22050, 2, 16), "data" + u32(0x7ffff000) + std::string(4000, '\x10'), 0x7ffff024),
         "0 1 22050 16 2000 4000 4000"},
        {wav(mono, 8000, 16, data).substr(0, 44 + 3999), "0 1 8000 16 1999 3998 3999"},
        {wav(mono, 8000, 16, chunk("data", "abc")), "0 1 8000 16 1 2 3"},
        {wav(mono, 8000, 16, chunk("data", "")), "0 1 8000 16 0 0 0"},
        // The limit counts samples once decoded, not bytes of the file.
        {wav(mono, 8000, 8, chunk("data", limit_data)), "0 1 8000 8 33554432 33554432 33554432"},
        {wav(mono, 8000, 8, chunk("data", limit_data + '\x80')), "refused: 33 MB of samples"},
        {wav(mono, 8000, 24, chunk("data", limit_data.substr(0, wav_decoded_limit / 4 * 3 + 3))), "refused: 33 MB of samples"},
        {ima_9mib, "refused: 36 MB of samples"},
        {wav(mono, 8000, 8, chunk("data", limit_data) + std::string(wav_file_limit - limit_data.size() - 43, '\0')),
         "refused: larger than 33 MB"},
        {wav(0x90001, 44100, 16, data), "refused: 9 channels"}, {wav(0x1010001, 44100, 16, data), "refused: 257 channels"}, {wav(0x00001, 44100, 16, data), "refused: 0 channels"},
        {wav(mono, 7999, 16, data), "refused: 7999 frames a second"}, {wav(mono, 192001, 16, data), "refused: 192001 frames"},
        {wav(mono, 8000, 12, data), "refused: encoding 0x0001 at 12 bits"}, {wav(0x10003, 8000, 16, data), "refused: encoding 0x0003"},
        {wav(0x10002, 8000, 16, data), "refused: encoding 0x0002 at 16 bits"},
        {wav(mono, 8000, 16, data, 15), "refused: format chunk is too short"},
        {wav(mono, 8000, 16, "LIST" + u32(100) + "abcd"), "refused: chunk \"LIST\" runs past the end"},
        {wav(mono, 8000, 16, chunk("LIST", "abc")), "refused: holds no samples"},
        {"RIFF" + u32(0) + "WAVE" + data + wav(mono, 8000, 16, "").substr(12), "refused: samples come before their format"},
        {"RIFF" + u32(0) + "WAVE" + chunk("LIST", "abcd"), "refused: no format chunk"},
        {"RIFF" + u32(0) + "WAVX", "refused: not a WAV file"}, {"RIFF" + u32(0) + "WAV", "refused: not a WAV file"},
    };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const auto& [file, expected] = rows[row];
        SCOPED_TRACE(row);
        const Result<WavHeader> check = read_wav_header(file);
        if (!check) {
            ASSERT_EQ(expected.rfind("refused: ", 0), 0U) << check.reason();
            EXPECT_NE(check.reason().find(expected.substr(9)), std::string::npos) << check.reason();
            continue;
        }
        const WavHeader& header = check.value();
        EXPECT_EQ(std::to_string(static_cast<int>(header.encoding)) + " " + std::to_string(header.channels) + " " +
                      std::to_string(header.rate) + " " + std::to_string(header.bits) + " " + std::to_string(header.frames) +
                      " " + std::to_string(header.decoded_bytes()) + " " + std::to_string(header.data_bytes),
                  expected);
    }
    const testing::TestFolder folder;
    std::ofstream(folder.path() / "made.wav", std::ios::binary) << wav(mono, 8000, 16, data);
    std::ofstream(folder.path() / "ima.wav", std::ios::binary) << riff(fmt_body(0x11, 1, 8000, 256, 4), data);
    EXPECT_EQ(wav_length_ms(folder.path() / "made.wav"), 250.0);
    EXPECT_EQ(wav_length_ms(folder.path() / "ima.wav"), 1010.0);
    EXPECT_EQ(wav_length_ms(folder.path() / "sounds" / "absent.wav"), std::nullopt);
}

// Draws lie in [0, 1) on the grid of 2^-53 that 53 random bits make, each bit set in about half
// of them (10,000 draws: 5,000 give or take six standard deviations).
TEST(UniformRandom, DrawsLieOnTheGridBelowOne) {
    UniformRandom random;
    std::array<int, 53> ones{};
    for (int i = 0; i < 10000; ++i) {
        const double scaled = random.next() * 9007199254740992.0;
        ASSERT_TRUE(scaled < 9007199254740992.0 && std::trunc(scaled) == scaled) << "draw " << i;
        for (std::size_t bit = 0; bit < ones.size(); ++bit) {
            ones[bit] += static_cast<int>((static_cast<std::uint64_t>(scaled) >> bit) & 1U);
        }
    }
    for (std::size_t bit = 0; bit < ones.size(); ++bit) {
        EXPECT_NEAR(ones[bit], 5000, 300) << "bit " << bit;
    }
}

// The game names its files with backslashes from its folder; the runtime finds them below the
// program folder, whichever separators and however many.
TEST(NativePath, GamePathsLieBelowTheFolder) {
    for (const auto& [game_path, path] : std::vector<std::pair<const char*, const char*>>{
             {"\\sounds\\shoot.wav", "/game/sounds/shoot.wav"}, {"\\scores.dat", "/game/scores.dat"},
             {"pictures/brit1.gif", "/game/pictures/brit1.gif"}, {"\\\\sounds\\", "/game/sounds"}}) {
        EXPECT_EQ(native_path("/game", game_path), path) << game_path;
    }
}

// The record stays beside a program that can write it; otherwise it lives in the player's folder,
// seeded with the shipped bytes only when the player has no record there yet.
TEST(RecordPlace, BesideTheProgramWhenWritableElseThePlayersSeededOnce) {
    using Scores = std::optional<std::string>;
    const Scores shipped = "\"500\",\"Ace\"\r\n", own = "\"9\",\"Zo\xC3\xAB\"\r\n", none;
    const std::tuple<bool, bool, Scores, Scores, bool, Scores> cases[] = {
        // program folder writable, player has a folder, shipped record, player's record before; in
        // the player's folder, and the player's record after
        {true, true, shipped, none, false, none},   {false, true, shipped, none, true, shipped},
        {false, true, shipped, own, true, own},     {false, true, none, none, true, none},
        {false, false, shipped, none, false, none},
    };
    for (const auto& [writable, has_folder, ships, before, in_player_folder, after] : cases) {
        const testing::TestFolder program(ships), player(before);
        int asked = 0;
        const auto chosen = choose_record_folder(program.path(), writable, [&]() -> std::optional<std::filesystem::path> {
            ++asked;
            return has_folder ? std::optional(player.path()) : std::nullopt;
        });
        SCOPED_TRACE(::testing::Message() << "writable " << writable << ", player folder " << has_folder << ", player record "
                                          << before.value_or("(none)"));
        EXPECT_EQ(chosen, in_player_folder ? player.path() : program.path());
        EXPECT_EQ(asked, writable ? 0 : 1) << "the player's folder is made only when needed";
        EXPECT_EQ(player.scores(), after);
        EXPECT_EQ(program.scores(), ships);
    }
}

// The kernel's own files tell no size beforehand (0): read to their end within the limit, refused
// past it as a file that grew while it was read; a read that fails is reported, not retried.
TEST(RegularFile, ReadsAFileToItsEndWithinTheLimit) {
    using Status = FileRead::Status;
    const std::vector<std::tuple<const char*, std::size_t, Status, bool>> rows{
        // path, limit, outcome, whether the bytes hold the process's name (a refused file holds none)
        {"/proc/self/status", 1 << 20, Status::Read, true}, {"/proc/self/status", 16, Status::TooLarge, false},
        {"/proc/self/mem", 16, Status::Unreadable, false},   {"/proc/self", 16, Status::NotRegular, false},
        {"/proc/self/exe", 16, Status::TooLarge, false} /* this program */,
        {"/nonexistent/file", 16, Status::Missing, false},
    };
    for (const auto& [path, limit, status, named] : rows) {
        const FileRead file = read_regular_file(path, limit);
        EXPECT_EQ(std::make_pair(file.status, file.bytes.substr(0, 5)), std::make_pair(status, std::string(named ? "Name:" : "")))
            << path;
    }
}

}  // namespace
}  // namespace vex
