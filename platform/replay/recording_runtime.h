// Records a session as it is played: wraps the runtime the game uses and journals the form's
// input, so each key, click, clock round, cue and box answer becomes a line of a replay file,
// flushed as it is written so that a crash or a kill keeps what was played.
#pragma once

#include "platform/form.h"
#include "platform/random.h"
#include "platform/replay/replay_file.h"
#include "platform/runtime.h"

#include <fstream>
#include <memory>
#include <string>

namespace vex {

class RecordingRuntime : public Runtime, public InputJournal {
public:
    // Nothing is written until start().
    RecordingRuntime(Runtime& inner, const std::filesystem::path& file);

    // Writes the header: the seed and the record file's bytes (nullopt: it could not be read).
    // Fails when the file cannot be created.
    Status start(const std::optional<std::string>& record);
    // Journals `form` from now on.
    void attach(Form& form);
    // Writes the result line.
    void finish(ReplayResult result);
    std::uint64_t last_round() const { return m_round; }
    // Why a line could not be written, once one could not.
    const std::optional<std::string>& write_problem() const { return m_write_problem; }

    // Runtime
    void play_sound(const std::string& game_path) override;
    std::string input_box(const std::string& prompt, const std::string& title, const std::string& default_text) override;
    void message_box(const std::string& text, MessageIcon icon, const std::string& title) override;
    double random() override { return m_random.next(); }
    const std::filesystem::path& record_folder() const override { return m_inner.record_folder(); }

    // InputJournal
    void loaded(std::uint64_t clock) override;
    void round(std::uint64_t now) override;
    void key(bool down, std::int16_t code, std::int16_t shift, std::uint64_t clock) override;
    void click(const std::string& label, std::uint64_t clock) override;

private:
    void write(const std::string& line);
    void event(std::uint64_t clock, const std::string& what);
    std::uint64_t clock() const { return m_form != nullptr ? m_form->clock().now() : 0; }

    Runtime& m_inner;
    std::filesystem::path m_path;
    std::ofstream m_file;
    UniformRandom m_random;
    Form* m_form = nullptr;
    std::uint64_t m_round = 0;
    std::uint64_t m_round_written = 0;
    std::optional<std::string> m_write_problem;
};

}  // namespace vex
