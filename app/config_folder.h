// Where the player keeps the configuration of their programs.
#pragma once

#include <filesystem>
#include <optional>

namespace vex {

// $XDG_CONFIG_HOME, else ~/.config; %APPDATA% on Windows. nullopt when the environment names none.
std::optional<std::filesystem::path> configuration_folder();

}  // namespace vex
