#include "platform/replay/recording_runtime.h"

namespace vex {

RecordingRuntime::RecordingRuntime(Runtime& inner, const std::filesystem::path& file)
    : m_inner(inner), m_path(file) {}

Status RecordingRuntime::start(const std::optional<std::string>& record) {
    m_file.open(m_path, std::ios::binary | std::ios::trunc);
    if (!m_file) {
        return Failure{"cannot create the file"};
    }
    write(replay_version_line());
    write("seed " + std::to_string(m_random.seed()));
    write(record ? "record " + escape_line(*record) : "record-unreadable");
    if (m_write_problem) {
        return Failure{*m_write_problem};
    }
    return {};
}

void RecordingRuntime::attach(Form& form) {
    m_form = &form;
    form.set_journal(this);
}

void RecordingRuntime::finish(ReplayResult result) {
    result.rounds = m_round;
    write(replay_result_line(result));
}

void RecordingRuntime::write(const std::string& line) {
    if (m_write_problem) {
        return;
    }
    m_file << line << '\n' << std::flush;
    if (!m_file) {
        m_write_problem = "the replay " + m_path.string() + " could not be written to its end";
    }
}

void RecordingRuntime::event(std::uint64_t clock, const std::string& what) {
    write(replay_stamp(m_round, clock) + " " + what);
}

void RecordingRuntime::play_sound(const std::string& game_path) {
    m_inner.play_sound(game_path);
    event(clock(), "cue");
}

std::string RecordingRuntime::input_box(const std::string& prompt, const std::string& title,
                                        const std::string& default_text) {
    std::string answer = m_inner.input_box(prompt, title, default_text);
    event(clock(), "answer " + escape_line(answer));
    return answer;
}

void RecordingRuntime::message_box(const std::string& text, MessageIcon icon, const std::string& title) {
    m_inner.message_box(text, icon, title);
    event(clock(), "ok");
}

void RecordingRuntime::loaded(std::uint64_t clock) { event(clock, "load"); }

// A round one after the last is implied, but written once a second all the same so that a
// session killed in the middle keeps its last second; a round again at the same tick raises
// nothing.
void RecordingRuntime::round(std::uint64_t now) {
    if (now <= m_round) {
        return;
    }
    if (now != m_round + 1 || now >= m_round_written + TickClock::ticks_per_second) {
        event(now, "round");
        m_round_written = now;
    }
    m_round = now;
}

void RecordingRuntime::key(bool down, std::int16_t code, std::int16_t shift, std::uint64_t clock) {
    event(clock, (down ? "down " : "up ") + std::to_string(code) + " " + std::to_string(shift));
}

void RecordingRuntime::click(const std::string& label, std::uint64_t clock) {
    event(clock, "click " + escape_line(label));
}

}  // namespace vex
