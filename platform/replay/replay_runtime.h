// The runtime a replayed game sees: each cue and box takes its line from the file, so the box is
// answered and the clock moves on as recorded; random draws come from the file's seed and the
// record lives in a folder of the replay's own, never the player's. With an inner runtime (the
// window) cues are played and boxes shown too, each closing by itself.
#pragma once

#include "platform/random.h"
#include "platform/replay/replay_player.h"
#include "platform/runtime.h"

#include <filesystem>

namespace vex {

class ReplayRuntime : public Runtime {
public:
    // `inner`, when there is one, must show a box with its default text and close it by itself.
    ReplayRuntime(std::uint32_t seed, std::filesystem::path record_folder, Runtime* inner = nullptr)
        : m_random(seed), m_record_folder(std::move(record_folder)), m_inner(inner) {}
    // The player whose file answers; set before the form is loaded.
    void set_player(ReplayPlayer& player) { m_player = &player; }

    void play_sound(const std::string& game_path) override;
    std::string input_box(const std::string& prompt, const std::string& title, const std::string& default_text) override;
    void message_box(const std::string& text, MessageIcon icon, const std::string& title) override;
    double random() override { return m_random.next(); }
    const std::filesystem::path& record_folder() const override { return m_record_folder; }

private:
    ReplayPlayer& player();
    // After the cue or box: the clock where the recording had it.
    void resume(const ReplayEvent& event) { player().form().clock().set(event.clock); }

    UniformRandom m_random;
    std::filesystem::path m_record_folder;
    Runtime* m_inner;
    ReplayPlayer* m_player = nullptr;
};

}  // namespace vex
