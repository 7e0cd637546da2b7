// The real event loop on SDL's offscreen video driver, with a small window of our own.
#include "platform/sdl/sdl_runtime.h"

#include "platform/wav_header.h"
#include "tests/support/test_folder.h"
#include "tests/support/test_form.h"
#include "tests/support/virtual_pad.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vex {
namespace {

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
// enabled after it has its first tick one interval after that, not at once.
TEST(RealLoop, TimersRunAtTheirPeriodsWithoutCatchingUpAndCountFromACuesEnd) {
    const testing::TestFolder folder;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (folder.path() / "device.raw").c_str(), 1);
    [&] {
        SdlRuntime runtime{folder.path()};
        TickingForm form{runtime};
        EXPECT_EQ(runtime.run(form), 0);
        const auto& fast = form.fast_ticks;
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
    }();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// A 100 x 100 window with a label at (40, 40, 20 x 20) and a timer that plays one step of a
// script each tick; what reaches the form is logged, and so is the window's size when asked.
struct ScriptedForm : testing::TestForm {
    explicit ScriptedForm(Runtime& runtime) : TestForm(runtime) {
        Caption = "scripted";
        add(lblTarget);
        lblTarget.Left = lblTarget.Top = 600;
        lblTarget.Width = lblTarget.Height = 300;
        lblTarget.Click = [this] { log += "click "; };
        tmScript.Enabled = true;
        add_timer(tmScript, [this] { m_step < script.size() ? script[m_step++](*this) : Unload(); });
    }

    SDL_Window* window() const {
        for (Uint32 id = 1; id < 1000; ++id) {
            if (SDL_Window* found = SDL_GetWindowFromID(id); found != nullptr && Caption == SDL_GetWindowTitle(found)) {
                return found;
            }
        }
        return nullptr;
    }

    Label lblTarget{"lblTarget"};
    Timer tmScript{"tmScript", 50};
    std::vector<std::function<void(ScriptedForm&)>> script;

private:
    std::size_t m_step = 0;
};

using Step = std::function<void(ScriptedForm&)>;

Step click(int x, int y) {
    return [=](ScriptedForm& form) {
        for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            SDL_Event event{};
            event.button = {type, 0, SDL_GetWindowID(form.window()), 0, SDL_BUTTON_LEFT, 0, 1, 0, x, y};
            SDL_PushEvent(&event);
        }
    };
}

Step key(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    return [=](ScriptedForm& form) {
        for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event event{};
            event.key.type = type;
            event.key.windowID = SDL_GetWindowID(form.window());
            event.key.keysym.sym = sym;
            event.key.keysym.mod = mod;
            SDL_PushEvent(&event);
        }
    };
}

Step log_window() {
    return [](ScriptedForm& form) {
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(form.window(), &w, &h);
        const bool full = (SDL_GetWindowFlags(form.window()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
        form.log += std::to_string(w) + "x" + std::to_string(h) + (full ? " full " : " ");
    };
}

// Clicks on the label's corners and just outside it land at x1 and x2, in a window and in full
// screen on the offscreen driver's 1024 x 768 display, where the 100 x 100 picture shows at x7
// from (162, 34). F11 and Alt+Enter switch full screen and never reach the form; A does.
TEST(RealLoop, ClicksLandAtEveryScaleAndFullScreenKeysAreTheWindows) {
    const struct {
        DisplayOptions display;
        std::vector<Step> script;
        std::string log;
    } cases[] = {
        {{1, false}, {log_window(), click(40, 40), click(59, 59), click(60, 50), click(39, 50), key(SDLK_a)},
         "100x100 click click +65 -65 "},
        {{2, false}, {log_window(), click(80, 80), click(119, 119), click(120, 100), click(79, 100), key(SDLK_a)},
         "200x200 click click +65 -65 "},
        {{2, false}, {key(SDLK_F11), log_window(), click(162 + 7 * 40, 34 + 7 * 40), click(161 + 7 * 40, 300),
                      key(SDLK_RETURN, KMOD_LALT), log_window(), click(80, 80)},
         "1024x768 full click 200x200 click "},
        {{1, true}, {log_window(), click(162 + 7 * 60 - 1, 34 + 7 * 60 - 1), key(SDLK_F11), log_window(), click(59, 59),
                     key(SDLK_RETURN), key(SDLK_KP_ENTER, KMOD_RALT), log_window()},
         "1024x768 full click 100x100 click +13 -13 1024x768 full "},
    };
    for (const auto& c : cases) {
        const testing::TestFolder folder;
        SdlRuntime runtime{folder.path(), c.display};
        ScriptedForm form{runtime};
        form.script = c.script;
        EXPECT_EQ(runtime.run(form), 0);
        EXPECT_EQ(form.log, c.log) << "scale " << c.display.scale.value_or(0) << (c.display.fullscreen ? " full" : "");
    }
}

// The virtual pad the pad steps play: plugged in while the loop runs, as a player would.
struct PluggedPad {
    int device = -1;
    SDL_Joystick* joystick() const { return SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device)); }
};

Step plug_in(PluggedPad& pad) {
    return [&pad](ScriptedForm&) { pad.device = testing::plug_in_virtual_pad(); };
}

// A button of the pad pressed or released; with `box`, an input box is asked at once and logged,
// so the box takes the button's press.
Step button(const PluggedPad& pad, SDL_GameControllerButton button, bool down, bool box = false) {
    return [=, &pad](ScriptedForm& form) {
        ASSERT_NE(pad.joystick(), nullptr) << "the loop did not open the pad plugged in";
        SDL_JoystickSetVirtualButton(pad.joystick(), button, down ? 1 : 0);
        if (box) {
            form.log += "box:" + form.runtime().input_box("Name?", "Pad", "Ann") + " ";
        }
    };
}

// A pad in the real loop: south is Ctrl and Start is S to the form; in a box south is OK and east
// Cancel, and the release of a press the box took never reaches the form. SDL passes a pad's
// input only to a focused window, which needs a window manager: this runs in an X server.
TEST(RealLoop, APadIsTheGameKeysAndAnswersBoxes) {
    if (std::string_view{SDL_getenv("SDL_VIDEODRIVER")} == "offscreen") {
        GTEST_SKIP() << "no window has the focus on the offscreen driver";
    }
    const auto south = SDL_CONTROLLER_BUTTON_A, east = SDL_CONTROLLER_BUTTON_B, start = SDL_CONTROLLER_BUTTON_START;
    const testing::TestFolder folder;
    SdlRuntime runtime{folder.path()};
    ScriptedForm form{runtime};
    PluggedPad pad;
    form.script = {plug_in(pad),
                   button(pad, south, true),
                   button(pad, south, false),
                   button(pad, start, true),
                   button(pad, start, false),
                   button(pad, south, true, true),
                   button(pad, south, false),
                   button(pad, east, true, true),
                   button(pad, east, false)};
    EXPECT_EQ(runtime.run(form), 0);
    EXPECT_EQ(form.log, "+17 -17 +83 -83 box:Ann box: ");
    SDL_JoystickDetachVirtual(pad.device);
}

}  // namespace
}  // namespace vex
