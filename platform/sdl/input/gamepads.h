// Game controllers as the keyboard the game reads: the buttons the player bound to the actions
// (by default the d-pad's left and right, the south and west face buttons for fire, Start) and
// the left stick left and right are the actions' keys. A pad is opened when it is plugged in and
// closed when it goes, so without one nothing is opened or read.
#pragma once

#include "platform/player_settings.h"
#include "platform/sdl/sdl_handles.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace vex {

struct KeyChange {
    std::int16_t code = 0;
    bool down = false;
    bool operator==(const KeyChange&) const = default;
};

class Gamepads {
public:
    // `buttons` are names button_named knows; `deadzone` is in percent of the stick's travel.
    explicit Gamepads(const Bindings& buttons = PlayerSettings{}.buttons, int deadzone = PlayerSettings{}.deadzone);
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Follows one event: opens and closes pads as they come and go, and returns the key presses
    // and releases it stands for. A button gives one press and one release, never a repeat; a
    // direction held on two inputs (d-pad and stick, or two pads) is one held key.
    std::vector<KeyChange> handle(const SDL_Event& event);

private:
    struct Pad {
        ControllerHandle controller;
        // The buttons held that move left and right.
        std::vector<Uint8> held_left;
        std::vector<Uint8> held_right;
        int stick = 0;  // -1 left, 0 centred, 1 right
        std::vector<std::int16_t> held_buttons;
    };

    void open(int device_index);
    // Whether any pad holds the direction (-1 left, 1 right).
    bool holds(int direction) const;
    void button(Pad& pad, Uint8 button, bool down, std::vector<KeyChange>& changes) const;
    int stick_direction(int current, int value) const;

    bool m_ready;
    // Each button's action key code.
    std::map<Uint8, std::int16_t> m_buttons;
    int m_stick_press;
    int m_stick_release;
    std::map<SDL_JoystickID, Pad> m_pads;
};

// The key a pad button stands for in a dialog: south is Enter (OK), east is Escape (Cancel).
std::optional<SDL_Keycode> dialog_key(const SDL_ControllerButtonEvent& event);

}  // namespace vex
