// A pad plugged into the real loop while it runs, as a player would: the game's keys it presses
// and releases, and the boxes it answers. SDL passes a pad's input only to a focused window, which
// needs a window manager: these run in an X server.
#include "platform/sdl/sdl_runtime.h"
#include "tests/support/test_folder.h"
#include "tests/support/test_form.h"
#include "tests/support/virtual_pad.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace vex {
namespace {

// One move on the pad: a button to 0 or 1, or the left or right stick's x or the left stick's y to
// a value. With `box`, a name is asked for at once and logged, so the box takes the button.
struct Move {
    enum Kind { Button, Axis } kind;
    int index = 0;
    int value = 0;
    bool box = false;
};
Move press(SDL_GameControllerButton b, bool box = false) { return {Move::Button, b, 1, box}; }
Move release(SDL_GameControllerButton b) { return {Move::Button, b, 0}; }
Move stick(int value, SDL_GameControllerAxis axis = SDL_CONTROLLER_AXIS_LEFTX) { return {Move::Axis, axis, value}; }

// A window that plugs in a virtual pad once it has the focus, plays one move a tick, unplugs the
// pad, checks that the loop closed it, and unloads.
struct PadForm : testing::TestForm {
    PadForm(Runtime& runtime, std::vector<Move> moves) : TestForm(runtime), m_moves(std::move(moves)) {
        tmScript.Enabled = true;
        add_timer(tmScript, [this] { step(); });
    }

    Timer tmScript{"tmScript", 50};

private:
    // Plugs the pad in, plays the moves, unplugs the pad, then checks that it was closed.
    void step() {
        SDL_Joystick* pad = SDL_JoystickFromInstanceID(m_id);
        if (m_step == 0) {
            if (SDL_GetKeyboardFocus() == nullptr && ++m_waits < 200) {
                return;
            }
            m_device = testing::plug_in_virtual_pad();
            m_id = SDL_JoystickGetDeviceInstanceID(m_device);
        } else if (m_step <= m_moves.size()) {
            EXPECT_NE(pad, nullptr) << "the loop did not open the pad plugged in: " << SDL_GetError();
            const Move& move = m_moves[m_step - 1];
            if (move.kind == Move::Button) {
                SDL_JoystickSetVirtualButton(pad, move.index, static_cast<Uint8>(move.value));
            } else {
                SDL_JoystickSetVirtualAxis(pad, move.index, static_cast<Sint16>(move.value));
            }
            if (move.box) {
                log += "box:" + runtime().input_box("Name?", "Pad", "Ann") + " ";
            }
        } else if (m_step == m_moves.size() + 1) {
            SDL_JoystickDetachVirtual(m_device);
        } else {
            EXPECT_EQ(pad, nullptr) << "the loop did not close the pad unplugged";
            Unload();
        }
        ++m_step;
    }

