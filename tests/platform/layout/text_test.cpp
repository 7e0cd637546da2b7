// Captions broken into lines and cut to what a label shows, and typed names edited, one UTF-8
// character at a time.
#include "platform/layout/text_wrap.h"
#include "platform/layout/utf8.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
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

// A caption cut to its first characters keeps every byte of the last one it keeps.
TEST(FirstCharacters, CutsBetweenWholeCharacters) {
    const std::tuple<std::string_view, std::size_t, std::string_view> cases[] = {
        {"", 3, ""},
        {"abc", 0, ""},
        {"abc", 2, "ab"},
        {"abc", 3, "abc"},
        {"abc", 5, "abc"},
        {"Zo\xC3\xAB" "x", 3, "Zo\xC3\xAB"},
        {"\xC3\xAB" "b", 1, "\xC3\xAB"},
        {"a\xF0\x9F\x9A\x80" "b", 1, "a"},
        {"a\xF0\x9F\x9A\x80" "b", 2, "a\xF0\x9F\x9A\x80"}};
    for (const auto& [text, count, first] : cases) {
        EXPECT_EQ(first_characters(text, count), first) << count << " of \"" << text << '"';
    }
}

}  // namespace
}  // namespace vex
