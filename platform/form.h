// A window: its caption, its controls in control order, its load and key events. The game's
// window derives from it; a backend shows it and feeds it events and clock ticks.
#pragma once

#include "platform/control.h"
#include "platform/runtime.h"
#include "platform/tick_clock.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vex {

// Told everything the player and the clock give the form, before the form acts on it: what a
// replay needs besides the runtime's own answers.
class InputJournal {
public:
    virtual ~InputJournal() = default;
    virtual void loaded(std::uint64_t clock) = 0;
    virtual void round(std::uint64_t now) = 0;
    virtual void key(bool down, std::int16_t code, std::int16_t shift, std::uint64_t clock) = 0;
    virtual void click(const std::string& label, std::uint64_t clock) = 0;
};

class Form {
public:
    explicit Form(Runtime& runtime) : m_runtime(runtime) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string Caption;

    // Raised once, before the window is first shown.
    virtual void Form_Load() {}
    virtual void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) = 0;
    virtual void Form_KeyUp(std::int16_t KeyCode, std::int16_t Shift) = 0;

    // Client area in twips.
    virtual float client_width() const = 0;
    virtual float client_height() const = 0;
    // Picture file of the window icon, relative to the program folder.
    virtual std::string icon() const = 0;
    // The window's own variables by name, for a record of its whole state.
    virtual std::vector<std::pair<std::string, double>> variables() const { return {}; }

    // Every control, in the window's control order: timers due on the same tick are raised in it,
    // and the window is drawn from it (draw_order.h).
    const std::vector<Control*>& controls() const { return m_controls; }

    // Closes the window; the program ends once the current handler returns.
    void Unload() { m_unloaded = true; }
    bool unloaded() const { return m_unloaded; }

    TickClock& clock() { return m_clock; }
    // One round of the clock: raises every timer due at `now`, in control order.
    void raise_timers(std::uint64_t now);

    // The entry points a backend feeds: each tells the journal, then raises the event. While a
    // replay plays, the player's keys and clicks are not the game's: Escape unloads the form
    // (the replay stops) and everything else is dropped.
    void load();
    void round(std::uint64_t now);
    void key_down(std::int16_t code, std::int16_t shift);
    void key_up(std::int16_t code, std::int16_t shift);
    void click(Label& label);
    void set_journal(InputJournal* journal) { m_journal = journal; }
    void set_replaying(bool replaying) { m_replaying = replaying; }

    Runtime& runtime() { return m_runtime; }

protected:
    // Adopts a control as the next in control order.
    void add(Control& control, Frame* container = nullptr);

private:
    Runtime& m_runtime;
    std::vector<Control*> m_controls;
    TickClock m_clock;
    bool m_unloaded = false;
    InputJournal* m_journal = nullptr;
    bool m_replaying = false;
};

}  // namespace vex
