// The program's command line: a table of options, parsed before any window opens. Started with
// no options the game runs as it always has; no option changes the rules of play.
#pragma once

#include "platform/player_settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// What the command line asked for.
struct Options {
    bool help = false;
    bool version = false;
    // Each pixel of the window shown as scale x scale; nullopt: chosen from the screen's density.
    std::optional<int> scale;
    bool fullscreen = false;
    // 0 to 100; nullopt: as the settings file says.
    std::optional<int> volume;
    bool mute = false;
    // At most one of the replay options: a file to record the session to, to play in the window,
    // or to verify headless.
    std::optional<std::string> record;
    std::optional<std::string> replay;
    std::optional<std::string> verify;
};

// Either the options, or a one-line reason why the command line was refused.
struct ParsedCommandLine {
    Options options;
    std::optional<std::string> error;
};

// `arguments` excludes the program name.
ParsedCommandLine parse_command_line(const std::vector<std::string_view>& arguments);

// The settings with what the command line asked for put over them: the command line wins.
PlayerSettings with_command_line(PlayerSettings settings, const Options& options);

// The text printed by --help, one line per option of the table.
std::string help_text(std::string_view program);

}  // namespace vex
