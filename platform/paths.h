// Game paths turned into native ones.
#pragma once

#include <filesystem>
#include <string_view>

namespace vex {

// Joins a game path that begins with a backslash ("\sounds\pop2.wav") onto a folder.
std::filesystem::path native_path(const std::filesystem::path& folder, std::string_view game_path);

}  // namespace vex
