// The real event loop on SDL's offscreen video driver, with a small window of our own.
#include "platform/sdl/sdl_runtime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

namespace vex {
namespace {

class TickingForm : public Form {
public:
    explicit TickingForm(Runtime& runtime) : Form(runtime) {
        add(tmFast);
        add(tmSlow);
        add(lblCount);
        tmFast.on_timer = [this] { on_fast(); };
        tmSlow.on_timer = [this] { slow_ticks.push_back(clock().now()); };
    }

    void Form_Load() override {
        loaded_at = clock().now();
        if (unload_on_load) {
            Unload();
            return;
        }
        tmFast.Enabled = true;
        tmSlow.Enabled = true;
    }
    void Form_KeyDown(std::int16_t, std::int16_t) override {}
    void Form_KeyUp(std::int16_t, std::int16_t) override {}
    float client_width() const override { return 1500; }
    float client_height() const override { return 1500; }
    std::string icon() const override { return "none.bmp"; }

    Timer tmFast{"tmFast", 1};
    Timer tmSlow{"tmSlow", 50};
    Label lblCount{"lblCount"};

    bool unload_on_load = false;
    std::uint64_t loaded_at = 0;
    std::vector<std::uint64_t> fast_ticks;
    std::vector<std::uint64_t> slow_ticks;
    // When the fast timer reaches this many ticks, its handler blocks for a while.
    std::size_t block_at = 0;
    std::size_t stop_at = 12;

private:
    void on_fast() {
        fast_ticks.push_back(clock().now());
        lblCount.Caption = std::to_string(fast_ticks.size());
        if (fast_ticks.size() == block_at) {
            // As long as a sound of about 15 ticks would hold the game.
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        if (fast_ticks.size() == stop_at) {
            Unload();
        }
    }
};

class RealLoop : public ::testing::Test {
protected:
    SdlRuntime runtime{std::filesystem::temp_directory_path()};
    TickingForm form{runtime};
};

TEST_F(RealLoop, RunsTimersUntilTheFormUnloads) {
    EXPECT_EQ(runtime.run(form), 0);
    ASSERT_EQ(form.fast_ticks.size(), 12U);
    EXPECT_EQ(form.lblCount.Caption, "12");
    // One tick per round of the clock, one clock tick apart, after the load.
    for (std::size_t i = 1; i < form.fast_ticks.size(); ++i) {
        EXPECT_GT(form.fast_ticks[i], form.fast_ticks[i - 1]);
    }
    EXPECT_GT(form.fast_ticks.front(), form.loaded_at);
}

TEST_F(RealLoop, SlowTimerTicksAtItsOwnPeriod) {
    form.stop_at = 40;
    EXPECT_EQ(runtime.run(form), 0);
    // 50 ms is 4 clock ticks.
    ASSERT_GE(form.slow_ticks.size(), 3U);
    for (std::size_t i = 1; i < form.slow_ticks.size(); ++i) {
        EXPECT_GE(form.slow_ticks[i] - form.slow_ticks[i - 1], 4U);
    }
}

// A handler that blocks does not leave a burst of ticks behind it: the next round raises each
// timer once at the new real time, then the grid resumes.
TEST_F(RealLoop, NoCatchUpAfterABlockingHandler) {
    form.block_at = 3;
    form.stop_at = 6;
    EXPECT_EQ(runtime.run(form), 0);
    ASSERT_EQ(form.fast_ticks.size(), 6U);
    EXPECT_GE(form.fast_ticks[3] - form.fast_ticks[2], 15U) << "the clock moved on while the handler blocked";
    for (std::size_t i = 4; i < form.fast_ticks.size(); ++i) {
        EXPECT_GT(form.fast_ticks[i], form.fast_ticks[i - 1]) << "one tick per round, no burst";
    }
    EXPECT_LE(form.slow_ticks.size(), 2U) << "the slow timer ticks once after the block, not for every period missed";
}

TEST_F(RealLoop, UnloadDuringLoadEndsAtOnce) {
    form.unload_on_load = true;
    EXPECT_EQ(runtime.run(form), 0);
    EXPECT_TRUE(form.fast_ticks.empty());
}

}  // namespace
}  // namespace vex
