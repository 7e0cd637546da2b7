// Captions broken into lines, and typed names edited one UTF-8 character at a time.
#include "platform/layout/text_wrap.h"
#include "platform/layout/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vex {
namespace {

TEST(WrapWords, BreaksAtSpacesToFitTheWidth) {
    const auto ten_per_char = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    const std::tuple<const char*, int, std::vector<std::string>> cases[] = {
        {"", 100, {""}}, {"New Player", 100, {"New Player"}}, {"ab cd", 50, {"ab cd"}}, {"ab cd", 49, {"ab", "cd"}},
        {"Instructions", 60, {"Instructions"}}, {"a Instructions b", 60, {"a", "Instructions", "b"}},
        {"aa bb cc dd ee", 80, {"aa bb cc", "dd ee"}}, {"press \" S \" Move", 90, {"press \" S", "\" Move"}}};
    for (const auto& [text, width, lines] : cases) {
        EXPECT_EQ(wrap_words(text, width, ten_per_char), lines) << '"' << text << "\" in " << width;
    }
}

TEST(EraseLastCharacter, RemovesAllBytesOfTheLastCharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"Zoe", "Zo"}, {"Zo\xC3\xAB", "Zo"}, {"5\xE2\x82\xAC", "5"}, {"a\xF0\x9F\x9A\x80", "a"},
        {"\xC3\xAB" "b", "\xC3\xAB"}, {"\xC3\xAB", ""}};
    for (auto [text, after] : cases) {
        erase_last_character(text);
        EXPECT_EQ(text, after);
    }
}

}  // namespace
}  // namespace vex
