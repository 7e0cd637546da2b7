// The conversions between caption texts and numbers, and the record's item reader.
#include "platform/numbers.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
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
        {-3, 3, -100}, {1e14, 2e14, 50}, {1e16, 1e16, 100} /* past exact integer arithmetic */,
        {89200000000001, 3, 2973333333333366} /* a hundredfold just below it, where dividing first rounds up */};
    for (const auto& [hits, shots, percent] : rows) {
        EXPECT_EQ(accuracy_percent(hits, shots), percent) << hits << " of " << shots;
    }
}

// Only the items asked for are read: what follows the second item of the record is left alone.
TEST(RecordItems, ReadsOnlyTheItemsAskedFor) {
    EXPECT_EQ(parse_items("\"10\",\"Ann\",\"x\"\r\n", 2), (std::vector<std::string>{"10", "Ann"}));
}

// A byte-order mark says how the text is encoded: UTF-8's is dropped, UTF-16 in either byte order
// becomes UTF-8 at every length boundary of its encoding, surrogate pairs joined, and what no
// character can be (a lone surrogate, half a unit at the end) becomes U+FFFD.
TEST(RecordItems, AByteOrderMarkIsReadAsTheTextItMarks) {
    using namespace std::string_literals;
    const std::string le = "\xFF\xFE", be = "\xFE\xFF", bad = "\xEF\xBF\xBD";
    const std::vector<std::tuple<const char*, std::string, std::string>> rows{
        {"no mark", "\"1\",\"\xFF\xFE\"", "\"1\",\"\xFF\xFE\""},
        {"UTF-8", "\xEF\xBB\xBF\"12345\",\"Ann\"\r\n", "\"12345\",\"Ann\"\r\n"},
        {"half a UTF-8 mark", "\xEF\xBB\"1\"", "\xEF\xBB\"1\""},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", ""},
        {"UTF-16 LE", le + "\"\0\x31\0\"\0,\0\"\0\xEB\0\"\0\r\0\n\0"s, "\"1\",\"\xC3\xAB\"\r\n"},
        {"UTF-16 BE", be + "\0\"\0\x31\0\"\0,\0\"\0\xEB\0\"\0\r\0\n"s, "\"1\",\"\xC3\xAB\"\r\n"},
        {"UTF-16 mark alone", le, ""},
        {"one byte, two bytes", le + "\x7F\0\x80\0"s, "\x7F\xC2\x80"},
        {"two bytes, three bytes", be + "\x07\xFF\x08\x00"s, "\xDF\xBF\xE0\xA0\x80"},
        {"around the surrogates", be + "\xD7\xFF\xE0\x00\xFF\xFF"s, "\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
        {"pairs LE", le + "\x00\xD8\x00\xDC\x3D\xD8\x00\xDE\xFF\xDB\xFF\xDF"s,
         "\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
        {"a pair BE", be + "\xD8\x3D\xDE\x00"s, "\xF0\x9F\x98\x80"},
        {"lone low, lone high at the end", be + "\xDC\x00\xDF\xFF\xD8\x00"s, bad + bad + bad},
        {"high before a letter", be + "\xDB\xFF\x00\x41"s, bad + "A"},
        {"high before high and low", be + "\xD8\x00\xD8\x00\xDC\x00"s, bad + "\xF0\x90\x80\x80"},
        {"high before one past the lows", be + "\xD8\x00\xE0\x00"s, bad + "\xEE\x80\x80"},
        {"high, then half a unit", be + "\xD8\x00\xDC"s, bad + bad},
        {"half a unit at the end", le + "A\0B"s, "A" + bad},
    };
    for (const auto& [what, bytes, text] : rows) {
        EXPECT_EQ(decode_text(bytes), text) << what;
    }
}

}  // namespace
}  // namespace vex
