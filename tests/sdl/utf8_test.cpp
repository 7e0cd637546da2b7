#include "platform/sdl/utf8.h"

#include <gtest/gtest.h>

namespace vex {
namespace {

struct EraseCase {
    const char* name;
    std::string before;
    std::string after;
};

class EraseLastCharacter : public ::testing::TestWithParam<EraseCase> {};

TEST_P(EraseLastCharacter, RemovesAllBytesOfTheLastCharacter) {
    std::string text = GetParam().before;
    erase_last_character(text);
    EXPECT_EQ(text, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, EraseLastCharacter,
                         ::testing::Values(EraseCase{"empty", "", ""},
                                           EraseCase{"ascii", "Zoe", "Zo"},
                                           EraseCase{"two_bytes", "Zo\xC3\xAB", "Zo"},
                                           EraseCase{"three_bytes", "5\xE2\x82\xAC", "5"},
                                           EraseCase{"four_bytes", "a\xF0\x9F\x9A\x80", "a"},
                                           EraseCase{"ascii_after_accent", "\xC3\xAB" "b", "\xC3\xAB"},
                                           EraseCase{"only_accent", "\xC3\xAB", ""}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vex
