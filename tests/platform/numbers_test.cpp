#include "platform/checked_math.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

namespace vex {
namespace {

constexpr auto int32_max = std::numeric_limits<std::int32_t>::max();
constexpr auto int32_min = std::numeric_limits<std::int32_t>::min();

TEST(Numbers, ParseNumberTakesOnlyAWholeNumberText) {
    const std::vector<std::tuple<const char*, std::optional<double>>> rows{
        {"1500", 1500}, {"  42 \t", 42}, {"-7", -7},         {"2.5", 2.5},          {"", std::nullopt},
        {"   ", std::nullopt}, {"abc", std::nullopt}, {"12%", std::nullopt}, {"-", std::nullopt},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(parse_number(text), expected) << '"' << text << '"';
    }
}

TEST(Numbers, FormatNumberWritesPlainDigits) {
    const std::vector<std::tuple<double, const char*>> rows{
        {1234567, "1234567"}, {0, "0"}, {-0.0, "0"}, {-250, "-250"}, {10, "10"}, {2147483647, "2147483647"},
    };
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(format_number(value), expected) << value;
    }
}

TEST(Numbers, LeadingNumberReadsWhatATextStartsWith) {
    const std::vector<std::tuple<const char*, double>> rows{
        {"1230", 1230}, {"  77 points", 77}, {"-5x", -5}, {"abc", 0}, {"", 0}, {"12.5%", 12.5},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(leading_number(text), expected) << '"' << text << '"';
    }
}

TEST(Numbers, RoundToInt32HalvesToEvenAndClampsOutsideTheRange) {
    const std::vector<std::tuple<double, std::int32_t>> rows{
        {0.5, 0},           {1.5, 2},         {2.5, 2},           {-0.5, 0},           {-1.5, -2},
        {2.4999, 2},        {2.5001, 3},      {2147483646.5, 2147483646},             {2147483647.0, int32_max},
        {2147483648.0, int32_max},            {1e12, int32_max},  {-2147483648.0, int32_min},
        {-2147483649.0, int32_min},           {-1e12, int32_min},
    };
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(round_to_int32(value), expected) << value;
    }
}

TEST(Numbers, AccuracyPercentRoundsDownExactly) {
    // 29 of 100 is where plain double arithmetic would drop to 28.
    const std::vector<std::tuple<double, double, double>> rows{
        {2, 3, 66}, {1, 3, 33}, {29, 100, 29}, {3, 3, 100}, {57, 100, 57},
        {0, 5, 0},  {5, 4, 125}, {1, 7, 14},   {-1, 3, -34},
    };
    for (const auto& [hits, shots, expected] : rows) {
        EXPECT_EQ(accuracy_percent(hits, shots), expected) << hits << " of " << shots;
    }
}

TEST(CheckedMath, SixteenBitAddThrowsOnOverflowOnly) {
    EXPECT_EQ(checked_add<std::int16_t>(32766, 1), 32767);
    EXPECT_EQ(checked_add<std::int16_t>(-32767, -1), -32768);
    EXPECT_THROW(checked_add<std::int16_t>(32767, 1), RuntimeError);
    EXPECT_THROW(checked_add<std::int16_t>(32750, 50), RuntimeError);
    EXPECT_THROW(checked_add<std::int16_t>(-32768, -1), RuntimeError);
}

TEST(CheckedMath, SaturatingDoubleStopsAtTheThirtyTwoBitLimits) {
    const std::vector<std::tuple<std::int32_t, std::int32_t>> rows{
        {5000, 10000},          {1073741823, 2147483646}, {1073741824, int32_max},
        {int32_max, int32_max}, {-1073741825, int32_min},
    };
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(saturating_double(value), expected) << value;
    }
}

}  // namespace
}  // namespace vex
