// The player's settings file, vexoids.ini: sound, keys, pad buttons and window. The game never
// writes it. A bad entry costs only itself: it is named in one line and its default is used.
// The file is read line by line here rather than by an INI library: every bad line must be named
// with its number, which Debian's libinih does not report past the first, and libinih's sources
// are not in the Debian archive the Windows cross-build draws on.
#pragma once

#include "platform/player_settings.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// What a key or button name stands for (so that two spellings of one key are one key), or nullopt
// for a name nobody knows. The backend answers; the parser itself knows no names.
struct NameLookups {
    std::function<std::optional<int>(std::string_view)> key;
    std::function<std::optional<int>(std::string_view)> button;
};

struct SettingsRead {
    PlayerSettings settings;
    // One line each: "FILE:LINE: what is wrong; what is used instead".
    std::vector<std::string> problems;
};

// The settings `text` gives over `defaults`; `file_name` names the file in the problems.
SettingsRead parse_settings(std::string_view text, std::string_view file_name, const NameLookups& names,
                            const PlayerSettings& defaults = {});

// The settings in `file`: none when it is missing; when it is not a regular file or cannot be
// read, none and one problem naming it.
SettingsRead read_settings_file(const std::filesystem::path& file, const NameLookups& names);

// vexoids.ini in the player's configuration folder ($XDG_CONFIG_HOME/vexoids, else
// ~/.config/vexoids; %APPDATA%\vexoids on Windows); nullopt when the system names no such folder.
std::optional<std::filesystem::path> settings_file_path();

}  // namespace vex