    std::vector<Move> m_moves;
    std::size_t m_step = 0;
    int m_device = -1, m_waits = 0;
    SDL_JoystickID m_id = -1;
};

// South and west are Ctrl, Start is S, the d-pad and the left stick the arrows; in a box south is
// OK and east Cancel, and the release of a press the box took never reaches the window.
TEST(Gamepads, PressTheGameKeysAndAnswerBoxes) {
    if (std::string_view{SDL_getenv("SDL_VIDEODRIVER")} == "offscreen") {
        GTEST_SKIP() << "no window has the focus on the offscreen driver";
    }
    const auto A = SDL_CONTROLLER_BUTTON_A, B = SDL_CONTROLLER_BUTTON_B, X = SDL_CONTROLLER_BUTTON_X, Y = SDL_CONTROLLER_BUTTON_Y;
    const auto start = SDL_CONTROLLER_BUTTON_START, up = SDL_CONTROLLER_BUTTON_DPAD_UP, left = SDL_CONTROLLER_BUTTON_DPAD_LEFT,
               right = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    // Key codes: 17 Ctrl, 83 S, 37 and 39 the left and right arrows.
    const std::vector<std::tuple<const char*, std::vector<Move>, const char*>> cases{
        {"south is Ctrl, held it fires once", {press(A), release(A)}, "+17 -17 "},
        {"west is Ctrl", {press(X), release(X)}, "+17 -17 "},
        {"both fire", {press(A), press(X), release(A), release(X)}, "+17 +17 -17 -17 "},
        {"start is S", {press(start), release(start)}, "+83 -83 "},
        {"east, north and up are nothing in the game", {press(B), press(Y), press(up), release(B), release(Y), release(up)}, ""},
        {"d-pad left and right", {press(left), release(left), press(right), release(right)}, "+37 -37 +39 -39 "},
        {"stick pushed past half, held over a quarter", {stick(-16384), stick(-8192), stick(-8191)}, "+37 -37 "},
        {"stick short of half", {stick(16383), stick(0)}, ""},
        {"stick swung across ends left first", {stick(-32768), stick(32767), stick(0)}, "+37 -37 +39 -39 "},
        {"d-pad and stick hold one key", {press(left), stick(-20000), release(left), stick(0)}, "+37 -37 "},
        {"other axes are nothing", {stick(-32768, SDL_CONTROLLER_AXIS_LEFTY), stick(-32768, SDL_CONTROLLER_AXIS_RIGHTX)}, ""},
        {"unplugged while held lets go", {press(right), press(A)}, "+39 +17 -17 -39 "},
        {"south and east in a box", {press(A, true), release(A), press(B, true), release(B)}, "box:Ann box: "},
    };
    for (const auto& [what, moves, keys] : cases) {
        SCOPED_TRACE(what);
        const testing::TestFolder folder;
        SdlRuntime runtime{folder.path()};
        PadForm form{runtime, moves};
        EXPECT_EQ(runtime.run(form), 0);
        EXPECT_EQ(form.log, keys);
    }
}

// Buttons the player bound stand for their actions in place of the defaults, and the stick moves
// the ship only beyond the dead zone the player chose, back under half of it.
TEST(Gamepads, PressTheButtonsThePlayerBound) {
    if (std::string_view{SDL_getenv("SDL_VIDEODRIVER")} == "offscreen") {
        GTEST_SKIP() << "no window has the focus on the offscreen driver";
    }
    const auto A = SDL_CONTROLLER_BUTTON_A, B = SDL_CONTROLLER_BUTTON_B, Y = SDL_CONTROLLER_BUTTON_Y,
               back = SDL_CONTROLLER_BUTTON_BACK, start = SDL_CONTROLLER_BUTTON_START,
               left = SDL_CONTROLLER_BUTTON_DPAD_LEFT, shoulder = SDL_CONTROLLER_BUTTON_LEFTSHOULDER;
    PlayerSettings settings;
    settings.buttons = {{{"back"}, {"leftshoulder", "y"}, {"rightshoulder"}, {"b"}}};
    settings.deadzone = 80;
    const std::vector<std::tuple<const char*, std::vector<Move>, const char*>> cases{
        {"east fires, south no more", {press(A), release(A), press(B), release(B)}, "+17 -17 "},
        {"back starts, start no more", {press(start), release(start), press(back), release(back)}, "+83 -83 "},
        {"two buttons hold left as one", {press(shoulder), press(Y), release(shoulder), release(Y)}, "+37 -37 "},
        {"the d-pad no more", {press(left), release(left)}, ""},
        {"stick short of 80 %", {stick(-26000), stick(0)}, ""},
        {"stick past 80 %, held over 40 %", {stick(-26300), stick(-13200), stick(-13000)}, "+37 -37 "},
    };
    for (const auto& [what, moves, keys] : cases) {
        SCOPED_TRACE(what);
        const testing::TestFolder folder;
        SdlRuntime runtime{folder.path(), settings};
        PadForm form{runtime, moves};
        EXPECT_EQ(runtime.run(form), 0);
        EXPECT_EQ(form.log, keys);
    }
}

}  // namespace
}  // namespace vex
