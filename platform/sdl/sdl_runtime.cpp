#include "platform/sdl/sdl_runtime.h"

#include "platform/paths.h"
#include "platform/random.h"
#include "platform/record_place.h"
#include "platform/runtime_error.h"
#include "platform/sdl/audio/sound_player.h"
#include "platform/sdl/boxes/dialog_window.h"
#include "platform/sdl/boxes/input_body.h"
#include "platform/sdl/boxes/message_body.h"
#include "platform/sdl/desktop/data_folder.h"
#include "platform/sdl/desktop/video_subsystem.h"
#include "platform/sdl/draw/font_set.h"
#include "platform/sdl/draw/picture_file.h"
#include "platform/sdl/event_loop.h"
#include "platform/sdl/input/gamepads.h"
#include "platform/sdl/input/key_bindings.h"
#include "platform/sdl/main_window.h"
#include "platform/sdl/real_clock.h"
#include "platform/sdl/start_failure.h"

#include <iostream>
#include <optional>
#include <utility>

namespace vex {

namespace {

constexpr int failed = 1;

StartFailure missing_font(const std::string& font) {
    return StartFailure("The font " + font + " is missing or damaged.",
                        "The font\n" + font + "\nis missing or damaged, so the game cannot show its text.\n"
                                              "Reinstall the game.");
}

}  // namespace

// One run of a form: its window, its clock, and the services its handlers call.
struct SdlRuntime::Session {
    explicit Session(const PlayerSettings& settings)
        : pads(settings.buttons, settings.deadzone), keys(settings.keys), sound(settings.volume, settings.mute) {}

    bool done() const { return form->unloaded() || quit; }

    // Shows the form as it stands before something blocks, so the player sees what they wait on.
    void present_before_blocking() {
        if (main) {
            main->present(*form);
        }
    }

    void resume_clock() {
        if (form != nullptr) {
            clock.sync(*form);
        }
    }

    // Boxes belong to the window once it is shown, carry its icon and are shown at the scale its
    // picture has now.
    DialogOwner dialog_owner() const {
        DialogOwner owner;
        owner.icon = icon.get();
        if (main) {
            owner.window = main->shown() ? main->window() : nullptr;
            owner.scale = main->picture_scale();
        }
        return owner;
    }

    // Runs a box over the form's window; the form takes no input and no ticks meanwhile. Pads
    // plugged in or out meanwhile are followed; what they press is the box's. Once the player
    // asked to quit (the close box, a signal), no further box holds the game up.
    void show_box(const std::string& title, BoxBody& body) {
        if (!video.ready() || quit) {
            return;
        }
        present_before_blocking();
        observer->box_opening();
        DialogWindow box(title, body, dialog_owner(), fonts);
        box.close_after(close_boxes_after_ms);
        const auto elsewhere = [this](const SDL_Event& event) {
            if (event.type == SDL_WINDOWEVENT && main && main->is(event.window.windowID)) {
                main->window_event(event.window, *form);
            } else {
                pads.handle(event);
            }
        };
        if (box.run(elsewhere, *observer)) {
            quit = true;
        }
        // The box may have covered the window, and not every server says what it uncovered.
        if (main) {
            main->redraw_whole();
        }
        resume_clock();
        if (SDL_Window* owner = dialog_owner().window) {
            SDL_RaiseWindow(owner);
        }
        observer->box_closed();
    }

