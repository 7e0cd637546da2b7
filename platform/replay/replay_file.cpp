#include "platform/replay/replay_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>

namespace vex {

namespace {

constexpr std::string_view hex = "0123456789abcdef";
constexpr std::string_view version_prefix = "vexoids replay ";

// The words of a line, split at single spaces.
std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> found;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t space = std::min(line.find(' ', start), line.size());
        found.push_back(line.substr(start, space - start));
        start = space + 1;
    }
    return found;
}

template <class T>
std::optional<T> number(std::string_view text, T least, T most) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

constexpr std::int64_t score_limit = std::numeric_limits<std::int32_t>::max();

struct Verb {
    std::string_view word;
    ReplayEvent::Kind kind;
    std::size_t arguments;
};

constexpr std::array<Verb, 8> verbs{{{"load", ReplayEvent::Kind::Load, 0},
                                      {"round", ReplayEvent::Kind::Round, 0},
                                      {"down", ReplayEvent::Kind::KeyDown, 2},
                                      {"up", ReplayEvent::Kind::KeyUp, 2},
                                      {"click", ReplayEvent::Kind::Click, 1},
                                      {"cue", ReplayEvent::Kind::Cue, 0},
                                      {"answer", ReplayEvent::Kind::Answer, 1},
                                      {"ok", ReplayEvent::Kind::Ok, 0}}};

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    Result<Replay> read() {
        if (m_text.size() > replay_file_limit) {
            return Failure{"the file is larger than any replay"};
        }
        if (auto problem = header()) {
            return fail(*problem);
        }
        while (next_line()) {
            if (m_cut) {
                return fail("the line is cut short (no line end)");
            }
            if (m_replay.result) {
                return fail("nothing may follow the result line");
            }
            if (auto problem = event()) {
                return fail(*problem);
            }
        }
        return std::move(m_replay);
    }

