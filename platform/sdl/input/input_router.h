// Where the player's input goes while the game runs: F11 and Alt+Enter to the window (full screen
// on and off), M to the sound (off and on) unless the player bound it, other keys, as the player
// bound them, and pad buttons to the form as its key events, and a left click on a label to that
// label.
#pragma once

#include "platform/form.h"
#include "platform/sdl/input/gamepads.h"
#include "platform/sdl/input/key_bindings.h"
#include "platform/sdl/main_window.h"

#include <SDL.h>

#include <functional>

namespace vex {

class InputRouter {
public:
    // `sync_clock` sets the form's clock to the real tick before each handler runs; `done` says
    // whether the form unloaded or the program was asked to quit, after which pads send no more;
    // `toggle_mute` switches the sound off and on.
    InputRouter(Form& form, MainWindow& main, Gamepads& pads, const KeyBindings& keys, std::function<void()> sync_clock,
                std::function<bool()> done, std::function<void()> toggle_mute);

    // Keys and clicks in the game's window, and whatever the pads make of any other event.
    void route(const SDL_Event& event);

private:
    void key(const SDL_KeyboardEvent& event);
    void send_key(std::int16_t code, bool down, std::int16_t shift);
    // A click is a press and a release on the same label.
    void mouse_button(const SDL_MouseButtonEvent& event);

    Form& m_form;
    MainWindow& m_main;
    Gamepads& m_pads;
    const KeyBindings& m_keys;
    std::function<void()> m_sync_clock;
    std::function<bool()> m_done;
    std::function<void()> m_toggle_mute;
    Label* m_pressed_label = nullptr;
    SDL_Keycode m_full_screen_key = SDLK_UNKNOWN;
};

}  // namespace vex
