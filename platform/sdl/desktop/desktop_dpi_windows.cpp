#include "platform/sdl/desktop/desktop_dpi.h"

namespace vex {

// Windows has no X11 display. The program is aware of each monitor's DPI (its manifest says so),
// so SDL reports the monitor's own scale setting as its DPI, and that is what the window follows.
std::optional<float> x11_desktop_dpi() { return std::nullopt; }

}  // namespace vex
