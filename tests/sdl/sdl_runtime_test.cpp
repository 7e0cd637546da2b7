// The real event loop on SDL's offscreen video driver, with a small window of our own.
#include "platform/sdl/sdl_runtime.h"

#include "platform/sdl/loop_observer.h"
#include "platform/wav_header.h"
#include "tests/support/test_folder.h"
#include "tests/support/test_form.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace vex {
namespace {

// What the loop and the boxes told an onlooker, in order.
struct RecordingObserver : LoopObserver {
    void loop_starting() override { log.emplace_back("start"); }
    void tick_started(std::uint64_t tick) override { log.push_back("tick " + std::to_string(tick)); }
    void frame_presented() override { log.emplace_back("frame"); }
    void cue_started(const std::filesystem::path& file) override { log.push_back("cue " + file.filename().string()); }
    void cue_ended() override { log.emplace_back("cue ended"); }
    void box_opening() override { log.emplace_back("box opening"); }
    void box_shown() override { log.emplace_back("box shown"); }
    void box_closed() override { log.emplace_back("box closed"); }

    std::size_t count(const std::string& entry) const { return std::ranges::count(log, entry); }
    std::vector<std::string> log;
};

// A fast timer whose third tick blocks for a quarter of a second and whose sixth plays a cue,
// enabling tmAfter just after it, and whose 40th unloads the form; a slow timer beside it.
struct TickingForm : testing::TestForm {
    explicit TickingForm(Runtime& runtime) : TestForm(runtime) {
        add_timer(tmFast, [this] {
            fast_ticks.push_back(clock().now());
            if (fast_ticks.size() == 3) {
                std::this_thread::sleep_for(std::chrono::milliseconds(250));  // about 15 ticks
            } else if (fast_ticks.size() == 6) {
                before_cue = clock().now();
                this->runtime().play_sound("\\sounds\\shoot.wav");
                after_cue = clock().now();
                cue_end = real_tick();
                tmAfter.Enabled = true;
            } else if (fast_ticks.size() == 40) {
                Unload();
            }
        });
        add_timer(tmSlow, [this] { slow_ticks.push_back(clock().now()); });
        add_timer(tmAfter, [this] {
            first_after = clock().now();
            tmAfter.Enabled = false;
        });
    }
    void Form_Load() override {
        tmFast.Enabled = true;
        tmSlow.Enabled = true;
        loaded_tick = clock().now();
        loaded_counter = SDL_GetPerformanceCounter();
    }
    // The tick the real time has reached, counted by the test from the load on (up to two ticks
    // behind the loop's own count), whatever the form's clock says.
    std::uint64_t real_tick() const {
        return loaded_tick + (SDL_GetPerformanceCounter() - loaded_counter) * TickClock::ticks_per_second /
                                 SDL_GetPerformanceFrequency();
    }

    Timer tmFast{"tmFast", 1}, tmSlow{"tmSlow", 50} /* 4 clock ticks */, tmAfter{"tmAfter", 100} /* 7 */;
    std::vector<std::uint64_t> fast_ticks, slow_ticks;
    std::uint64_t loaded_tick = 0, before_cue = 0, after_cue = 0, cue_end = 0, first_after = 0;
    Uint64 loaded_counter = 0;
};

// Timers run from the load until the form unloads. A handler that blocks leaves no burst of ticks
// behind it: each timer is raised once at the new real time, then its grid resumes. A cue, played
// through the disk driver at a real device's pace, moves the clock on by its length; a timer
// enabled after it has its first tick one interval after that, not at once. So it does at every
// volume, and muted, when the device plays nothing but silence.
TEST(RealLoop, TimersRunAtTheirPeriodsWithoutCatchingUpAndCountFromACuesEnd) {
    const testing::TestFolder folder;
    const auto device_file = folder.path() / "device.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", device_file.c_str(), 1);
    const auto run = [&](const PlayerSettings& settings) {
        SCOPED_TRACE("volume " + std::to_string(settings.volume) + (settings.mute ? ", muted" : ""));
        std::filesystem::remove(device_file);
        SdlRuntime runtime{folder.path(), settings};
        RecordingObserver observer;
        runtime.set_observer(observer);
        TickingForm form{runtime};
        EXPECT_EQ(runtime.run(form), 0);
        const auto& log = observer.log;
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), "start");
        const auto cue_seen = std::ranges::find(log, "cue shoot.wav");
        ASSERT_NE(cue_seen, log.end()) << "the cue was not observed";
        ASSERT_NE(std::next(cue_seen), log.end());
        EXPECT_EQ(*std::next(cue_seen), "cue ended") << "the loop went on while the cue held it";
        EXPECT_EQ(observer.count("cue ended"), 1U);
        EXPECT_GE(observer.count("frame"), 1U);
        EXPECT_EQ(observer.count("box opening"), 0U);
        const auto& fast = form.fast_ticks;
        for (const std::uint64_t tick : fast) {
            EXPECT_EQ(observer.count("tick " + std::to_string(tick)), 1U) << "tick " << tick << " observed once";
        }
        ASSERT_EQ(fast.size(), 40U);
        EXPECT_GE(fast[3] - fast[2], 15U) << "the clock moved on while the handler blocked";
        EXPECT_EQ(std::ranges::adjacent_find(fast, std::greater_equal{}), fast.end()) << "two fast ticks in one round";
        const auto& slow = form.slow_ticks;
        ASSERT_GE(slow.size(), 3U);
        EXPECT_EQ(std::ranges::adjacent_find(slow, [](auto a, auto b) { return b - a < 4; }), slow.end())
            << "two slow ticks closer than its period";
        const auto cue = TickClock::ticks_for_ms(wav_length_ms(folder.path() / "sounds" / "shoot.wav").value_or(0));
        EXPECT_GE(cue, 10U);
        EXPECT_GE(form.after_cue + 1, form.before_cue + cue) << "the clock stood still while the cue played";
        EXPECT_GE(form.first_after, form.after_cue + form.tmAfter.period_ticks()) << "the first tick came early";
        EXPECT_GE(form.first_after + 2, form.cue_end + form.tmAfter.period_ticks())
            << "the first tick came less than one interval after the cue's real end";
    };
    run({});
    run({.volume = 30, .mute = false, .scale = std::nullopt, .fullscreen = false});
    run({.volume = 100, .mute = true, .scale = std::nullopt, .fullscreen = false});
    std::ifstream device(device_file, std::ios::binary);
    const std::string played{std::istreambuf_iterator<char>(device), {}};
    EXPECT_GT(played.size(), 0U);
    EXPECT_EQ(played.find_first_not_of('\0'), std::string::npos) << "muted, the device played sound";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

}  // namespace
}  // namespace vex
