// Where the player's input goes while the game runs: F11 and Alt+Enter to the window (full screen
// on and off), other keys and pad buttons to the form as its key events, and a left click on a
// label to that label.
#pragma once

#include "platform/form.h"
#include "platform/sdl/input/gamepads.h"
#include "platform/sdl/main_window.h"

#include <SDL.h>

#include <functional>

namespace vex {

class InputRouter {
public:
    // `sync_clock` sets the form's clock to the real tick before each handler runs; `done` says
    // whether the form unloaded or the program was asked to quit, after which pads send no more.
    InputRouter(Form& form, MainWindow& main, Gamepads& pads, std::function<void()> sync_clock,
                std::function<bool()> done);

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
    std::function<void()> m_sync_clock;
    std::function<bool()> m_done;
    Label* m_pressed_label = nullptr;
    SDL_Keycode m_full_screen_key = SDLK_UNKNOWN;
};

}  // namespace vex
