// What the player chose for how they reach the game's keys and hear its cues: the settings
// file's value, after the command line. None of it changes what the game does with a key.
#pragma once

#include "platform/key_codes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// The game's actions, each reached by the key code the game has always read for it.
struct Action {
    std::string_view name;
    std::int16_t code;
};

constexpr std::array<Action, 4> actions{{
    {"start", keys::s},
    {"left", keys::left},
    {"right", keys::right},
    {"fire", keys::control},
}};

// For each action in the order of `actions`, the names that reach it.
using Bindings = std::array<std::vector<std::string>, actions.size()>;

constexpr int largest_scale = 8;
constexpr int loudest = 100;
constexpr int smallest_deadzone = 5;
constexpr int largest_deadzone = 95;

struct PlayerSettings {
    // Key names as SDL names them.
    Bindings keys{{{"S"}, {"Left"}, {"Right"}, {"Left Ctrl", "Right Ctrl"}}};
    // Game-controller button names as SDL names them.
    Bindings buttons{{{"start"}, {"dpleft"}, {"dpright"}, {"a", "x"}}};
    // How far the left stick is pushed, in percent of its travel, before it moves the ship.
    int deadzone = 50;
    int volume = loudest;
    bool mute = false;
    // Each pixel shown as scale x scale; nullopt: chosen from the screen's density.
    std::optional<int> scale;
    bool fullscreen = false;
};

}  // namespace vex
