#include "platform/checked_math.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vex {
namespace {

TEST(Numbers, ParseNumberTakesOnlyAWholeNumberText) {
    struct Row {
        const char* what;
        const char* text;
        std::optional<double> expected;
    };
    const std::vector<Row> rows{
        {"plain digits", "1500", 1500},
        {"blanks around ignored", "  42 \t", 42},
        {"negative", "-7", -7},
        {"fraction", "2.5", 2.5},
        {"empty text", "", std::nullopt},
        {"blanks only", "   ", std::nullopt},
        {"a word", "abc", std::nullopt},
        {"a number with a tail", "12%", std::nullopt},
        {"a sign alone", "-", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(parse_number(row.text), row.expected) << row.what;
    }
}

TEST(Numbers, FormatNumberWritesPlainDigits) {
    struct Row {
        double value;
        const char* expected;
    };
    const std::vector<Row> rows{
        {1234567, "1234567"}, {0, "0"}, {-0.0, "0"}, {-250, "-250"}, {10, "10"}, {2147483647, "2147483647"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(format_number(row.value), row.expected) << row.value;
    }
}

TEST(Numbers, LeadingNumberReadsWhatATextStartsWith) {
    struct Row {
        const char* text;
        double expected;
    };
    const std::vector<Row> rows{
        {"1230", 1230}, {"  77 points", 77}, {"-5x", -5}, {"abc", 0}, {"", 0}, {"12.5%", 12.5},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(leading_number(row.text), row.expected) << '"' << row.text << '"';
    }
}

TEST(Numbers, RoundToInt32HalvesToEvenAndClampsOutsideTheRange) {
    constexpr auto max = std::numeric_limits<std::int32_t>::max();
    constexpr auto min = std::numeric_limits<std::int32_t>::min();
    struct Row {
        double value;
        std::int32_t expected;
    };
    const std::vector<Row> rows{
        {0.5, 0},      {1.5, 2},      {2.5, 2},         {-0.5, 0},         {-1.5, -2},       {2.4999, 2},
        {2.5001, 3},   {2147483647.0, max}, {2147483648.0, max}, {1e12, max}, {-2147483648.0, min},
        {-2147483649.0, min}, {-1e12, min}, {2147483646.5, 2147483646},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(round_to_int32(row.value), row.expected) << row.value;
    }
}

TEST(Numbers, AccuracyPercentRoundsDownExactly) {
    struct Row {
        double hits;
        double shots;
        double expected;
    };
    // 29 of 100 is where plain double arithmetic would drop to 28.
    const std::vector<Row> rows{
        {2, 3, 66}, {1, 3, 33}, {29, 100, 29}, {3, 3, 100}, {57, 100, 57}, {0, 5, 0}, {5, 4, 125}, {1, 7, 14}, {-1, 3, -34},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(accuracy_percent(row.hits, row.shots), row.expected) << row.hits << " of " << row.shots;
    }
}

TEST(CheckedMath, SixteenBitAddThrowsOnOverflowOnly) {
    EXPECT_EQ(checked_add<std::int16_t>(32766, 1), 32767);
    EXPECT_EQ(checked_add<std::int16_t>(-32767, -1), -32768);
    EXPECT_THROW(checked_add<std::int16_t>(32767, 1), RuntimeError);
    EXPECT_THROW(checked_add<std::int16_t>(32750, 50), RuntimeError);
    EXPECT_THROW(checked_add<std::int16_t>(-32768, -1), RuntimeError);
}

TEST(CheckedMath, SaturatingDoubleStopsAtTheThirtyTwoBitMaximum) {
    struct Row {
        std::int32_t value;
        std::int32_t expected;
    };
    const std::vector<Row> rows{
        {5000, 10000},
        {1073741823, 2147483646},
        {1073741824, std::numeric_limits<std::int32_t>::max()},
        {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()},
        {-1073741825, std::numeric_limits<std::int32_t>::min()},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(saturating_double(row.value), row.expected) << row.value;
    }
}

}  // namespace
}  // namespace vex
