#include "platform/layout/hit_test.h"

#include "platform/layout/draw_order.h"
#include "platform/layout/geometry.h"

#include <utility>

namespace vex {

Label* label_at(const Form& form, int x, int y, const CaptionWidth& caption_width) {
    // What a control covers of the window, and the label it is when it is one. Lines and timers
    // cover nothing.
    using Cover = std::pair<PixelRect, Label*>;
    const auto cover_of = Overloaded{[&](Label& label) { return Cover{label_rect(label, caption_width(label)), &label}; },
                                     [](Placed& placed) { return Cover{rect_of(placed), nullptr}; },
                                     [](Control&) { return Cover{}; }};
    const std::vector<Control*> order = draw_order(form);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (!shown(**it)) {
            continue;
        }
        const auto [rect, label] = visit_control(**it, cover_of);
        if (within_frame(**it, rect).contains(x, y)) {
            return label;
        }
    }
    return nullptr;
}

}  // namespace vex
