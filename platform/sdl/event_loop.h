// The game's loop: from the form's window shown until the form unloads or the window is closed.
#pragma once

#include "platform/form.h"
#include "platform/replay/replay_player.h"
#include "platform/sdl/input/gamepads.h"
#include "platform/sdl/input/input_router.h"
#include "platform/sdl/loop_observer.h"
#include "platform/sdl/main_window.h"
#include "platform/sdl/real_clock.h"

#include <SDL.h>

#include <cstdint>
#include <functional>

namespace vex {

class EventLoop {
public:
    // `quit` is set when the program is asked to quit (its window's close box, a signal), and
    // may be set by a handler's cue or box meanwhile.
    // `keys` and `toggle_mute` are the input routing's (InputRouter).
    EventLoop(Form& form, MainWindow& main, Gamepads& pads, const KeyBindings& keys, const RealClock& clock, bool& quit,
              LoopObserver& observer, std::function<void()> toggle_mute);

    // Queued input first, then the timers due, then at most one frame per tick, then sleep until
    // the next event or tick; until the form unloads or the program is asked to quit.
    void run();
    // The same, the rounds and input taken from `replay` at the pace it was recorded at, until it
    // is played to its end.
    void run(ReplayPlayer& replay);

private:
    bool done() const { return m_form.unloaded() || m_quit; }
    // Handles what is queued; returns whether the loop goes on.
    bool take_queued_events();
    void handle(const SDL_Event& event);

    Form& m_form;
    MainWindow& m_main;
    const RealClock& m_clock;
    bool& m_quit;
    LoopObserver& m_observer;
    InputRouter m_input;
};

}  // namespace vex
