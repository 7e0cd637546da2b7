// A pad as the game's keys, driven through SDL's virtual joystick: what it presses and releases.
#include "platform/key_codes.h"
#include "platform/sdl/gamepads.h"
#include "tests/support/virtual_pad.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

// One move on the pad: a button to 0/1, the left or right stick's x or the left stick's y to a
// value, or unplugging it.
struct Move {
    enum Kind { Button, Axis, Unplug } kind;
    int index = 0;
    int value = 0;
};
Move press(SDL_GameControllerButton b) { return {Move::Button, b, 1}; }
Move release(SDL_GameControllerButton b) { return {Move::Button, b, 0}; }
Move stick(int value, SDL_GameControllerAxis axis = SDL_CONTROLLER_AXIS_LEFTX) { return {Move::Axis, axis, value}; }

std::string text(const std::vector<KeyChange>& changes) {
    std::string out;
    for (const KeyChange& change : changes) {
        out += (change.down ? "+" : "-") + std::to_string(change.code) + " ";
    }
    return out;
}

// Plugs in a virtual pad, plays the moves with an update between them, and returns the keys.
std::string keys_for(const std::vector<Move>& moves) {
    Gamepads pads;
    const int device = testing::plug_in_virtual_pad();
    EXPECT_GE(device, 0) << SDL_GetError();
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
    std::vector<KeyChange> changes;
    const auto update = [&] {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            for (const KeyChange& change : pads.handle(event)) {
                changes.push_back(change);
            }
        }
    };
    update();
    SDL_Joystick* joystick = SDL_JoystickFromInstanceID(id);
    EXPECT_NE(joystick, nullptr) << "the pad was not opened when plugged in";
    bool plugged = true;
    for (const Move& move : moves) {
        if (move.kind == Move::Button) {
            SDL_JoystickSetVirtualButton(joystick, move.index, static_cast<Uint8>(move.value));
        } else if (move.kind == Move::Axis) {
            SDL_JoystickSetVirtualAxis(joystick, move.index, static_cast<Sint16>(move.value));
        } else {
            SDL_JoystickDetachVirtual(device);
            plugged = false;
        }
        update();
        update();  // a held input stays quiet
    }
    if (plugged) {
        SDL_JoystickDetachVirtual(device);
    }
    update();
    EXPECT_EQ(SDL_JoystickFromInstanceID(id), nullptr) << "the pad was not closed when unplugged";
    return text(changes);
}

TEST(Gamepads, ButtonsAndDirectionsAreTheGameKeys) {
    using K = std::vector<Move>;
    const auto A = SDL_CONTROLLER_BUTTON_A, B = SDL_CONTROLLER_BUTTON_B, X = SDL_CONTROLLER_BUTTON_X,
               Y = SDL_CONTROLLER_BUTTON_Y, start = SDL_CONTROLLER_BUTTON_START,
               left = SDL_CONTROLLER_BUTTON_DPAD_LEFT, right = SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
               up = SDL_CONTROLLER_BUTTON_DPAD_UP;
    const std::string ctrl = std::to_string(keys::control), s = std::to_string(keys::s),
                      l = std::to_string(keys::left), r = std::to_string(keys::right);
    const struct {
        const char* name;
        K moves;
        std::string keys;
    } cases[] = {
        {"south is Ctrl, held it fires once", {press(A), release(A)}, "+" + ctrl + " -" + ctrl + " "},
        {"west is Ctrl", {press(X), release(X)}, "+" + ctrl + " -" + ctrl + " "},
        {"both fire", {press(A), press(X), release(A), release(X)}, "+" + ctrl + " +" + ctrl + " -" + ctrl + " -" + ctrl + " "},
        {"start is S", {press(start), release(start)}, "+" + s + " -" + s + " "},
        {"east, north and up are nothing in the game", {press(B), press(Y), press(up), release(B), release(Y), release(up)}, ""},
        {"d-pad left and right", {press(left), release(left), press(right), release(right)},
         "+" + l + " -" + l + " +" + r + " -" + r + " "},
        {"stick pushed past half, held over a quarter", {stick(-16384), stick(-8192), stick(-8191)}, "+" + l + " -" + l + " "},
        {"stick short of half", {stick(16383), stick(0)}, ""},
        {"stick swung across ends left first", {stick(-32768), stick(32767), stick(0)}, "+" + l + " -" + l + " +" + r + " -" + r + " "},
        {"d-pad and stick hold one key", {press(left), stick(-20000), release(left), stick(0)}, "+" + l + " -" + l + " "},
        {"other axes are nothing", {stick(-32768, SDL_CONTROLLER_AXIS_LEFTY), stick(-32768, SDL_CONTROLLER_AXIS_RIGHTX)}, ""},
        {"unplugged while held lets go", {press(right), press(A), {Move::Unplug}}, "+" + r + " +" + ctrl + " -" + ctrl + " -" + r + " "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keys_for(c.moves), c.keys) << c.name;
    }
}

}  // namespace
}  // namespace vex
