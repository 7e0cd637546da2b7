#include "platform/control.h"

#include "platform/tick_clock.h"

namespace vex {

std::uint64_t Timer::period_ticks() const { return TickClock::ticks_for_ms(m_interval_ms); }

void Timer::set_enabled(bool on) {
    if (on && !m_enabled) {
        m_due_tick = (m_clock != nullptr ? m_clock->now() : 0) + period_ticks();
    }
    m_enabled = on;
}

void Timer::raise_if_due(std::uint64_t now) {
    if (!m_enabled || m_due_tick > now) {
        return;
    }
    m_due_tick = now + period_ticks();
    if (on_timer) {
        on_timer();
    }
}

bool shown(const Control& control) {
    const bool visible = visit_control(
        control, Overloaded{[](const Drawn& drawn) { return drawn.Visible; }, [](const Timer&) { return false; }});
    return visible && (control.container == nullptr || shown(*control.container));
}

}  // namespace vex
