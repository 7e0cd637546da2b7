#include "platform/sdl/sdl_runtime.h"

#include "platform/paths.h"
#include "platform/random.h"
#include "platform/runtime_error.h"
#include "platform/sdl/canvas.h"
#include "platform/sdl/font_set.h"
#include "platform/sdl/form_painter.h"
#include "platform/sdl/hit_test.h"
#include "platform/sdl/input_box.h"
#include "platform/sdl/key_map.h"
#include "platform/sdl/message_box.h"
#include "platform/sdl/picture_file.h"
#include "platform/sdl/sound_player.h"

#include <algorithm>
#include <iostream>
#include <limits>
#include <optional>
#include <utility>

namespace vex {

namespace {

// Owns the video subsystem for as long as the runtime lives.
class VideoSubsystem {
public:
    VideoSubsystem() : m_ready(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        // Typed text is wanted only while an input box is open.
        if (m_ready) {
            SDL_StopTextInput();
        }
    }
    ~VideoSubsystem() {
        if (m_ready) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
    VideoSubsystem(const VideoSubsystem&) = delete;
    VideoSubsystem& operator=(const VideoSubsystem&) = delete;

    bool ready() const { return m_ready; }

private:
    bool m_ready;
};

// The form's own window and what draws into it.
struct MainWindow {
    WindowHandle window;
    RendererHandle renderer;
    std::unique_ptr<Canvas> canvas;
    std::unique_ptr<FormPainter> painter;
    Uint32 id = 0;
    bool shown = false;
    std::string caption;
};

}  // namespace

struct SdlRuntime::Session {
    explicit Session(const std::filesystem::path& folder) : fonts(folder / "fonts") {}

