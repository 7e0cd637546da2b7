// The real backend: the form in an SDL window, its timers on the real clock, our own dialogs,
// and WAV sounds through SDL audio.
#pragma once

#include "platform/form.h"
#include "platform/player_settings.h"
#include "platform/replay/replay_player.h"
#include "platform/runtime.h"
#include "platform/sdl/display_options.h"
#include "platform/sdl/loop_observer.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vex {

class SdlRuntime : public Runtime {
public:
    // The data folder (pictures, sounds, the first record) is the one beside the executable, else
    // the installed one. `settings` choose the window, the keys, the pads' buttons and the volume.
    explicit SdlRuntime(const PlayerSettings& settings = {});
    explicit SdlRuntime(std::filesystem::path data_folder, const PlayerSettings& settings = {});
    ~SdlRuntime() override;
    SdlRuntime(const SdlRuntime&) = delete;
    SdlRuntime& operator=(const SdlRuntime&) = delete;

    // Loads the form (its window still hidden), shows it and runs its events and timers until it
    // is unloaded or its window is closed; then returns 0. A RuntimeError escaping a handler is
    // shown in a critical message box titled with the form's caption, and run returns 1, as it
    // does when the game cannot start (no display, no window, no fonts, a damaged picture).
    // F11 and Alt+Enter switch between the window and full screen, and M the sound off and on
    // (unless the player bound it); the form never sees them. Pads act as keys (see Gamepads).
    int run(Form& form);
    // Runs the form as `replay` plays it: loaded by it, its rounds at the recorded pace, the
    // player's keys ignored but for Escape (see Form::key_down). A ReplayStopped escapes.
    int run(Form& form, ReplayPlayer& replay);
    // Each box from now on closes by itself after `ms` milliseconds.
    void close_boxes_after(std::uint32_t ms);
    // Tells `observer` (which outlives the runs) what the loop and the boxes do from now on.
    void set_observer(LoopObserver& observer);

    void play_sound(const std::string& game_path) override;
    std::string input_box(const std::string& prompt, const std::string& title,
                          const std::string& default_text) override;
    void message_box(const std::string& text, MessageIcon icon, const std::string& title) override;
    double random() override;
    const std::filesystem::path& record_folder() const override { return m_record_folder; }

private:
    struct Session;

    // Opens the window and loads the form; the window is shown unless the form is done already.
    void start(Form& form, ReplayPlayer* replay);
    int run(Form& form, ReplayPlayer* replay);

    std::filesystem::path m_data_folder;
    std::filesystem::path m_record_folder;
    DisplayOptions m_display;
    std::unique_ptr<Session> m_session;
};

}  // namespace vex
