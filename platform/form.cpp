#include "platform/form.h"

namespace vex {

void Form::add(Control& control, Frame* container) {
    control.container = container;
    if (control.kind() == ControlKind::Timer) {
        static_cast<Timer&>(control).attach(m_clock);
    }
    m_controls.push_back(&control);
}

void Form::raise_timers(std::uint64_t now) {
    for (Control* control : m_controls) {
        if (m_unloaded) {
            return;
        }
        if (control->kind() == ControlKind::Timer) {
            static_cast<Timer*>(control)->raise_if_due(now);
        }
    }
}

}  // namespace vex
