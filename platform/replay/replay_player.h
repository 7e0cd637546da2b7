// Plays a replay into a form: its clock rounds, keys and clicks in the recorded order, each at
// the recorded clock; the runtime takes each cue's and box's line as the game reaches it
// (ReplayRuntime). Any disagreement between the file and the game stops the replay.
#pragma once

#include "platform/form.h"
#include "platform/replay/replay_file.h"

#include <cstddef>
#include <optional>
#include <stdexcept>

namespace vex {

// Thrown when the file and the game disagree, or the file ends while the game waits on it.
class ReplayStopped : public std::runtime_error {
public:
    // `damaged`: the file is wrong; otherwise it merely ends early (a recording cut short).
    ReplayStopped(const std::string& what, bool damaged) : std::runtime_error(what), m_damaged(damaged) {}
    bool damaged() const { return m_damaged; }

private:
    bool m_damaged;
};

class ReplayPlayer {
public:
    ReplayPlayer(Form& form, const Replay& replay) : m_form(form), m_replay(replay) {}

    // Loads the form as the file's first event says.
    void load();
    // The round the next step() raises; nullopt when only input is left, or nothing.
    std::optional<std::uint64_t> next_round() const;
    // Plays the input recorded before the next round, then that round.
    void step();
    bool finished() const;
    // Steps until finished.
    void play_to_end();
    std::uint64_t last_round() const { return m_round; }

    // The next event, which must be of `kind` and happen within the current round: the runtime
    // calls it when the game plays a cue or opens a box.
    const ReplayEvent& take(ReplayEvent::Kind kind);
    Form& form() { return m_form; }

private:
    const ReplayEvent* peek() const { return m_at < m_replay.events.size() ? &m_replay.events[m_at] : nullptr; }
    void play_input(const ReplayEvent& event);
    void play_round(std::uint64_t round);
    [[noreturn]] void damaged(const ReplayEvent& event, const std::string& what) const;

    Form& m_form;
    const Replay& m_replay;
    std::size_t m_at = 0;
    std::uint64_t m_round = 0;
};

}  // namespace vex
