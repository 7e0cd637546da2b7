// The whole state of a window as text, for tests to compare: what the player sees and which
// timers run, and the window's own variables.
#pragma once

#include "platform/form.h"

#include <string>
#include <utility>
#include <vector>

namespace vex {

// One entry per property, "control.Property" and its value ("lblScore.Caption", "0"), the window's
// own first ("Form.Caption"), then every control's in control order, then the variables.
using WindowState = std::vector<std::pair<std::string, std::string>>;

WindowState window_state(const Form& form);

// Each entry of `to` whose value differs from the one in `from`, told briefly: "+Line2" shown or
// enabled, "-tmBrit" hidden or disabled, "lblScore=10" a caption, "intLevel=2" a variable of the
// window, "imgBady.Top=790" any other property.
std::vector<std::string> changes(const WindowState& from, const WindowState& to);

}  // namespace vex
