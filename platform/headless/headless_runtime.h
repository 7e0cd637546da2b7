// The test backend: the same timer service as the real window, on a virtual clock that tests
// advance tick by tick; dialogs answered from a script; sounds recorded in the order played.
#pragma once

#include "platform/form.h"
#include "platform/headless/window_state.h"
#include "platform/random.h"
#include "platform/runtime.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vex {

// Thrown when the game opens a dialog that the test did not script.
class UnexpectedDialog : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class HeadlessRuntime : public Runtime {
public:
    explicit HeadlessRuntime(std::filesystem::path data_folder);

    struct Dialog {
        enum class Kind { InputBox, MessageBox } kind;
        std::string text;  // prompt or message
        std::string title;
        MessageIcon icon = MessageIcon::Information;
        std::uint64_t tick = 0;  // virtual time when it opened
    };
    // A moment the game blocked on, a cue ("pop2.wav") or a box ("Game Info: GAME OVER"), with
    // the state of the window the player was looking at meanwhile.
    struct Moment {
        std::string what;
        WindowState state;
    };
    struct Sound {
        std::string game_path;       // as the game asked for it
        std::uint64_t tick = 0;      // virtual time when it started
        std::uint64_t length = 0;    // ticks it held the game; 0 when it could not be played
    };

    // Scripting. Each dialog the game opens takes the next scripted answer.
    void answer_input_box(std::string text);
    void answer_message_box();
    // Answers each dialog that finds no scripted answer waiting: the text for an input box; for a
    // message box the result is ignored. Without it such a dialog throws UnexpectedDialog.
    void answer_unscripted(std::function<std::string(const Dialog&)> answerer) { m_answerer = std::move(answerer); }
    // Draws returned by random() before the generator's own sequence resumes.
    void inject_random(const std::vector<double>& draws);

    // Driving the form: load it, then feed it input and clock ticks. Input is handled at once,
    // as the real loop handles queued input before the next round of timers.
    void load(Form& form);
    void key_down(std::int16_t key_code, std::int16_t shift = 0);
    void key_up(std::int16_t key_code, std::int16_t shift = 0);
    // Raises the label's Click while it is shown.
    void click(Label& label);
    // Runs `ticks` rounds of the clock, one tick apart.
    void advance(std::uint64_t ticks = 1);
    std::uint64_t now() const;

    const std::vector<Dialog>& dialogs() const { return m_dialogs; }
    const std::vector<Sound>& sounds() const { return m_sounds; }
    const std::vector<Moment>& moments() const { return m_moments; }
    // Drops the boxes, cues and moments recorded so far, so that a long run holds only its own state.
    void forget_history();
    // Runs `action` on the loaded form and tells each moment it blocked on, as "cue or box | what
    // changed on screen since the moment before" (see changes()), then "after | what changed since
    // the last moment". The first moment's changes count from the state before the action.
    std::vector<std::string> story(const std::function<void()>& action);
    // Sound file names in the order played ("pop2.wav", ...).
    std::vector<std::string> sound_names() const;
    std::size_t unanswered_dialogs() const { return m_answers.size(); }

    // Runtime
    void play_sound(const std::string& game_path) override;
    std::string input_box(const std::string& prompt, const std::string& title, const std::string& default_text) override;
    void message_box(const std::string& text, MessageIcon icon, const std::string& title) override;
    double random() override;
    const std::filesystem::path& record_folder() const override { return m_data_folder; }

private:
    std::string take_answer(Dialog::Kind kind, const std::string& text);
    void record_moment(std::string what);
    Form& form() const;

    std::filesystem::path m_data_folder;
    Form* m_form = nullptr;
    UniformRandom m_random;
    std::deque<double> m_injected;
    struct Answer {
        Dialog::Kind kind;
        std::string text;
    };
    std::deque<Answer> m_answers;
    std::function<std::string(const Dialog&)> m_answerer;
    std::vector<Dialog> m_dialogs;
    std::vector<Sound> m_sounds;
    std::vector<Moment> m_moments;
};

}  // namespace vex
