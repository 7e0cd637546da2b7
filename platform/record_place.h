// Where the record file is kept: beside the program when it can be written there (a game built
// or copied into a folder of its own), else in the player's own data folder (an installed game).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

namespace vex {

// Whether the record in `folder` can be written: replaced (the folder is writable) or rewritten
// in place (the file is).
bool record_writable_in(const std::filesystem::path& folder);

// `program_folder` when `writable`; otherwise the folder `player_folder` gives, where a first
// record is copied byte for byte from the program folder's scores.dat when the player has none
// yet (an empty file counts as none), whole or not at all and with the player's own mode. When
// the player has no data folder either, the program folder.
std::filesystem::path choose_record_folder(const std::filesystem::path& program_folder, bool writable,
                                           const std::function<std::optional<std::filesystem::path>()>& player_folder);

}  // namespace vex
