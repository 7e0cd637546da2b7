#include "platform/sdl/input/key_map.h"

#include <SDL.h>

#include <array>
#include <utility>

namespace vex {

namespace {

using KeyPair = std::pair<SDL_Keycode, std::int16_t>;

constexpr std::array named_keys{
    KeyPair{SDLK_BACKSPACE, 8},     KeyPair{SDLK_TAB, 9},          KeyPair{SDLK_RETURN, 13},
    KeyPair{SDLK_KP_ENTER, 13},     KeyPair{SDLK_LSHIFT, 16},      KeyPair{SDLK_RSHIFT, 16},
    KeyPair{SDLK_LCTRL, 17},        KeyPair{SDLK_RCTRL, 17},       KeyPair{SDLK_LALT, 18},
    KeyPair{SDLK_RALT, 18},         KeyPair{SDLK_PAUSE, 19},       KeyPair{SDLK_CAPSLOCK, 20},
    KeyPair{SDLK_ESCAPE, 27},       KeyPair{SDLK_SPACE, 32},       KeyPair{SDLK_PAGEUP, 33},
    KeyPair{SDLK_PAGEDOWN, 34},     KeyPair{SDLK_END, 35},         KeyPair{SDLK_HOME, 36},
    KeyPair{SDLK_LEFT, 37},         KeyPair{SDLK_UP, 38},          KeyPair{SDLK_RIGHT, 39},
    KeyPair{SDLK_DOWN, 40},         KeyPair{SDLK_INSERT, 45},      KeyPair{SDLK_DELETE, 46},
    KeyPair{SDLK_KP_MULTIPLY, 106}, KeyPair{SDLK_KP_PLUS, 107},    KeyPair{SDLK_KP_MINUS, 109},
    KeyPair{SDLK_KP_PERIOD, 110},   KeyPair{SDLK_KP_DIVIDE, 111},  KeyPair{SDLK_NUMLOCKCLEAR, 144},
    KeyPair{SDLK_SCROLLLOCK, 145},  KeyPair{SDLK_SEMICOLON, 186},  KeyPair{SDLK_EQUALS, 187},
    KeyPair{SDLK_COMMA, 188},       KeyPair{SDLK_MINUS, 189},      KeyPair{SDLK_PERIOD, 190},
    KeyPair{SDLK_SLASH, 191},       KeyPair{SDLK_BACKQUOTE, 192},  KeyPair{SDLK_LEFTBRACKET, 219},
    KeyPair{SDLK_BACKSLASH, 220},   KeyPair{SDLK_RIGHTBRACKET, 221}, KeyPair{SDLK_QUOTE, 222},
    KeyPair{SDLK_KP_0, 96},
};

// Keys that come in runs: letters, digits, keypad digits 1..9 and function keys.
struct KeyRun {
    SDL_Keycode first;
    SDL_Keycode last;
    std::int16_t first_code;
};

constexpr std::array key_runs{
    KeyRun{SDLK_a, SDLK_z, 65},
    KeyRun{SDLK_0, SDLK_9, 48},
    KeyRun{SDLK_KP_1, SDLK_KP_9, 97},
    KeyRun{SDLK_F1, SDLK_F12, 112},
    KeyRun{SDLK_F13, SDLK_F24, 124},
};

}  // namespace

std::optional<std::int16_t> virtual_key(std::int32_t sdl_key) {
    for (const KeyRun& run : key_runs) {
        if (sdl_key >= run.first && sdl_key <= run.last) {
            return static_cast<std::int16_t>(run.first_code + (sdl_key - run.first));
        }
    }
    for (const auto& [key, code] : named_keys) {
        if (key == sdl_key) {
            return code;
        }
    }
    return std::nullopt;
}

std::int16_t shift_state(std::uint16_t sdl_modifiers) {
    std::int16_t state = 0;
    if ((sdl_modifiers & KMOD_SHIFT) != 0) {
        state |= 1;
    }
    if ((sdl_modifiers & KMOD_CTRL) != 0) {
        state |= 2;
    }
    if ((sdl_modifiers & KMOD_ALT) != 0) {
        state |= 4;
    }
    return state;
}

}  // namespace vex
