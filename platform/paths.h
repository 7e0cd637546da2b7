// Game paths turned into native ones.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vex {

// Joins a game path that begins with a backslash ("\sounds\pop2.wav") onto a folder.
std::filesystem::path native_path(const std::filesystem::path& folder, std::string_view game_path);

// A path from the game's UTF-8 text and back. The narrow strings of std::filesystem are in the
// system's code page on Windows, where "Zoë" would not survive; UTF-8 is what SDL and the boxes take.
std::filesystem::path path_from_utf8(std::string_view text);
std::string utf8_text(const std::filesystem::path& path);

}  // namespace vex
