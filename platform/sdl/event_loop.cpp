#include "platform/sdl/event_loop.h"

#include <limits>
#include <utility>

namespace vex {

EventLoop::EventLoop(Form& form, MainWindow& main, Gamepads& pads, const KeyBindings& keys, const RealClock& clock,
                     bool& quit, LoopObserver& observer, std::function<void()> toggle_mute)
    : m_form(form),
      m_main(main),
      m_clock(clock),
      m_quit(quit),
      m_observer(observer),
      m_input(form, main, pads, keys, [this] { m_clock.sync(m_form); }, [this] { return done(); }, std::move(toggle_mute)) {}

void EventLoop::run() {
    std::uint64_t presented = std::numeric_limits<std::uint64_t>::max();
    while (take_queued_events()) {
        const std::uint64_t now = m_clock.sync(m_form);
        const bool new_tick = now != presented;
        if (new_tick) {
            m_observer.tick_started(now);
        }
        m_form.raise_timers(now);
        if (done()) {
            continue;
        }
        if (new_tick) {
            m_main.present(m_form);
            presented = now;
        }
        SDL_Event event;
        if (m_clock.wait_event_until(now + 1, event)) {
            handle(event);
        }
    }
}

bool EventLoop::take_queued_events() {
    SDL_Event event;
    while (!done() && SDL_PollEvent(&event) != 0) {
        handle(event);
    }
    return !done();
}

void EventLoop::handle(const SDL_Event& event) {
    m_observer.event_taken(event);
    if (event.type == SDL_QUIT) {
        m_quit = true;
    } else if (event.type == SDL_WINDOWEVENT) {
        if (m_main.is(event.window.windowID) && event.window.event == SDL_WINDOWEVENT_CLOSE) {
            m_quit = true;
        } else if (m_main.is(event.window.windowID)) {
            m_main.window_event(event.window, m_form);
        }
    } else {
        m_input.route(event);
    }
}

}  // namespace vex
