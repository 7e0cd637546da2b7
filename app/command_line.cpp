#include "app/command_line.h"

#include "app/setting_text.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace vex {

namespace {

using Problem = std::optional<std::string>;

// One option: its name, the name of its value (empty when it takes none), its line in --help,
// and what it sets from its value; a value it cannot take is a problem in one line.
struct Option {
    std::string_view name;
    std::string_view value;
    std::string_view help;
    Problem (*apply)(Options&, std::string_view);
};

Problem set_scale(Options& options, std::string_view value) {
    options.scale = whole_number(value, 1, largest_scale);
    if (!options.scale) {
        return "--scale takes a whole number from 1 to " + std::to_string(largest_scale) + ", not '" +
               std::string(value) + "'";
    }
    return std::nullopt;
}

Problem set_volume(Options& options, std::string_view value) {
    options.volume = whole_number(value, 0, loudest);
    if (!options.volume) {
        return "--volume takes a whole number from 0 to " + std::to_string(loudest) + ", not '" + std::string(value) + "'";
    }
    return std::nullopt;
}

// The replay options take a file each, and only one of them goes at a time.
template <std::optional<std::string> Options::*file>
Problem set_replay_file(Options& options, std::string_view value) {
    if (options.record || options.replay || options.verify) {
        return "--record, --replay and --verify go one at a time";
    }
    if (value.empty()) {
        return "a replay option needs a file name";
    }
    options.*file = std::string(value);
    return std::nullopt;
}

constexpr std::array<Option, 9> option_table{{
    {"--help", "", "show this help and exit", [](Options& options, std::string_view) -> Problem {
         options.help = true;
         return std::nullopt;
     }},
    {"--version", "", "show the version and exit", [](Options& options, std::string_view) -> Problem {
         options.version = true;
         return std::nullopt;
     }},
    {"--scale", "N", "show each pixel as N x N (1 to 8; by default 2 on screens of 192 dpi and more)", set_scale},
    {"--fullscreen", "", "start in full screen (F11 or Alt+Enter switches)", [](Options& options, std::string_view) -> Problem {
         options.fullscreen = true;
         return std::nullopt;
     }},
    {"--volume", "N", "play the sounds at N percent of their loudness (0 to 100)", set_volume},
    {"--mute", "", "start with the sound off (M switches it on and off)", [](Options& options, std::string_view) -> Problem {
         options.mute = true;
         return std::nullopt;
     }},
    {"--record", "FILE", "play as usual and record the session in FILE", set_replay_file<&Options::record>},
    {"--replay", "FILE", "play the session recorded in FILE in the window (Escape stops it)", set_replay_file<&Options::replay>},
    {"--verify", "FILE", "replay FILE without a window and check its result (exit 0: it matches)", set_replay_file<&Options::verify>},
}};

std::string usage_name(const Option& option) {
    return std::string(option.name) + (option.value.empty() ? "" : " " + std::string(option.value));
}

}  // namespace

ParsedCommandLine parse_command_line(const std::vector<std::string_view>& arguments) {
    ParsedCommandLine parsed;
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        // A value comes as the next argument or after '=' ("--scale 2", "--scale=2").
        const std::string_view name = argument->substr(0, argument->find('='));
        const auto option = std::find_if(option_table.begin(), option_table.end(),
                                       [&](const Option& candidate) { return candidate.name == name; });
        if (option == option_table.end() || (option->value.empty() && name != *argument)) {
            parsed.error = "unknown option '" + std::string(*argument) + "'";
            return parsed;
        }
        std::string_view value;
        if (name != *argument) {
            value = argument->substr(name.size() + 1);
        } else if (!option->value.empty()) {
            if (std::next(argument) == arguments.end()) {
                parsed.error = std::string(option->name) + " needs a value (" + usage_name(*option) + ")";
                return parsed;
            }
            value = *++argument;
        }
        if (Problem problem = option->apply(parsed.options, value)) {
            parsed.error = std::move(problem);
            return parsed;
        }
    }
    return parsed;
}

PlayerSettings with_command_line(PlayerSettings settings, const Options& options) {
    if (options.scale) {
        settings.scale = options.scale;
    }
    settings.fullscreen = settings.fullscreen || options.fullscreen;
    if (options.volume) {
        settings.volume = *options.volume;
    }
    settings.mute = settings.mute || options.mute;
    return settings;
}

std::string help_text(std::string_view program) {
    std::string text = "Usage: " + std::string(program) + " [OPTION]...\n"
                       "Devi Vavaz Vexoids From Hell, a single-window arcade shooter.\n\n";
    std::size_t column = 0;
    for (const auto& option : option_table) {
        column = std::max(column, usage_name(option).size());
    }
    for (const auto& option : option_table) {
        const std::string name = usage_name(option);
        text += "  " + name + std::string(column - name.size() + 2, ' ') + std::string(option.help) + "\n";
    }
    text += "\nKeys: S starts a game, the arrows move the ship, Ctrl fires; F11 or Alt+Enter switches full\n"
            "screen; M switches the sound off and on. A gamepad plays too: d-pad or left stick moves, south or\n"
            "west button fires, Start starts.\n\n"
            "Settings: vexoids.ini in $XDG_CONFIG_HOME/vexoids, else ~/.config/vexoids (%APPDATA%\\vexoids on\n"
            "Windows), sets the volume, the keys, the pad's buttons and the window; the options above win\n"
            "over it. man 6 vexoids shows an example.\n";
    return text;
}

}  // namespace vex