private:
    using Problem = std::optional<std::string>;

    Failure fail(const std::string& what) const { return Failure{"line " + std::to_string(m_number) + ": " + what}; }

    // A line missing at the end counts too, so that a message names the line that should be there.
    bool next_line() {
        ++m_number;
        if (m_at >= m_text.size()) {
            return false;
        }
        const std::size_t end = m_text.find('\n', m_at);
        m_cut = end == std::string_view::npos;
        m_line = m_text.substr(m_at, (m_cut ? m_text.size() : end) - m_at);
        if (m_line.ends_with('\r')) {
            m_line.remove_suffix(1);
        }
        m_at = m_cut ? m_text.size() : end + 1;
        return true;
    }

    Problem header() {
        if (!next_line() || !m_line.starts_with(version_prefix)) {
            return "this is not a replay (it must begin with \"" + replay_version_line() + "\")";
        }
        const auto version = number<int>(m_line.substr(version_prefix.size()), 0, std::numeric_limits<int>::max());
        if (!version) {
            return "the version is not a number";
        }
        if (*version != replay_version) {
            return "a replay of version " + std::to_string(*version) + ", this program plays version " +
                   std::to_string(replay_version);
        }
        if (!next_line() || !m_line.starts_with("seed ")) {
            return "the seed line is missing";
        }
        const auto seed = number<std::uint32_t>(m_line.substr(5), 0, std::numeric_limits<std::uint32_t>::max());
        if (!seed) {
            return "the seed is not a number from 0 to 4294967295";
        }
        m_replay.seed = *seed;
        if (!next_line()) {
            return "the record line is missing";
        }
        if (m_line == "record-unreadable") {
            return std::nullopt;
        }
        if (!m_line.starts_with("record ") || !(m_replay.record = unescape_line(m_line.substr(7)))) {
            return "the record line is damaged";
        }
        return m_cut ? Problem("the line is cut short (no line end)") : std::nullopt;
    }

    Problem event() {
        const std::size_t space = m_line.find(' ');
        if (space == std::string_view::npos) {
            return "an event needs a round and a word";
        }
        const std::string_view stamp = m_line.substr(0, space);
        const std::size_t plus = stamp.find('+');
        const auto round = number<std::uint64_t>(stamp.substr(0, plus), 0, replay_tick_limit);
        const auto late = plus == std::string_view::npos ? std::optional<std::uint64_t>(0)
                                                         : number<std::uint64_t>(stamp.substr(plus + 1), 1, replay_tick_limit);
        if (!round || !late || *round + *late > replay_tick_limit) {
            return "the round is not a number up to " + std::to_string(replay_tick_limit);
        }
        const std::string_view rest = m_line.substr(space + 1);
        if (rest.starts_with("end ")) {
            return result(*round, rest.substr(4));
        }
        const std::string_view word = rest.substr(0, rest.find(' '));
        const auto verb = std::find_if(verbs.begin(), verbs.end(), [&](const Verb& v) { return v.word == word; });
        if (verb == verbs.end()) {
            return "unknown event '" + std::string(word.substr(0, 20)) + "'";
        }
        ReplayEvent e{verb->kind, *round, *round + *late, 0, 0, {}, m_number};
        if (const Problem problem = arguments(*verb, rest, e)) {
            return problem;
        }
        return order(e);
    }

    Problem arguments(const Verb& verb, std::string_view rest, ReplayEvent& e) {
        const std::string_view after = rest.size() > verb.word.size() ? rest.substr(verb.word.size() + 1) : std::string_view();
        if (verb.arguments == 0) {
            return rest.size() == verb.word.size() ? std::nullopt : Problem("'" + std::string(verb.word) + "' takes nothing more");
        }
        if (e.kind == ReplayEvent::Kind::Answer || e.kind == ReplayEvent::Kind::Click) {
            auto text = unescape_line(after);
            if (!text || rest.size() == verb.word.size()) {
                return "the text is damaged";
            }
            e.text = std::move(*text);
            return std::nullopt;
        }
        const auto parts = words(after);
        const auto code = parts.size() == 2 ? number<std::int16_t>(parts[0], 0, std::numeric_limits<std::int16_t>::max())
                                            : std::nullopt;
        const auto shift = parts.size() == 2 ? number<std::int16_t>(parts[1], 0, 7) : std::nullopt;
        if (!code || !shift) {
            return "a key needs its code (0 to 32767) and Shift state (0 to 7)";
        }
        e.code = *code;
        e.shift = *shift;
        return std::nullopt;
    }

    // Rounds and the clock only go forward.
    Problem order(ReplayEvent& e) {
        if (e.kind == ReplayEvent::Kind::Round && e.clock == e.round) {
            return "a round line names the round it comes to after a '+'";
        }
        if (e.round < m_round || e.clock < m_clock) {
            return "out of order: round " + std::to_string(e.round) + " after round " + std::to_string(m_round);
        }
        m_round = e.kind == ReplayEvent::Kind::Round ? e.clock : e.round;
        m_clock = e.clock;
        m_replay.events.push_back(std::move(e));
        return std::nullopt;
    }

    Problem result(std::uint64_t round, std::string_view fields) {
        const auto parts = words(fields);
        constexpr std::array<std::string_view, 4> names{"score", "record", "level", "ships"};
        std::array<std::int64_t, 4> values{};
        for (std::size_t i = 0; i < names.size(); ++i) {
            const auto value = parts.size() == 8 && parts[2 * i] == names[i]
                                   ? number<std::int64_t>(parts[2 * i + 1], -score_limit - 1, score_limit)
                                   : std::nullopt;
            if (!value) {
                return "the result must read 'end score S record R level L ships N'";
            }
            values[i] = *value;
        }
        if (round < m_round) {
            return "out of order: round " + std::to_string(round) + " after round " + std::to_string(m_round);
        }
        m_replay.result = ReplayResult{values[0], values[1], values[2], values[3], round};
        m_replay.result_line = m_number;
        return std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::string_view m_line;
    std::size_t m_number = 0;
    bool m_cut = false;
    Replay m_replay;
    std::uint64_t m_round = 0;
    std::uint64_t m_clock = 0;
};

}  // namespace

Result<Replay> parse_replay(std::string_view text) { return Reader(text).read(); }

std::string escape_line(std::string_view text) {
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            line += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F) {
            line += {'\\', 'x', hex[byte >> 4U], hex[byte & 0xFU]};
        } else {
            line += c;
        }
    }
    return line;
}

std::optional<std::string> unescape_line(std::string_view line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            text += line[i];
        } else if (line.substr(i + 1, 1) == "\\") {
            text += '\\';
            ++i;
        } else if (line.substr(i + 1, 1) == "x") {
            const std::string_view digits = line.substr(i + 2, 2);
            if (digits.size() != 2 || digits.find_first_not_of(hex) != std::string_view::npos) {
                return std::nullopt;
            }
            text += static_cast<char>(hex.find(digits[0]) * 16 + hex.find(digits[1]));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return text;
}

std::string replay_version_line() { return std::string(version_prefix) + std::to_string(replay_version); }

std::string replay_stamp(std::uint64_t round, std::uint64_t clock) {
    return std::to_string(round) + (clock > round ? "+" + std::to_string(clock - round) : "");
}

std::string replay_result_line(const ReplayResult& result) {
    return std::to_string(result.rounds) + " end score " + std::to_string(result.score) + " record " +
           std::to_string(result.record) + " level " + std::to_string(result.level) + " ships " +
           std::to_string(result.ships);
}

}  // namespace vex
