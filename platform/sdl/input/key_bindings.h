// The player's keys for the game's actions. A bound key reaches the form as the code the game has
// always read for its action (fire as Ctrl whatever key it is), so the game never learns which.
#pragma once

#include "platform/player_settings.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

namespace vex {

// The SDL key code of a key name ("Left Ctrl", "Space", "a"), any case; nullopt for no key.
std::optional<int> key_named(std::string_view name);
// The SDL game-controller button of a button name ("a", "dpleft", "start"); nullopt for none.
std::optional<int> button_named(std::string_view name);

class KeyBindings {
public:
    // `keys` are names key_named knows.
    explicit KeyBindings(const Bindings& keys = PlayerSettings{}.keys);

    // The code the form receives for an SDL key: a bound key its action's; any other key its
    // own desktop code, unless that is an action's (a key the player moved away from); else nullopt.
    // `key` is an SDL_Keycode.
    std::optional<std::int16_t> code(std::int32_t key) const;
    bool bound(std::int32_t key) const { return m_bound.contains(key); }

private:
    std::map<std::int32_t, std::int16_t> m_bound;
};

}  // namespace vex
