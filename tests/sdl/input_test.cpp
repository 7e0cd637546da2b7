// Keys as the window's handlers take them: desktop key codes.
#include "platform/sdl/input/key_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>

namespace vex {
namespace {

// SDL key codes: a key that types a character is that character's code; any other key is its
// USB usage number with bit 30 set.
constexpr std::int32_t usage(std::int32_t scancode) { return scancode | (1 << 30); }

// The keys the game reads become their desktop codes; a key without one reaches no handler.
TEST(KeyMap, SdlKeysBecomeDesktopCodes) {
    const std::pair<std::int32_t, std::optional<std::int16_t>> codes[] = {
        {'s', 83}, {usage(224), 17}, {usage(228), 17}, {usage(80), 37}, {usage(79), 39}, {'a', 65}, {usage(127), std::nullopt},
        {0xE9, std::nullopt}};
    for (const auto& [sdl_key, code] : codes) {
        EXPECT_EQ(virtual_key(sdl_key), code) << "SDL key " << sdl_key;
    }
}

}  // namespace
}  // namespace vex
