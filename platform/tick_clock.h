// The one clock that drives every timer: 64 ticks a second, the classic desktop timer
// resolution the game's speeds were tuned to.
#pragma once

#include <cstdint>

namespace vex {

class TickClock {
public:
    static constexpr int ticks_per_second = 64;
    static constexpr double tick_ms = 1000.0 / ticks_per_second;

    std::uint64_t now() const { return m_now; }
    void set(std::uint64_t tick) { m_now = tick; }
    void advance(std::uint64_t ticks) { m_now += ticks; }

    // Whole ticks that cover `ms` milliseconds (rounded up, at least one).
    static std::uint64_t ticks_for_ms(double ms);

private:
    std::uint64_t m_now = 0;
};

}  // namespace vex
