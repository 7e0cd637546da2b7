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

// Only a plain PCM or float WAV within the limits gives a header: 1 to 8 channels, 8 to 192 kHz,
// 8, 16, 24 or 32 bits (floats 32), a fmt chunk before a data chunk that the file holds.
TEST(WavHeader, OnlySaneHeadersAreRead) {
    const std::string data = chunk("data", std::string(4000, '\x80'));
    constexpr std::uint32_t mono = 0x10001, stereo = 0x20001, float_stereo = 0x20003;
    const std::string at_limit = wav(mono, 8000, 8, chunk("data", std::string(wav_file_limit - 44, '\x80')));
    const std::vector<std::pair<std::string, const char*>> rows{
        {wav(mono, 8000, 16, data), "1 1 8000 16 4000"}, {wav(float_stereo, 192000, 32, data), "3 2 192000 32 4000"},
        {wav(0x80001, 44100, 8, data), "1 8 44100 8 4000"}, {wav(stereo, 44100, 24, data, 18), "1 2 44100 24 4000"},
        {wav(stereo, 44100, 32, chunk("LIST", "abc") + '\0' + data), "1 2 44100 32 4000"},
        {at_limit, "1 1 8000 8 16777172"}, {at_limit + '\0', "refused"},
        {wav(0x90001, 44100, 16, data), "refused"}, {wav(0x00001, 44100, 16, data), "refused"},
        {wav(mono, 7999, 16, data), "refused"}, {wav(mono, 192001, 16, data), "refused"},
        {wav(mono, 8000, 12, data), "refused"}, {wav(0x10003, 8000, 16, data), "refused"},
        {wav(0x10002, 8000, 16, data), "refused"}, {wav(mono, 8000, 16, data, 15), "refused"},
        {wav(mono, 8000, 16, data.substr(0, 4000)), "refused"} /* data beyond the file */,
        {wav(mono, 8000, 16, chunk("LIST", "abc")), "refused"} /* no data */,
        {wav(mono, 8000, 16, std::string("data\0\0\0", 7)), "refused"} /* too short for a chunk */,
        {wav(mono, 8000, 16, chunk("data", "")), "1 1 8000 16 0"},
        {wav(mono, 8000, 16, "data" + u32(0x1000010) + std::string(16, '\x80')), "refused"} /* 16 MiB and 16 bytes */,
        {"RIFF" + u32(0) + "WAVE" + data + wav(mono, 8000, 16, "").substr(12), "refused"} /* data before fmt */,
        {"RIFF" + u32(0) + "WAVX", "refused"}, {"RIFF" + u32(0) + "WAV", "refused"},
    };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const auto& [file, expected] = rows[row];
        SCOPED_TRACE(row);
        const auto header = read_wav_header(file);
        EXPECT_EQ(header ? std::to_string(header->format) + " " + std::to_string(header->channels) + " " +
                               std::to_string(header->rate) + " " + std::to_string(header->bits) + " " +
                               std::to_string(header->data_bytes)
                         : "refused",
                  expected);
    }
    const testing::TestFolder folder;
    std::ofstream(folder.path() / "made.wav", std::ios::binary) << wav(mono, 8000, 16, data);
    EXPECT_EQ(wav_length_ms(folder.path() / "made.wav"), 250.0);
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