    VideoSubsystem video;
    FontSet fonts;
    SoundPlayer sound;
    UniformRandom random;
    std::optional<MainWindow> main;
    Form* form = nullptr;
    Uint64 clock_start = 0;
    Label* pressed_label = nullptr;
    bool quit = false;
};

SdlRuntime::SdlRuntime() : SdlRuntime(executable_folder()) {}

SdlRuntime::SdlRuntime(std::filesystem::path program_folder)
    : m_folder(std::move(program_folder)), m_session(std::make_unique<Session>(m_folder)) {}

SdlRuntime::~SdlRuntime() = default;

namespace {

// The current tick of the 64 Hz clock, counted from `start` (SDL milliseconds).
std::uint64_t real_tick(Uint64 start) {
    return (SDL_GetTicks64() - start) * TickClock::ticks_per_second / 1000U;
}

// Milliseconds from now until tick `tick` begins; at least one, so a wait never spins.
Uint32 ms_until(Uint64 start, std::uint64_t tick) {
    const Uint64 begins = start + (tick * 1000U + TickClock::ticks_per_second - 1) / TickClock::ticks_per_second;
    const Uint64 now = SDL_GetTicks64();
    return static_cast<Uint32>(std::max<Uint64>(1, begins > now ? begins - now : 0));
}

std::uint64_t sync_clock(Form& form, Uint64 start) {
    const std::uint64_t now = real_tick(start);
    form.clock().set(now);
    return now;
}

void present(MainWindow& main, const Form& form) {
    if (form.Caption != main.caption) {
        main.caption = form.Caption;
        SDL_SetWindowTitle(main.window.get(), main.caption.c_str());
    }
    main.painter->paint(form);
    main.canvas->present();
}

std::optional<MainWindow> open_main_window(const Form& form, FontSet& fonts, const std::filesystem::path& folder) {
    MainWindow main;
    main.window.reset(SDL_CreateWindow(form.Caption.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                       to_pixels(form.client_width()), to_pixels(form.client_height()),
                                       SDL_WINDOW_HIDDEN));
    if (!main.window) {
        return std::nullopt;
    }
    main.renderer.reset(SDL_CreateRenderer(main.window.get(), -1, 0));
    if (!main.renderer) {
        return std::nullopt;
    }
    if (const SurfaceHandle icon = load_picture_file(folder / form.icon())) {
        SDL_SetWindowIcon(main.window.get(), icon.get());
    }
    main.id = SDL_GetWindowID(main.window.get());
    main.caption = form.Caption;
    main.canvas = std::make_unique<Canvas>(*main.renderer, fonts, folder);
    main.painter = std::make_unique<FormPainter>(*main.canvas);
    return main;
}

}  // namespace

int SdlRuntime::run(Form& form) {
    Session& session = *m_session;
    if (!session.video.ready()) {
        std::cerr << "Cannot start the video system: " << SDL_GetError() << '\n';
        return 1;
    }
    session.main = open_main_window(form, session.fonts, m_folder);
    if (!session.main) {
        std::cerr << "Cannot open the window: " << SDL_GetError() << '\n';
        return 1;
    }
    MainWindow& main = *session.main;
    session.form = &form;
    session.quit = false;
    session.clock_start = SDL_GetTicks64();
    const auto done = [&] { return form.unloaded() || session.quit; };
    const auto caption_width = [&](const Label& label) { return main.painter->caption_width(label); };
    const auto handle = [&](const SDL_Event& event) {
        switch (event.type) {
        case SDL_QUIT:
            session.quit = true;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.windowID == main.id && event.window.event == SDL_WINDOWEVENT_CLOSE) {
                session.quit = true;
            } else if (event.window.windowID == main.id && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                present(main, form);
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (event.key.windowID == main.id) {
                if (const auto code = virtual_key(event.key.keysym.sym)) {
                    sync_clock(form, session.clock_start);
                    const std::int16_t shift = shift_state(event.key.keysym.mod);
                    if (event.type == SDL_KEYDOWN) {
                        form.Form_KeyDown(*code, shift);
                    } else {
                        form.Form_KeyUp(*code, shift);
                    }
                }
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.windowID == main.id && event.button.button == SDL_BUTTON_LEFT) {
                session.pressed_label = label_at(form, event.button.x, event.button.y, caption_width);
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.windowID == main.id && event.button.button == SDL_BUTTON_LEFT) {
                Label* pressed = std::exchange(session.pressed_label, nullptr);
                // A click is a press and a release on the same label.
                if (pressed != nullptr && pressed == label_at(form, event.button.x, event.button.y, caption_width) &&
                    pressed->Click) {
                    sync_clock(form, session.clock_start);
                    pressed->Click();
                }
            }
            break;
        default:
            break;
        }
    };

    int status = 0;
    try {
        sync_clock(form, session.clock_start);
        form.Form_Load();
        if (!done()) {
            present(main, form);
            SDL_ShowWindow(main.window.get());
            SDL_RaiseWindow(main.window.get());
            main.shown = true;
        }
        std::uint64_t presented = std::numeric_limits<std::uint64_t>::max();
        SDL_Event event;
        while (!done()) {
            while (!done() && SDL_PollEvent(&event) != 0) {
                handle(event);
            }
            if (done()) {
                break;
            }
            const std::uint64_t now = sync_clock(form, session.clock_start);
            form.raise_timers(now);
            if (done()) {
                break;
            }
            if (now != presented) {
                present(main, form);
                presented = now;
            }
            if (SDL_WaitEventTimeout(&event, static_cast<int>(ms_until(session.clock_start, now + 1))) != 0) {
                handle(event);
            }
        }
    } catch (const RuntimeError& error) {
        message_box(error.what(), MessageIcon::Critical, form.Caption);
        status = 1;
    }
    session.main.reset();
    session.form = nullptr;
    session.pressed_label = nullptr;
    return status;
}

namespace {

// Shows the form as it stands before something blocks, so the player sees what they wait on.
void present_before_blocking(std::optional<MainWindow>& main, Form* form) {
    if (main && main->shown && form != nullptr) {
        present(*main, *form);
    }
}

}  // namespace

void SdlRuntime::play_sound(const std::string& game_path) {
    present_before_blocking(m_session->main, m_session->form);
    m_session->sound.play(native_path(m_folder, game_path));
}

namespace {

SDL_Window* dialog_owner(const std::optional<MainWindow>& main) {
    return main && main->shown ? main->window.get() : nullptr;
}

// Runs a dialog over the form's window; the form takes no input and no ticks meanwhile.
void run_dialog(DialogWindow& dialog, std::optional<MainWindow>& main, Form* form, bool& quit) {
    if (dialog.run([&] { present_before_blocking(main, form); })) {
        quit = true;
    }
    if (SDL_Window* owner = dialog_owner(main)) {
        SDL_RaiseWindow(owner);
    }
}

}  // namespace

std::string SdlRuntime::input_box(const std::string& prompt, const std::string& title,
                                  const std::string& default_text) {
    Session& session = *m_session;
    if (!session.video.ready()) {
        return {};
    }
    present_before_blocking(session.main, session.form);
    InputBox box(prompt, title, default_text, session.fonts, dialog_owner(session.main));
    run_dialog(box, session.main, session.form, session.quit);
    return box.answer();
}

void SdlRuntime::message_box(const std::string& text, MessageIcon icon, const std::string& title) {
    Session& session = *m_session;
    if (!session.video.ready()) {
        return;
    }
    present_before_blocking(session.main, session.form);
    MessageBox box(text, icon, title, session.fonts, dialog_owner(session.main));
    run_dialog(box, session.main, session.form, session.quit);
}

double SdlRuntime::random() { return m_session->random.next(); }

}  // namespace vex
