// Keyboard events as the window's key handlers take them: SDL key codes become the desktop's
// virtual-key codes, SDL modifier states the Shift argument.
#pragma once

#include <cstdint>
#include <optional>

namespace vex {

// The virtual-key code of an SDL key code (SDL_Keycode), or nullopt for a key that has none.
std::optional<std::int16_t> virtual_key(std::int32_t sdl_key);

// The Shift argument of a key event from an SDL modifier state (SDL_Keymod): 1 for Shift,
// 2 for Ctrl, 4 for Alt, added up.
std::int16_t shift_state(std::uint16_t sdl_modifiers);

}  // namespace vex
