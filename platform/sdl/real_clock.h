// The game's 64 Hz clock on the real time, counted from its start.
#pragma once

#include "platform/form.h"

#include <SDL.h>

#include <cstdint>

namespace vex {

class RealClock {
public:
    // Starts counting now.
    void start() { m_start = SDL_GetPerformanceCounter(); }
    // The tick the real time has reached.
    std::uint64_t tick() const;
    // Sets the form's clock to the real tick and returns it, as every handler expects to find it:
    // when the form starts and again after a sound or a box held it, so a timer it enables next
    // starts from there.
    std::uint64_t sync(Form& form) const {
        const std::uint64_t now = tick();
        form.clock().set(now);
        return now;
    }
    // Waits for an event until tick `tick` begins: in whole milliseconds through SDL, then the
    // rest asleep to the nanosecond, so ticks keep their pace without the wait ever spinning.
    // Returns true with `event` filled when one came.
    bool wait_event_until(std::uint64_t tick, SDL_Event& event) const;

private:
    Uint64 m_start = 0;
};

}  // namespace vex
