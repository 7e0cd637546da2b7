#include "platform/tick_clock.h"

#include <algorithm>
#include <cmath>

namespace vex {

std::uint64_t TickClock::ticks_for_ms(double ms) {
    return std::max<std::uint64_t>(1, static_cast<std::uint64_t>(std::ceil(ms / tick_ms)));
}

}  // namespace vex
