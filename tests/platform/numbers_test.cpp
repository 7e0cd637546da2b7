// The conversions between caption texts and numbers, and the record's item reader.
#include "platform/numbers.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vex {
namespace {

TEST(Numbers, CaptionTextsReadAndWrittenBack) {
    const std::string tiny = "0." + std::string(4500, '0') + "1e4000", huge = "0." + std::string(3500, '0') + "1e4000";
    const std::vector<std::pair<std::string, std::optional<double>>> parsed{
        {"1234567", 1234567}, {" 42  ", 42}, {"-7", -7}, {"+3", 3}, {"2.5", 2.5}, {"1e3", 1000}, {"1e-400", 0},
        {"-0.0001e-320", 0}, {tiny, 0} /* 1e-501 */, {huge, HUGE_VAL} /* 1e499 */, {"", std::nullopt},
        {"12abc", std::nullopt}, {"7x2", std::nullopt}, {"abc", std::nullopt}, {"5%", std::nullopt}, {"-", std::nullopt}};
    for (const auto& [text, number] : parsed) {
        EXPECT_EQ(parse_number(text), number) << '"' << text << '"';
    }
    const std::vector<std::pair<double, std::string>> written{
        {1234567, "1234567"}, {0, "0"}, {-0.0, "0"}, {-150, "-150"}, {2147483648.0, "2147483648"}, {0.5, "0.5"},
        {999999999999999, "999999999999999"}, {1e15, "1E+15"}};
    for (const auto& [number, text] : written) {
        EXPECT_EQ(format_number(number), text) << number;
    }
}

TEST(Numbers, ScoreComparisonTakesTheLeadingNumberRoundedHalfToEvenAndClamped) {
    const std::vector<std::pair<std::string, std::int32_t>> rows{
        {"1500", 1500}, {" 1500 points", 1500}, {"points", 0}, {"", 0}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},
        {"4294967796", std::numeric_limits<std::int32_t>::max()}, {"-99999999999", std::numeric_limits<std::int32_t>::min()},
        {".9", 1}, {"1e-400", 0} /* underflow */, {"1e400", std::numeric_limits<std::int32_t>::max()}, {"-1e400", std::numeric_limits<std::int32_t>::min()}};
    for (const auto& [text, score] : rows) {
        EXPECT_EQ(round_to_int32(leading_number(text)), score) << '"' << text << '"';
    }
}

TEST(Numbers, AccuracyIsThePercentageRoundedDownExactly) {
    const std::vector<std::tuple<double, double, double>> rows{
        {1, 3, 33}, {2, 3, 66}, {3, 3, 100}, {29, 100, 29}, {57, 100, 57}, {4, 3, 133}, {1, 7, 14}, {-1, 3, -34},
        {-3, 3, -100}, {1e14, 2e14, 50}, {1e16, 1e16, 100} /* past exact integer arithmetic */};
    for (const auto& [hits, shots, percent] : rows) {
        EXPECT_EQ(accuracy_percent(hits, shots), percent) << hits << " of " << shots;
    }
}

// Only the items asked for are read: what follows the second item of the record is left alone.
TEST(RecordItems, ReadsOnlyTheItemsAskedFor) {
    EXPECT_EQ(parse_items("\"10\",\"Ann\",\"x\"\r\n", 2), (std::vector<std::string>{"10", "Ann"}));
}

}  // namespace
}  // namespace vex
