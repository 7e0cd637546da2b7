#include "platform/record_place.h"
#include "platform/wav_header.h"
#include "tests/support/game_fixture.h"

#include <fstream>
#include <tuple>
#include <utility>

namespace vex {
namespace {

using testing::Texts;

// A window with three timers in control order fast, slow, other. Each tick is logged as
// "name@clock"; a tick of fast first runs the hook set for it, once.
struct TimerForm : Form {
    explicit TimerForm(Runtime& runtime) : Form(runtime) {
        for (Timer* timer : {&fast, &slow, &other}) {
            add(*timer);
            timer->on_timer = [this, timer] {
                log.push_back(timer->name() + "@" + std::to_string(clock().now()));
                if (timer == &fast) {
                    std::exchange(fast_hook, [] {})();
                }
            };
        }
    }
    void Form_KeyDown(std::int16_t, std::int16_t) override {}
    void Form_KeyUp(std::int16_t, std::int16_t) override {}
    float client_width() const override { return 0; }
    float client_height() const override { return 0; }
    std::string icon() const override { return {}; }

    Timer fast{"fast", 1}, slow{"slow", 100} /* 6.4 clock ticks: 7 */, other{"other", 10};
    Texts log;
    std::function<void()> fast_hook = [] {};
};

struct TimerService : ::testing::Test {
    HeadlessRuntime runtime{"/nonexistent"};
    TimerForm form{runtime};
    void SetUp() override { runtime.load(form); }
};

TEST_F(TimerService, TimersTickInControlOrderOnePeriodAfterEnablingUntilDisabled) {
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
    EXPECT_EQ(form.log, (Texts{"fast@1", "other@1", "fast@2", "other@2", "fast@3", "slow@9"}));
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
    EXPECT_EQ(form.log, (Texts{"fast@1", "other@21", "fast@22", "slow@22", "other@22", "fast@23", "other@23", "slow@29"}));
}

TEST(WavLength, ReadsTheLengthFromTheHeader) {
    const testing::TestFolder folder;
    const auto u32 = [](std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    // 8000 bytes a second; an odd-sized chunk (padded) before the 4000-byte data chunk.
    std::ofstream(folder.path() / "made.wav", std::ios::binary)
        << "RIFF" + u32(0) + "WAVEfmt " + u32(16) + std::string("\1\0\1\0", 4) + u32(8000) + u32(8000) +
               std::string("\1\0\x08\0", 4) + "LIST" + u32(3) + std::string("abc\0", 4) + "data" + u32(4000) +
               std::string(4000, '\x80');
    EXPECT_EQ(wav_length_ms(folder.path() / "made.wav"), 500.0);
    EXPECT_EQ(wav_length_ms(folder.path() / "pictures" / "brit1.gif"), std::nullopt);
    EXPECT_EQ(wav_length_ms(folder.path() / "sounds" / "absent.wav"), std::nullopt);
}

// The record stays beside a program that can write it; otherwise it lives in the player's folder,
// seeded with the shipped bytes only when the player has no record there yet.
TEST(RecordPlace, BesideTheProgramWhenWritableElseThePlayersSeededOnce) {
    using Scores = std::optional<std::string>;
    const Scores shipped = "\"500\",\"Ace\"\r\n", own = "\"9\",\"Zo\xC3\xAB\"\r\n";
    const struct {
        bool writable;
        bool player_has_folder;
        Scores shipped;
        Scores player_before;
        bool in_player_folder;
        Scores player_after;
    } cases[] = {
        {true, true, shipped, std::nullopt, false, std::nullopt},
        {false, true, shipped, std::nullopt, true, shipped},
        {false, true, shipped, own, true, own},
        {false, true, std::nullopt, std::nullopt, true, std::nullopt},
        {false, false, shipped, std::nullopt, false, std::nullopt},
    };
    for (const auto& c : cases) {
        const testing::TestFolder program(c.shipped), player(c.player_before);
        int asked = 0;
        const auto chosen = choose_record_folder(program.path(), c.writable, [&]() -> std::optional<std::filesystem::path> {
            ++asked;
            return c.player_has_folder ? std::optional(player.path()) : std::nullopt;
        });
        SCOPED_TRACE(::testing::Message() << "writable " << c.writable << ", player folder " << c.player_has_folder
                                          << ", player record " << c.player_before.value_or("(none)"));
        EXPECT_EQ(chosen, c.in_player_folder ? player.path() : program.path());
        EXPECT_EQ(asked, c.writable ? 0 : 1) << "the player's folder is made only when needed";
        EXPECT_EQ(player.scores(), c.player_after);
        EXPECT_EQ(program.scores(), c.shipped);
    }
}

}  // namespace
}  // namespace vex
