// Key codes as the window's key events deliver them.
#pragma once

#include <cstdint>

namespace vex::keys {

constexpr std::int16_t control = 17;
constexpr std::int16_t escape = 27;
constexpr std::int16_t left = 37;
constexpr std::int16_t right = 39;
constexpr std::int16_t s = 83;

}  // namespace vex::keys
