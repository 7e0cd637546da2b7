#include "platform/replay/replay_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vex {
namespace {

const std::string header = "vexoids replay 1\nseed 5489\nrecord \"10\",\"ann\"\\x0d\\x0a\n";

// What a file reads as: its events as "round+late word" and its result, or the reason it is refused.
std::string reading(const std::string& text) {
    const Result<Replay> replay = parse_replay(text);
    if (!replay) {
        return "refused: " + replay.reason();
    }
    std::string told = "seed " + std::to_string(replay.value().seed) + " record " +
                       (replay.value().record ? escape_line(*replay.value().record) : "unreadable") + " |";
    for (const ReplayEvent& e : replay.value().events) {
        told += " " + std::to_string(e.round) + "+" + std::to_string(e.clock - e.round) + ":" +
                std::to_string(static_cast<int>(e.kind)) + (e.text.empty() ? "" : "'" + e.text + "'") +
                (e.code != 0 ? "/" + std::to_string(e.code) + "," + std::to_string(e.shift) : "");
    }
    if (const auto& r = replay.value().result) {
        told += " | end " + std::to_string(r->score) + " " + std::to_string(r->record) + " " + std::to_string(r->level) +
                " " + std::to_string(r->ships) + " @" + std::to_string(r->rounds) + " line " +
                std::to_string(replay.value().result_line);
    }
    return told;
}

TEST(ReplayFile, ReadsEventsOrNamesTheLineThatIsWrong) {
    const std::string end = "140 end score 120 record 130 level 2 ships 1\n";
    const std::vector<std::pair<std::string, std::string>> cases{
        {header + "0+3 load\n0+90 answer Zo\\xc3\\xab \\\\o/\n0+91 round\n95+1 down 17 2\n95+1 up 32767 7\n96 click Label9\n"
                  "96+7 cue\n96+40 ok\n96+44 round\n" + end,
         "seed 5489 record \"10\",\"ann\"\\x0d\\x0a | 0+3:0 0+90:6'Zo\xc3\xab \\o/' 0+91:1 95+1:2/17,2 95+1:3/32767,7"
         " 96+0:4'Label9' 96+7:5 96+40:7 96+44:1 | end 120 130 2 1 @140 line 13"},
        {"vexoids replay 1\r\nseed 7\r\nrecord-unreadable\r\n2 load\r\n", "seed 7 record unreadable | 2+0:0"},
        {"vexoids replay 1\nseed 0\nrecord \n", "seed 0 record  |"},
        {"", "refused: line 1: this is not a replay (it must begin with \"vexoids replay 1\")"},
        {"\x89PNG\r\n\x1a\n", "refused: line 1: this is not a replay (it must begin with \"vexoids replay 1\")"},
        {"vexoids replay 2\nseed 1\n", "refused: line 1: a replay of version 2, this program plays version 1"},
        {"vexoids replay 99999999999999\n", "refused: line 1: the version is not a number"},
        {"vexoids replay 1\nseed -1\n", "refused: line 2: the seed is not a number from 0 to 4294967295"},
        {"vexoids replay 1\nseed 4294967296\n", "refused: line 2: the seed is not a number from 0 to 4294967295"},
        {"vexoids replay 1\nseed 1\n", "refused: line 3: the record line is missing"},
        {"vexoids replay 1\nrecord \n", "refused: line 2: the seed line is missing"},
        {"vexoids replay 1\nseed 1\nrecord \\q\n", "refused: line 3: the record line is damaged"},
        {"vexoids replay 1\nseed 1\nrecord \\x4\n", "refused: line 3: the record line is damaged"},
        {"vexoids replay 1\nseed 1\nrecord \\xZZ\n", "refused: line 3: the record line is damaged"},
        {"vexoids replay 1\nseed 1\nrecord x", "refused: line 3: the line is cut short (no line end)"},
        {header + "0 load\n5 down 17", "refused: line 5: the line is cut short (no line end)"},
        {header + "0 load\n5 dow\n", "refused: line 5: unknown event 'dow'"},
        {header + "0 load\n12\n", "refused: line 5: an event needs a round and a word"},
        {header + "0 load\n5 jump\n", "refused: line 5: unknown event 'jump'"},
        {header + "0 load\n5 cue now\n", "refused: line 5: 'cue' takes nothing more"},
        {header + "0 load\n5 down 17\n", "refused: line 5: a key needs its code (0 to 32767) and Shift state (0 to 7)"},
        {header + "0 load\n5 down 17 8\n", "refused: line 5: a key needs its code (0 to 32767) and Shift state (0 to 7)"},
        {header + "0 load\n5 up 32768 0\n", "refused: line 5: a key needs its code (0 to 32767) and Shift state (0 to 7)"},
        {header + "0 load\n5 up -1 0\n", "refused: line 5: a key needs its code (0 to 32767) and Shift state (0 to 7)"},
        {header + "0 load\n5 click\n", "refused: line 5: the text is damaged"},
        {header + "0 load\n5 answer \\\n", "refused: line 5: the text is damaged"},
        {header + "0 load\n99999999999999999999 round\n", "refused: line 5: the round is not a number up to 5529600"},
        {header + "0 load\n0+5529601 round\n", "refused: line 5: the round is not a number up to 5529600"},
        {header + "0 load\n5529599+2 cue\n", "refused: line 5: the round is not a number up to 5529600"},
        {header + "0 load\n5529600 cue\n", "seed 5489 record \"10\",\"ann\"\\x0d\\x0a | 0+0:0 5529600+0:5"},
        {header + "0 load\n5+0 cue\n", "refused: line 5: the round is not a number up to 5529600"},
        {header + "0 load\n5+x cue\n", "refused: line 5: the round is not a number up to 5529600"},
        {header + "0 load\n9 cue\n8 cue\n", "refused: line 6: out of order: round 8 after round 9"},
        {header + "0 load\n9+5 cue\n9+4 cue\n", "refused: line 6: out of order: round 9 after round 9"},
        {header + "0 load\n0+9 round\n8+2 cue\n", "refused: line 6: out of order: round 8 after round 9"},
        {header + "0 load\n9 cue\n7+3 round\n", "refused: line 6: out of order: round 7 after round 9"},
        {header + "0 load\n9 round\n", "refused: line 5: a round line names the round it comes to after a '+'"},
        {header + "0 load\n9 cue\n" + end + "50 cue\n", "refused: line 7: nothing may follow the result line"},
        {header + "0 load\n9 cue\n8 end score 1 record 1 level 1 ships 1\n", "refused: line 6: out of order: round 8 after round 9"},
        {header + "0 load\n9 end score 1 record 1 level 1\n", "refused: line 5: the result must read 'end score S record R level L ships N'"},
        {header + "0 load\n9 end score 1 record 1 level 1 lives 2\n", "refused: line 5: the result must read 'end score S record R level L ships N'"},
        {header + "0 load\n9 end score 2147483648 record 1 level 1 ships 2\n", "refused: line 5: the result must read 'end score S record R level L ships N'"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(reading(text), expected) << text;
    }
}

TEST(ReplayFile, EscapedTextComesBackByteForByte) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", ""}, {"ann", "ann"}, {"a b", "a b"}, {"\\", "\\\\"}, {"\\x41", "\\\\x41"},
        {"\r\n", "\\x0d\\x0a"}, {std::string("\0\x7f", 2), "\\x00\\x7f"}, {"Zo\xc3\xab", "Zo\\xc3\\xab"},
        {"\xff\xfe\"1\"", "\\xff\\xfe\"1\""},
    };
    for (const auto& [text, line] : cases) {
        EXPECT_EQ(escape_line(text), line);
        EXPECT_EQ(unescape_line(line), text) << line;
    }
}

}  // namespace
}  // namespace vex
