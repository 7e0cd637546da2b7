// Where the game's data (pictures, sounds, the first scores.dat) is found at run time.
#pragma once

#include <filesystem>
#include <optional>

namespace vex {

// The folder holding the running program, as SDL reports it on every platform.
std::filesystem::path running_program_folder();

// The player's own data folder for the game ($XDG_DATA_HOME/vexoids on Linux), created when
// missing; nullopt when there is none.
std::optional<std::filesystem::path> player_data_folder();

// The data beside the program when it is there (a build folder, a copied game), otherwise the
// installed data folder, which lies at `installed_relative` from the program's folder.
std::filesystem::path find_data_folder(const std::filesystem::path& program_folder,
                                       const std::filesystem::path& installed_relative);

}  // namespace vex
