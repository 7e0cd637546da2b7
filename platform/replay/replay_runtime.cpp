#include "platform/replay/replay_runtime.h"

#include <stdexcept>

namespace vex {

ReplayPlayer& ReplayRuntime::player() {
    if (m_player == nullptr) {
        throw std::logic_error("a replay runtime needs its player before the game starts");
    }
    return *m_player;
}

void ReplayRuntime::play_sound(const std::string& game_path) {
    const ReplayEvent& event = player().take(ReplayEvent::Kind::Cue);
    if (m_inner != nullptr) {
        m_inner->play_sound(game_path);
    }
    resume(event);
}

std::string ReplayRuntime::input_box(const std::string& prompt, const std::string& title,
                                     const std::string& /*default_text*/) {
    const ReplayEvent& event = player().take(ReplayEvent::Kind::Answer);
    if (m_inner != nullptr) {
        m_inner->input_box(prompt, title, event.text);
    }
    resume(event);
    return event.text;
}

void ReplayRuntime::message_box(const std::string& text, MessageIcon icon, const std::string& title) {
    const ReplayEvent& event = player().take(ReplayEvent::Kind::Ok);
    if (m_inner != nullptr) {
        m_inner->message_box(text, icon, title);
    }
    resume(event);
}

}  // namespace vex
