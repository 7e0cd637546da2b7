#include "platform/sdl/text_wrap.h"

#include <gtest/gtest.h>

namespace vex {
namespace {

// Every character 10 px wide.
int ten_per_char(std::string_view text) { return static_cast<int>(text.size()) * 10; }

struct WrapCase {
    const char* name;
    const char* text;
    int width;
    std::vector<std::string> lines;
};

class WrapWords : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapWords, BreaksAtSpacesToFitTheWidth) {
    const WrapCase& c = GetParam();
    EXPECT_EQ(wrap_words(c.text, c.width, ten_per_char), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrapWords,
    ::testing::Values(WrapCase{"empty", "", 100, {""}},
                      WrapCase{"fits", "New Player", 100, {"New Player"}},
                      WrapCase{"exactly_fits", "ab cd", 50, {"ab cd"}},
                      WrapCase{"one_pixel_short", "ab cd", 49, {"ab", "cd"}},
                      WrapCase{"long_word_alone", "Instructions", 60, {"Instructions"}},
                      WrapCase{"long_word_between", "a Instructions b", 60, {"a", "Instructions", "b"}},
                      WrapCase{"greedy", "aa bb cc dd ee", 80, {"aa bb cc", "dd ee"}},
                      WrapCase{"quoted_key", "press \" S \" Move", 90, {"press \" S", "\" Move"}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vex
