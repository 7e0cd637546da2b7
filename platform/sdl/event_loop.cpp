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
        m_form.round(now);
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

// Each round waits for its time on the real clock, counted from the last moment the game stood
// still (a cue or a box) so that a box closed sooner than it was answered does not hurry play.
void EventLoop::run(ReplayPlayer& replay) {
    std::uint64_t anchor_tick = m_clock.tick();
    std::uint64_t anchor_round = m_form.clock().now();
    while (take_queued_events() && !replay.finished()) {
        const auto round = replay.next_round();
        SDL_Event event;
        if (round && *round > anchor_round && m_clock.tick() < anchor_tick + (*round - anchor_round)) {
            if (m_clock.wait_event_until(anchor_tick + (*round - anchor_round), event)) {
                handle(event);
            }
            continue;
        }
        m_observer.tick_started(round.value_or(replay.last_round()));
        replay.step();
        if (done()) {
            continue;
        }
        if (m_form.clock().now() > replay.last_round()) {
            anchor_tick = m_clock.tick();
            anchor_round = m_form.clock().now();
        }
        m_main.present(m_form);
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
