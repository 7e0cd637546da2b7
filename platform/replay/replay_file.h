// A replay as read from its text file: the header, every event in the order it happened, and the
// result line if the session ended normally. docs/replay-format.md describes the lines.
#pragma once

#include "platform/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// The format this program writes and reads; a file of another version is refused.
constexpr int replay_version = 1;
// A day of play at 64 rounds a second: a larger round means a damaged file, and a file that
// claims one can still be verified in seconds.
constexpr std::uint64_t replay_tick_limit = 64U * 60U * 60U * 24U;
// A replay larger than this is refused before it is read.
constexpr std::size_t replay_file_limit = 256U << 20U;

// How a session ended: the numbers the window showed.
struct ReplayResult {
    std::int64_t score = 0;   // the last game's final score, or the running game's
    std::int64_t record = 0;  // the record shown
    std::int64_t level = 0;
    std::int64_t ships = 0;   // ships left in reserve
    std::uint64_t rounds = 0; // the last clock round raised
    bool operator==(const ReplayResult&) const = default;
};

struct ReplayEvent {
    enum class Kind { Load, Round, KeyDown, KeyUp, Click, Cue, Answer, Ok };
    Kind kind = Kind::Round;
    std::uint64_t round = 0;  // the round it came after
    std::uint64_t clock = 0;  // the form's clock when it happened (after a cue or box: when it
                              // ended); for Round, the round raised
    std::int16_t code = 0;    // key code
    std::int16_t shift = 0;   // Shift state
    std::string text;         // a box's answer, or the name of the label clicked
    std::size_t line = 0;     // its line in the file, for messages
};

struct Replay {
    std::uint32_t seed = 0;
    // The record file's bytes at the start; nullopt when it was there but could not be read.
    std::optional<std::string> record;
    std::vector<ReplayEvent> events;
    std::optional<ReplayResult> result;
    std::size_t result_line = 0;
};

// The replay in `text`, or "line N: what is wrong".
Result<Replay> parse_replay(std::string_view text);

// Text as one line of the file: backslash, control bytes and bytes past ASCII as \xHH escapes
// ("\\" for a backslash), so any answer or record survives; unescape_line is its inverse.
std::string escape_line(std::string_view text);
std::optional<std::string> unescape_line(std::string_view line);

// The lines the writer and the reader share.
std::string replay_version_line();
std::string replay_stamp(std::uint64_t round, std::uint64_t clock);
std::string replay_result_line(const ReplayResult& result);

}  // namespace vex
