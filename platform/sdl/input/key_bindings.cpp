#include "platform/sdl/input/key_bindings.h"

#include "platform/sdl/input/key_map.h"

#include <SDL.h>

#include <algorithm>
#include <string>

namespace vex {

std::optional<int> key_named(std::string_view name) {
    const SDL_Keycode key = SDL_GetKeyFromName(std::string(name).c_str());
    return key == SDLK_UNKNOWN ? std::nullopt : std::optional<int>(key);
}

std::optional<int> button_named(std::string_view name) {
    const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(std::string(name).c_str());
    return button == SDL_CONTROLLER_BUTTON_INVALID ? std::nullopt : std::optional<int>(button);
}

KeyBindings::KeyBindings(const Bindings& keys) {
    for (std::size_t action = 0; action < actions.size(); ++action) {
        for (const auto& name : keys[action]) {
            if (const auto key = key_named(name)) {
                // A key named twice keeps its first action.
                m_bound.try_emplace(*key, actions[action].code);
            }
        }
    }
}

std::optional<std::int16_t> KeyBindings::code(std::int32_t key) const {
    if (const auto found = m_bound.find(key); found != m_bound.end()) {
        return found->second;
    }
    const auto own = virtual_key(key);
    if (own && std::ranges::any_of(actions, [&](const Action& action) { return action.code == *own; })) {
        return std::nullopt;
    }
    return own;
}

}  // namespace vex
