// When an attacker reaches the ship.
#pragma once

#include "platform/control.h"

namespace vex {

// The two overlap vertically and the ship's left edge lies strictly inside the attacker's span.
// Only that edge counts: an attacker covering just the rest of the ship does not reach it.
inline bool reaches_ship(const Image& attacker, const Image& ship) {
    return attacker.Top + attacker.Height > ship.Top && ship.Top + ship.Height > attacker.Top &&
           ship.Left > attacker.Left && attacker.Left + attacker.Width > ship.Left;
}

}  // namespace vex
