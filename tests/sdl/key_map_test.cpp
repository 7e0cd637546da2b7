#include "platform/key_codes.h"
#include "platform/sdl/key_map.h"

#include <gtest/gtest.h>

#include <optional>

namespace vex {
namespace {

// SDL key codes: a key that types a character is that character's code; any other key is its
// USB usage number with bit 30 set.
constexpr std::int32_t usage(std::int32_t scancode) { return scancode | (1 << 30); }

struct KeyCase {
    const char* name;
    std::int32_t sdl_key;
    std::optional<std::int16_t> code;
};

class VirtualKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKey, MapsToTheDesktopCode) { EXPECT_EQ(virtual_key(GetParam().sdl_key), GetParam().code); }

INSTANTIATE_TEST_SUITE_P(
    Cases, VirtualKey,
    ::testing::Values(KeyCase{"s_starts", 's', keys::s},
                      KeyCase{"a", 'a', 65},
                      KeyCase{"z", 'z', 90},
                      KeyCase{"digit_0", '0', 48},
                      KeyCase{"digit_9", '9', 57},
                      KeyCase{"space", ' ', 32},
                      KeyCase{"enter", '\r', 13},
                      KeyCase{"escape", 27, 27},
                      KeyCase{"backspace", 8, 8},
                      KeyCase{"tab", '\t', 9},
                      KeyCase{"left_ctrl_fires", usage(224), keys::control},
                      KeyCase{"right_ctrl_fires", usage(228), keys::control},
                      KeyCase{"left_shift", usage(225), 16},
                      KeyCase{"right_alt", usage(230), 18},
                      KeyCase{"left_arrow", usage(80), keys::left},
                      KeyCase{"right_arrow", usage(79), keys::right},
                      KeyCase{"up_arrow", usage(82), 38},
                      KeyCase{"down_arrow", usage(81), 40},
                      KeyCase{"f1", usage(58), 112},
                      KeyCase{"f12", usage(69), 123},
                      KeyCase{"keypad_1", usage(89), 97},
                      KeyCase{"keypad_0", usage(98), 96},
                      KeyCase{"keypad_enter", usage(88), 13},
                      KeyCase{"comma", ',', 188},
                      KeyCase{"no_code_mute", usage(127), std::nullopt},
                      KeyCase{"no_code_accented_letter", 0xE9, std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

struct ModifierCase {
    const char* name;
    std::uint16_t sdl_modifiers;
    std::int16_t shift;
};

class ShiftState : public ::testing::TestWithParam<ModifierCase> {};

TEST_P(ShiftState, AddsShiftCtrlAndAltBits) { EXPECT_EQ(shift_state(GetParam().sdl_modifiers), GetParam().shift); }

// SDL modifier bits: 0x1/0x2 shift, 0x40/0x80 ctrl, 0x100/0x200 alt, 0x1000 num lock.
INSTANTIATE_TEST_SUITE_P(Cases, ShiftState,
                         ::testing::Values(ModifierCase{"none", 0x0000, 0},
                                           ModifierCase{"left_shift", 0x0001, 1},
                                           ModifierCase{"right_shift", 0x0002, 1},
                                           ModifierCase{"left_ctrl", 0x0040, 2},
                                           ModifierCase{"right_ctrl", 0x0080, 2},
                                           ModifierCase{"left_alt", 0x0100, 4},
                                           ModifierCase{"right_alt", 0x0200, 4},
                                           ModifierCase{"ctrl_shift", 0x0041, 3},
                                           ModifierCase{"all_three", 0x0241, 7},
                                           ModifierCase{"num_lock_ignored", 0x1000, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vex
