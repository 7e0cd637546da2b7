#include "platform/layout/hit_test.h"

#include "platform/layout/draw_order.h"
#include "platform/layout/geometry.h"


namespace vex {

namespace {

// A control inside a frame is seen only within the frame.
PixelRect visible_part(const Control& control, const PixelRect& rect) {
    return control.container != nullptr ? intersect(rect, frame_rect(*control.container)) : rect;
}

}  // namespace

Label* label_at(const Form& form, int x, int y, const CaptionWidth& caption_width) {
    const std::vector<Control*> order = draw_order(form);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Control* control = *it;
        if (!shown(*control)) {
            continue;
        }
        switch (control->kind()) {
        case ControlKind::Label: {
            auto* label = static_cast<Label*>(control);
            if (visible_part(*label, label_rect(*label, caption_width(*label))).contains(x, y)) {
                return label;
            }
            break;
        }
        case ControlKind::Image:
            if (visible_part(*control, image_rect(*static_cast<Image*>(control))).contains(x, y)) {
                return nullptr;
            }
            break;
        case ControlKind::Frame:
            if (frame_rect(*static_cast<Frame*>(control)).contains(x, y)) {
                return nullptr;
            }
            break;
        case ControlKind::Line:
        case ControlKind::Timer:
            break;
        }
    }
    return nullptr;
}

}  // namespace vex
