// A fault that keeps the game from starting: standard error is told in one line, and where the
// game's own box cannot show it (its fonts are missing) the desktop's own box tells the player.
#pragma once

#include "platform/runtime_error.h"

#include <string>

namespace vex {

class StartFailure : public RuntimeError {
public:
    explicit StartFailure(const std::string& line, std::string desktop_box = {})
        : RuntimeError(line), m_desktop_box(std::move(desktop_box)) {}

    // The text of the desktop's box; empty when standard error says all.
    const std::string& desktop_box() const { return m_desktop_box; }

private:
    std::string m_desktop_box;
};

}  // namespace vex
