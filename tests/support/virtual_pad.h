// A pad with every standard button and axis, plugged in through SDL's virtual joystick; for the
// tests and benchmarks that play a pad without one at hand.
#pragma once

#include <SDL.h>

namespace vex::testing {

// Plugs the pad in, the joystick subsystem being up; returns its device index, or -1
// (SDL_GetError says why).
inline int plug_in_virtual_pad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1U << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1U << SDL_CONTROLLER_AXIS_MAX) - 1;
    return SDL_JoystickAttachVirtualEx(&desc);
}

}  // namespace vex::testing
