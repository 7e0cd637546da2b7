// How the level is shown on the scoreboard and in the window caption.
#pragma once

#include <cstdint>
#include <string>

namespace vex {

inline std::string level_label_text(std::int16_t level) { return "LEVEL: " + std::to_string(level); }

inline std::string level_window_caption(std::int16_t level) { return "Devi Vavaz Vexoids - LEVEL" + std::to_string(level); }

}  // namespace vex
