#include "app/command_line.h"

#include <algorithm>
#include <array>

namespace vex {

namespace {

// One option: its name, its line in --help, and what it sets.
struct OptionSpec {
    std::string_view name;
    std::string_view help;
    void (*apply)(Options&);
};

constexpr std::array<OptionSpec, 2> option_table{{
    {"--help", "show this help and exit", [](Options& options) { options.help = true; }},
    {"--version", "show the version and exit", [](Options& options) { options.version = true; }},
}};

}  // namespace

ParsedCommandLine parse_command_line(const std::vector<std::string_view>& arguments) {
    ParsedCommandLine parsed;
    for (const std::string_view argument : arguments) {
        const auto spec = std::find_if(option_table.begin(), option_table.end(),
                                       [&](const OptionSpec& s) { return s.name == argument; });
        if (spec == option_table.end()) {
            parsed.error = "unknown option '" + std::string(argument) + "'";
            return parsed;
        }
        spec->apply(parsed.options);
    }
    return parsed;
}

std::string help_text(std::string_view program) {
    std::string text = "Usage: " + std::string(program) + " [OPTION]...\n"
                       "Devi Vavaz Vexoids From Hell, a single-window arcade shooter.\n\n";
    std::size_t column = 0;
    for (const auto& spec : option_table) {
        column = std::max(column, spec.name.size());
    }
    for (const auto& spec : option_table) {
        text += "  " + std::string(spec.name) + std::string(column - spec.name.size() + 2, ' ') + std::string(spec.help) + "\n";
    }
    text += "\nKeys: S starts a game, the arrows move the ship, Ctrl fires.\n";
    return text;
}

}  // namespace vex