    VideoSubsystem video;
    Gamepads pads;
    KeyBindings keys;
    FontSet fonts;
    SoundPlayer sound;
    UniformRandom random;
    LoopObserver nobody;
    LoopObserver* observer = &nobody;
    Form* form = nullptr;
    std::optional<MainWindow> main;
    SurfaceHandle icon;
    RealClock clock;
    bool quit = false;
    std::uint32_t close_boxes_after_ms = 0;
};

SdlRuntime::SdlRuntime(const PlayerSettings& settings)
    : SdlRuntime(find_data_folder(running_program_folder(), VEX_INSTALLED_DATA), settings) {}

SdlRuntime::SdlRuntime(std::filesystem::path data_folder, const PlayerSettings& settings)
    : m_data_folder(std::move(data_folder)),
      m_record_folder(choose_record_folder(m_data_folder, record_writable_in(m_data_folder), player_data_folder)),
      m_display{settings.scale, settings.fullscreen},
      m_session(std::make_unique<Session>(settings)) {}

SdlRuntime::~SdlRuntime() = default;

void SdlRuntime::set_observer(LoopObserver& observer) { m_session->observer = &observer; }

void SdlRuntime::close_boxes_after(std::uint32_t ms) { m_session->close_boxes_after_ms = ms; }

int SdlRuntime::run(Form& form) { return run(form, nullptr); }

int SdlRuntime::run(Form& form, ReplayPlayer& replay) { return run(form, &replay); }

// Every failure to start, and every fault a handler lets escape, is told here once: a line on
// standard error, and a box for the player (the desktop's own where the game's fonts are missing).
int SdlRuntime::run(Form& form, ReplayPlayer* replay) {
    Session& session = *m_session;
    int status = 0;
    try {
        start(form, replay);
        if (!session.done()) {
            EventLoop loop(form, *session.main, session.pads, session.keys, session.clock, session.quit, *session.observer,
                           [&session] { session.sound.toggle_mute(); });
            replay != nullptr ? loop.run(*replay) : loop.run();
        }
    } catch (const StartFailure& failure) {
        std::cerr << failure.what() << '\n';
        if (!failure.desktop_box().empty()) {
            SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, form.Caption.c_str(), failure.desktop_box().c_str(),
                                     nullptr);
        }
        status = failed;
    } catch (const RuntimeError& error) {
        if (session.main) {
            session.main->give_up();
        }
        std::cerr << error.what() << '\n';
        try {
            message_box(error.what(), MessageIcon::Critical, form.Caption);
        } catch (const RuntimeError&) {
            // No box can be shown (the error may be just that): standard error has said it all.
        }
        status = failed;
    }
    session.main.reset();
    session.icon.reset();
    session.form = nullptr;
    return status;
}

void SdlRuntime::start(Form& form, ReplayPlayer* replay) {
    Session& session = *m_session;
    if (const Status fonts = session.fonts.open_faces(); !fonts) {
        throw missing_font(fonts.reason());
    }
    if (!session.video.ready()) {
        throw StartFailure(session.video.problem());
    }
    session.form = &form;
    session.main.emplace(form, m_display, *session.observer);
    session.quit = false;
    session.clock.start();
    session.observer->loop_starting();
    session.icon = require_icon_file(m_data_folder / form.icon());
    session.main->set_icon(session.icon.get());
    // Every picture is checked before the name box: one that cannot be shown never costs a game.
    Pictures pictures = require_form_pictures(form, m_data_folder);
    session.clock.sync(form);
    // Loaded while the window is still hidden, so the name box shows alone.
    replay != nullptr ? replay->load() : form.load();
    if (!session.done()) {
        session.main->prepare_drawing(session.fonts, std::move(pictures));
        session.main->show(form);
    }
}

void SdlRuntime::play_sound(const std::string& game_path) {
    Session& session = *m_session;
    // Once the program is asked to quit, the handler runs to its end with no more cues or boxes.
    if (session.quit) {
        return;
    }
    session.present_before_blocking();
    const std::filesystem::path file = native_path(m_data_folder, game_path);
    session.observer->cue_started(file);
    if (session.sound.play(file) == SoundPlayer::Outcome::Stopped) {
        session.quit = true;
    }
    session.observer->cue_ended();
    session.resume_clock();
}

std::string SdlRuntime::input_box(const std::string& prompt, const std::string& title,
                                  const std::string& default_text) {
    InputBody body(prompt, default_text);
    m_session->show_box(title, body);
    return body.answer();
}

void SdlRuntime::message_box(const std::string& text, MessageIcon icon, const std::string& title) {
    MessageBody body(text, icon, m_session->fonts);
    m_session->show_box(title, body);
}

double SdlRuntime::random() { return m_session->random.next(); }

}  // namespace vex
