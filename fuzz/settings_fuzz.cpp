// The settings file from any bytes: every value the parser gives is within its range, every key
// and button name one the lookup knows, and every problem one line naming the file.
#include "app/settings_file.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 6> known{"S", "Left", "Right", "Space", "a", "x"};

std::optional<int> lookup(std::string_view name) {
    for (std::size_t i = 0; i < known.size(); ++i) {
        if (known[i] == name) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

// Names the fuzzer can reach, and the defaults' too, so that clashes are found.
std::optional<int> key(std::string_view name) {
    return name == "Left Ctrl" ? std::optional(10) : name == "Right Ctrl" ? std::optional(11) : lookup(name);
}
std::optional<int> button(std::string_view name) {
    return name == "start" ? std::optional(20) : name == "dpleft" ? std::optional(21) : name == "dpright" ? std::optional(22) : lookup(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vex::SettingsRead read = vex::parse_settings(text, "vexoids.ini", {key, button});
    const vex::PlayerSettings& settings = read.settings;
    if (settings.volume < 0 || settings.volume > vex::loudest || settings.deadzone < vex::smallest_deadzone ||
        settings.deadzone > vex::largest_deadzone || (settings.scale && (*settings.scale < 1 || *settings.scale > vex::largest_scale))) {
        std::abort();
    }
    for (const auto* bindings : {&settings.keys, &settings.buttons}) {
        for (const auto& names : *bindings) {
            for (const auto& name : names) {
                if (!(bindings == &settings.keys ? key(name) : button(name))) {
                    std::abort();
                }
            }
        }
    }
    for (const auto& problem : read.problems) {
        if (!problem.starts_with("vexoids.ini:") || problem.find('\n') != std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
