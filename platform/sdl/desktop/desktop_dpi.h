// The text size a desktop asks applications for, as dots per inch: the player's own choice of
// how large things are, where the screen's physical size only guesses at it.
#pragma once

#include <optional>

namespace vex {

// On the X11 display SDL uses (DISPLAY): the settings daemon's "Xft/DPI" while one runs, else
// the "Xft.dpi" resource (as `xrdb` sets it); nothing when neither is set.
std::optional<float> x11_desktop_dpi();

}  // namespace vex
