// The order in which the window's controls are drawn: every control outside a frame in control
// order, then each frame followed by its own controls. Later entries lie over earlier ones.
#pragma once

#include "platform/form.h"

#include <vector>

namespace vex {

std::vector<Control*> draw_order(const Form& form);

}  // namespace vex
