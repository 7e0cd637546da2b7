#include "platform/form.h"
#include "platform/headless/headless_runtime.h"
#include "platform/wav_length.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vex {
namespace {

using Ticks = std::vector<std::uint64_t>;

// A window with three timers in control order fast, slow, other, each logging its ticks.
class TimerForm : public Form {
public:
    explicit TimerForm(Runtime& runtime) : Form(runtime) {
        for (Timer* timer : {&fast, &slow, &other}) {
            add(*timer);
            timer->on_timer = [this, timer] {
                ticks[timer->name()].push_back(clock().now());
                order.push_back(timer->name());
                if (const auto extra = actions[timer->name()]) {
                    extra();
                }
            };
        }
    }
    void Form_KeyDown(std::int16_t, std::int16_t) override {}
    void Form_KeyUp(std::int16_t, std::int16_t) override {}
    float client_width() const override { return 0; }
    float client_height() const override { return 0; }
    std::string icon() const override { return {}; }

    Timer fast{"fast", 1};
    Timer slow{"slow", 100};  // 6.4 clock ticks, rounded up to 7
    Timer other{"other", 10};
    std::map<std::string, Ticks> ticks;
    std::vector<std::string> order;
    std::map<std::string, std::function<void()>> actions;
};

class TimerService : public ::testing::Test {
protected:
    HeadlessRuntime runtime{"/nonexistent"};
    TimerForm form{runtime};
    void SetUp() override { runtime.load(form); }
};

TEST_F(TimerService, FirstTickComesOnePeriodAfterEnablingAndReenablingChangesNothing) {
    runtime.advance(3);
    form.slow.Enabled = true;
    runtime.advance(6);
    EXPECT_TRUE(form.order.empty()) << "ticked before its period was up";
    form.slow.Enabled = true;
    runtime.advance(8);
    EXPECT_EQ(form.ticks["slow"], (Ticks{10, 17}));
}

TEST_F(TimerService, OneAndTenMillisecondTimersTickOnEveryClockTickInControlOrder) {
    form.other.Enabled = true;
    form.fast.Enabled = true;
    runtime.advance(3);
    EXPECT_EQ(form.order, (std::vector<std::string>{"fast", "other", "fast", "other", "fast", "other"}));
    EXPECT_EQ(form.ticks["fast"], (Ticks{1, 2, 3}));
}

TEST_F(TimerService, DisabledTimerRaisesNothingEvenWhenDueInTheSameRound) {
    form.fast.Enabled = true;
    form.other.Enabled = true;
    form.actions["fast"] = [this] { form.other.Enabled = false; };
    runtime.advance(3);
    EXPECT_TRUE(form.ticks["other"].empty());
    form.actions["fast"] = {};
    form.fast.Enabled = false;
    runtime.advance(3);
    EXPECT_EQ(form.ticks["fast"], (Ticks{1, 2, 3}));
}

TEST_F(TimerService, AHandlerThatHeldTheClockGetsNoCatchUpBurst) {
    form.fast.Enabled = true;
    form.slow.Enabled = true;  // due at 7, missed while the clock is held
    form.other.Enabled = true;
    // The first tick of `fast` blocks for 20 ticks, as a sound would.
    form.actions["fast"] = [this] {
        form.actions["fast"] = {};
        form.clock().advance(20);
    };
    runtime.advance(8);
    EXPECT_EQ(form.ticks["fast"], (Ticks{1, 22, 23, 24, 25, 26, 27, 28}));
    EXPECT_EQ(form.ticks["slow"], (Ticks{22})) << "the grid resumes from the late tick";
    EXPECT_EQ(form.ticks["other"], (Ticks{21, 22, 23, 24, 25, 26, 27, 28}));
    runtime.advance(1);
    EXPECT_EQ(form.ticks["slow"], (Ticks{22, 29}));
}

TEST(WavLength, ReadsTheHeaderOfRealAndMadeUpFiles) {
    const testing::TestFolder folder;
    // 8000 bytes a second; an odd-sized extra chunk (padded) before the 4000-byte data chunk.
    const auto u32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    };
    std::string wav = "RIFF" + u32(0) + "WAVE";
    wav += "fmt " + u32(16) + std::string("\x01\x00\x01\x00", 4) + u32(8000) + u32(8000) +
           std::string("\x01\x00\x08\x00", 4);
    wav += "LIST" + u32(3) + std::string("abc\0", 4);
    wav += "data" + u32(4000) + std::string(4000, '\x80');
    const auto made = folder.path() / "made.wav";
    std::ofstream(made, std::ios::binary) << wav;
    EXPECT_EQ(wav_length_ms(made), 500.0);

    EXPECT_EQ(wav_length_ms(folder.path() / "pictures" / "brit1.gif"), std::nullopt);
    EXPECT_EQ(wav_length_ms(folder.path() / "sounds" / "absent.wav"), std::nullopt);

    const auto pop = wav_length_ms(folder.path() / "sounds" / "pop2.wav");
    ASSERT_TRUE(pop.has_value()) << "data/sounds/pop2.wav missing or not a WAV";
    EXPECT_GT(*pop, 0);
    EXPECT_LT(*pop, 2000) << "a shot's cue freezes the game while it plays";
}

}  // namespace
}  // namespace vex
