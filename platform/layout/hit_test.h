// Which label a mouse click lands on.
#pragma once

#include "platform/form.h"

#include <functional>

namespace vex {

// Width in pixels of a label's caption as drawn (used for auto-size labels).
using CaptionWidth = std::function<int(const Label&)>;

// The label under the pixel (x, y), or nullptr. The topmost shown control there takes the
// click, so a picture or a frame lying over a label hides it from the pointer.
Label* label_at(const Form& form, int x, int y, const CaptionWidth& caption_width);

}  // namespace vex
