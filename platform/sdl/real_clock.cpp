#include "platform/sdl/real_clock.h"

#include "platform/tick_clock.h"

#include <chrono>
#include <thread>

namespace vex {

std::uint64_t RealClock::tick() const {
    return (SDL_GetPerformanceCounter() - m_start) * TickClock::ticks_per_second / SDL_GetPerformanceFrequency();
}

bool RealClock::wait_event_until(std::uint64_t tick, SDL_Event& event) const {
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 begins = m_start + (tick * frequency + TickClock::ticks_per_second - 1) / TickClock::ticks_per_second;
    const auto ns_left = [&] {
        const Uint64 now = SDL_GetPerformanceCounter();
        return begins > now ? (begins - now) * 1'000'000'000U / frequency : 0;
    };
    if (const Uint64 whole_ms = ns_left() / 1'000'000U;
        whole_ms > 0 && SDL_WaitEventTimeout(&event, static_cast<int>(whole_ms)) != 0) {
        return true;
    }
    std::this_thread::sleep_for(std::chrono::nanoseconds(ns_left()));
    return false;
}

}  // namespace vex
