#include "platform/sdl/input/gamepads.h"

#include "platform/key_codes.h"
#include "platform/sdl/input/key_bindings.h"

#include <algorithm>

namespace vex {

namespace {

constexpr int stick_travel = 32768;

}  // namespace

// The stick counts as pushed beyond the dead zone and as back once under half of it, so a stick
// resting near the threshold does not chatter.
Gamepads::Gamepads(const Bindings& buttons, int deadzone)
    : m_ready(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0),
      m_stick_press(stick_travel * deadzone / 100),
      m_stick_release(m_stick_press / 2) {
    for (std::size_t action = 0; action < actions.size(); ++action) {
        for (const auto& name : buttons[action]) {
            if (const auto found = button_named(name)) {
                // A button named twice keeps its first action.
                m_buttons.try_emplace(static_cast<Uint8>(*found), actions[action].code);
            }
        }
    }
}

int Gamepads::stick_direction(int current, int value) const {
    if (value >= m_stick_press || (current == 1 && value >= m_stick_release)) {
        return 1;
    }
    if (value <= -m_stick_press || (current == -1 && value <= -m_stick_release)) {
        return -1;
    }
    return 0;
}

Gamepads::~Gamepads() {
    m_pads.clear();
    if (m_ready) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void Gamepads::open(int device_index) {
    ControllerHandle controller(SDL_GameControllerOpen(device_index));
    if (controller) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller.get()));
        Pad pad;
        pad.controller = std::move(controller);
        m_pads.try_emplace(id, std::move(pad));
    }
}

bool Gamepads::holds(int direction) const {
    return std::ranges::any_of(m_pads, [direction](const auto& item) {
        const Pad& pad = item.second;
        return pad.stick == direction || !(direction < 0 ? pad.held_left : pad.held_right).empty();
    });
}

std::vector<KeyChange> Gamepads::handle(const SDL_Event& event) {
    const bool left_before = holds(-1);
    const bool right_before = holds(1);
    std::vector<KeyChange> changes;
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        open(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (const auto found = m_pads.find(event.cdevice.which); found != m_pads.end()) {
            for (const std::int16_t code : found->second.held_buttons) {
                changes.push_back({code, false});
            }
            m_pads.erase(found);
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (const auto found = m_pads.find(event.cbutton.which); found != m_pads.end()) {
            button(found->second, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN, changes);
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (const auto found = m_pads.find(event.caxis.which);
            found != m_pads.end() && event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
            found->second.stick = stick_direction(found->second.stick, event.caxis.value);
        }
        break;
    default:
        break;
    }
    // Releases before presses, so a stick swung across ends one direction before the other.
    const bool left = holds(-1);
    const bool right = holds(1);
    for (const bool down : {false, true}) {
        if (left != left_before && left == down) {
            changes.push_back({keys::left, down});
        }
        if (right != right_before && right == down) {
            changes.push_back({keys::right, down});
        }
    }
    return changes;
}

void Gamepads::button(Pad& pad, Uint8 button, bool down, std::vector<KeyChange>& changes) const {
    const auto bound = m_buttons.find(button);
    if (bound == m_buttons.end()) {
        return;
    }
    const std::int16_t code = bound->second;
    if (code == keys::left || code == keys::right) {
        auto& held = code == keys::left ? pad.held_left : pad.held_right;
        std::erase(held, button);
        if (down) {
            held.push_back(button);
        }
        return;
    }
    // A release is passed on only after its press was, not after a press a box took.
    const auto held = std::ranges::find(pad.held_buttons, code);
    if (down) {
        pad.held_buttons.push_back(code);
        changes.push_back({code, true});
    } else if (held != pad.held_buttons.end()) {
        pad.held_buttons.erase(held);
        changes.push_back({code, false});
    }
}

std::optional<SDL_Keycode> dialog_key(const SDL_ControllerButtonEvent& event) {
    if (event.type != SDL_CONTROLLERBUTTONDOWN) {
        return std::nullopt;
    }
    switch (event.button) {
    case SDL_CONTROLLER_BUTTON_A:
        return SDLK_RETURN;
    case SDL_CONTROLLER_BUTTON_B:
        return SDLK_ESCAPE;
    default:
        return std::nullopt;
    }
}

}  // namespace vex
