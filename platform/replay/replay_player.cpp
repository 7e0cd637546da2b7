#include "platform/replay/replay_player.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vex {

namespace {

using Kind = ReplayEvent::Kind;

std::string_view word_of(Kind kind) {
    constexpr std::array<std::string_view, 8> words{"load", "round", "down", "up", "click", "cue", "answer", "ok"};
    return words.at(static_cast<std::size_t>(kind));
}

bool is_input(Kind kind) { return kind == Kind::KeyDown || kind == Kind::KeyUp || kind == Kind::Click; }

}  // namespace

void ReplayPlayer::damaged(const ReplayEvent& event, const std::string& what) const {
    throw ReplayStopped("line " + std::to_string(event.line) + ": " + what, true);
}

void ReplayPlayer::load() {
    const ReplayEvent* first = peek();
    if (first == nullptr || first->kind != Kind::Load) {
        throw ReplayStopped(first != nullptr ? "line " + std::to_string(first->line) + ": the first event must be 'load'"
                                             : "the file holds no events",
                            first != nullptr);
    }
    ++m_at;
    m_form.clock().set(first->clock);
    m_form.Form_Load();
}

std::optional<std::uint64_t> ReplayPlayer::next_round() const {
    for (std::size_t i = m_at; i < m_replay.events.size(); ++i) {
        const ReplayEvent& event = m_replay.events[i];
        if (event.kind == Kind::Round && event.round == m_round) {
            return event.clock;
        }
        if (event.round > m_round) {
            return m_round + 1;
        }
    }
    if (m_replay.result && m_replay.result->rounds > m_round) {
        return m_round + 1;
    }
    return std::nullopt;
}

bool ReplayPlayer::finished() const { return m_form.unloaded() || (peek() == nullptr && !next_round()); }

void ReplayPlayer::step() {
    while (const ReplayEvent* event = peek()) {
        if (m_form.unloaded()) {
            return;
        }
        if (event->round > m_round) {
            play_round(m_round + 1);
            return;
        }
        if (event->kind == Kind::Round) {
            ++m_at;
            play_round(event->clock);
            return;
        }
        if (!is_input(event->kind)) {
            damaged(*event, "'" + std::string(word_of(event->kind)) + "' where the game waits on nothing");
        }
        ++m_at;
        play_input(*event);
    }
    if (const auto round = next_round(); round && !m_form.unloaded()) {
        play_round(*round);
    }
}

void ReplayPlayer::play_to_end() {
    while (!finished()) {
        step();
    }
}

void ReplayPlayer::play_round(std::uint64_t round) {
    m_round = round;
    m_form.clock().set(round);
    m_form.raise_timers(round);
}

void ReplayPlayer::play_input(const ReplayEvent& event) {
    m_form.clock().set(event.clock);
    if (event.kind == Kind::Click) {
        const auto& controls = m_form.controls();
        const auto found = std::find_if(controls.begin(), controls.end(), [&](const Control* control) {
            return control->kind() == ControlKind::Label && control->name() == event.text;
        });
        if (found == controls.end()) {
            damaged(event, "the window has no label '" + event.text.substr(0, 40) + "' to click");
        }
        if (auto& label = static_cast<Label&>(**found); label.Click) {
            label.Click();
        }
    } else if (event.kind == Kind::KeyDown) {
        m_form.Form_KeyDown(event.code, event.shift);
    } else {
        m_form.Form_KeyUp(event.code, event.shift);
    }
}

const ReplayEvent& ReplayPlayer::take(Kind kind) {
    const ReplayEvent* event = peek();
    const std::string wanted = kind == Kind::Cue ? "plays a cue" : "opens a box";
    if (event == nullptr) {
        if (m_replay.result) {
            throw ReplayStopped("line " + std::to_string(m_replay.result_line) + ": the game " + wanted +
                                    " after the last event",
                                true);
        }
        throw ReplayStopped("the file ends while the game " + wanted, false);
    }
    if (event->kind != kind || event->round != m_round) {
        damaged(*event, "the game " + wanted + " in round " + std::to_string(m_round) + ", the file has '" +
                            std::string(word_of(event->kind)) + "' in round " + std::to_string(event->round));
    }
    ++m_at;
    return *event;
}

}  // namespace vex
