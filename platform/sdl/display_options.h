// How the window shows the game, as the settings file and the command line ask.
#pragma once

#include <optional>

namespace vex {

struct DisplayOptions {
    // Each pixel of the game shown as scale x scale; nullopt picks it from the display's density.
    std::optional<int> scale;
    bool fullscreen = false;
};

}  // namespace vex
