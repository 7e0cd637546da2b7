#include "platform/layout/draw_order.h"

namespace vex {

std::vector<Control*> draw_order(const Form& form) {
    std::vector<Control*> order;
    order.reserve(form.controls().size());
    for (Control* control : form.controls()) {
        if (control->kind() != ControlKind::Frame && control->container == nullptr) {
            order.push_back(control);
        }
    }
    for (Control* frame : form.controls()) {
        if (frame->kind() != ControlKind::Frame) {
            continue;
        }
        order.push_back(frame);
        for (Control* child : form.controls()) {
            if (child->container == frame) {
                order.push_back(child);
            }
        }
    }
    return order;
}

}  // namespace vex
