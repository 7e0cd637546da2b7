#include "platform/form.h"

#include "platform/key_codes.h"

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

void Form::load() {
    if (m_journal != nullptr) {
        m_journal->loaded(m_clock.now());
    }
    Form_Load();
}

void Form::round(std::uint64_t now) {
    m_clock.set(now);
    if (m_journal != nullptr) {
        m_journal->round(now);
    }
    raise_timers(now);
}

void Form::key_down(std::int16_t code, std::int16_t shift) {
    if (m_replaying) {
        if (code == keys::escape) {
            Unload();
        }
        return;
    }
    if (m_journal != nullptr) {
        m_journal->key(true, code, shift, m_clock.now());
    }
    Form_KeyDown(code, shift);
}

void Form::key_up(std::int16_t code, std::int16_t shift) {
    if (m_replaying) {
        return;
    }
    if (m_journal != nullptr) {
        m_journal->key(false, code, shift, m_clock.now());
    }
    Form_KeyUp(code, shift);
}

void Form::click(Label& label) {
    if (m_replaying || !label.Click) {
        return;
    }
    if (m_journal != nullptr) {
        m_journal->click(label.name(), m_clock.now());
    }
    label.Click();
}

}  // namespace vex
