#include "platform/sdl/sdl_runtime.h"

#include "platform/paths.h"
#include "platform/random.h"
#include "platform/record_place.h"
#include "platform/runtime_error.h"
#include "platform/wav_header.h"
#include "platform/sdl/draw/canvas.h"
#include "platform/sdl/data_folder.h"
#include "platform/sdl/desktop/desktop_dpi.h"
#include "platform/sdl/draw/font_set.h"
#include "platform/sdl/draw/form_painter.h"
#include "platform/sdl/frame_trace.h"
#include "platform/sdl/input/gamepads.h"
#include "platform/layout/hit_test.h"
#include "platform/sdl/boxes/input_box.h"
#include "platform/sdl/input/key_map.h"
#include "platform/sdl/boxes/message_box.h"
#include "platform/sdl/draw/picture_file.h"
#include "platform/sdl/draw/renderer_choice.h"
#include "platform/sdl/audio/sound_player.h"
#include "platform/sdl/desktop/video_drivers.h"
#include "platform/layout/viewport.h"
#include "platform/sdl/desktop/window_hints.h"
#include "platform/sdl/desktop/x11_errors.h"

#include <chrono>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace vex {

namespace {

// Owns the video subsystem for as long as the runtime lives. A driver that shows nothing (SDL's
// offscreen and dummy drivers, its last resort without a display) is taken only when asked for by
// name: otherwise the player would wait on windows nobody can see.
class VideoSubsystem {
public:
    VideoSubsystem() {
        // The click that brings the window to the front counts, as on any desktop and as every
        // click does in the headless backend. SDL drops a press that it handles within 10 ms of
        // the focus: when the game is busy with a cue, both are handled together afterwards.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        // On Wayland, SDL 2.26 drawing window frames through libdecor crashed as the game window
        // showed after a box closed (weston, libdecor 0.1). Without it, the compositor draws
        // the frames where it offers to; SDL_VIDEO_WAYLAND_ALLOW_LIBDECOR=1 still asks for it.
        SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
        ignore_lost_wakeups();
        const bool driver_named = SDL_GetHint(SDL_HINT_VIDEODRIVER) != nullptr;
        if (!driver_named) {
            leave_out_unreachable_wayland();
        }
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            m_problem = driver_named ? std::string("Cannot start the video system: ") + SDL_GetError() : no_display;
            return;
        }
        m_ready = true;
        // Windows drawn in software hand their pixels to the server as they are (X11 shares the
        // memory): SDL would otherwise carry them through an OpenGL texture of a context of its
        // own, which on a driver without a GPU costs more than all of the drawing.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        // Typed text is wanted only while an input box is open.
        SDL_StopTextInput();
        const std::string_view driver = SDL_GetCurrentVideoDriver();
        if ((driver == "offscreen" || driver == "dummy") && !driver_named) {
            m_problem = no_display;
        }
    }
    ~VideoSubsystem() {
        if (m_ready) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
    VideoSubsystem(const VideoSubsystem&) = delete;
    VideoSubsystem& operator=(const VideoSubsystem&) = delete;

    // Whether windows can be opened and seen.
    bool ready() const { return m_ready && m_problem.empty(); }
    // Why not, in one line.
    const std::string& problem() const { return m_problem; }

private:
    static constexpr const char* no_display =
        "Cannot open a display: neither an X11 display (DISPLAY) nor a Wayland display (WAYLAND_DISPLAY) answered; "
        "SDL_VIDEODRIVER may name another video driver";

    // Where no compositor can be reached, SDL is told to try every driver but Wayland's, so that
    // the Wayland library does not print its own complaint before ours.
    static void leave_out_unreachable_wayland() {
        if (wayland_reachable(std::getenv("WAYLAND_SOCKET"), std::getenv("WAYLAND_DISPLAY"),
                              std::getenv("XDG_RUNTIME_DIR"))) {
            return;
        }
        std::vector<std::string> drivers;
        for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
            drivers.emplace_back(SDL_GetVideoDriver(i));
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers_except(drivers, "wayland").c_str());
    }

    bool m_ready = false;
    std::string m_problem;
};

// The form's own window and what draws into it.
struct MainWindow {
    WindowHandle window;
    RendererHandle renderer;
    std::unique_ptr<Canvas> canvas;
    std::unique_ptr<FormPainter> painter;
    PixelSize picture;
    int scale = 1;  // in a window; full screen may show it larger
    Uint32 id = 0;
    // Out of full screen until the window manager has given the window its own size back.
    bool leaving_full_screen = false;
    // Whether the window manager has had the window at its own size, to give back after full
    // screen: not yet when it opened in full screen.
    bool placed = false;
    // Where the window last stood at its own size, and whether it is on its way back there from
    // a size the window manager forced on it.
    std::optional<PixelPoint> home;
    bool going_home = false;
    bool shown = false;
    std::string caption;
};

// The form's picture as large as whole pixels allow in the window, centred: the window's own
// size shows it at the window's scale, a full screen shows black around it. The next frame is
// drawn whole, as the window's pixels may have been lost or moved.
void fit_to_window(MainWindow& main) {
    PixelSize output;
    SDL_GetRendererOutputSize(main.renderer.get(), &output.w, &output.h);
    main.canvas->set_viewport(fit(output, main.picture), main.picture);
    main.painter->invalidate();
}

PixelSize own_size(const MainWindow& main) { return {main.picture.w * main.scale, main.picture.h * main.scale}; }

// Back from full screen the window manager gives the window its own size and place again.
// Setting the size here as well would move it: the window manager has not placed it yet, and SDL
// would put it back where it stood in full screen, shifted by the frame. Only a window that
// opened in full screen has no size of its own to go back to yet, and is given it.
void toggle_full_screen(MainWindow& main) {
    SDL_Window* window = main.window.get();
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (full && !main.placed) {
        const PixelSize own = own_size(main);
        SDL_SetWindowSize(window, own.w, own.h);
    }
    main.leaving_full_screen = full && main.placed;
    fit_to_window(main);
}

// A window manager that maximises or resizes the fixed-size window all the same has it back: the
// picture would sit in black. Sizes reported while full screen is left are the window manager's
// steps on its way back, not the player's.
void keep_fixed_size(MainWindow& main, PixelSize reported) {
    SDL_Window* window = main.window.get();
    const Uint32 flags = SDL_GetWindowFlags(window);
    if ((flags & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        return;
    }
    if ((flags & SDL_WINDOW_MAXIMIZED) != 0) {
        SDL_RestoreWindow(window);
        main.going_home = true;
        return;
    }
    const PixelSize own = own_size(main);
    main.placed = main.placed || reported == own;
    if (main.leaving_full_screen) {
        main.leaving_full_screen = reported != own;
        return;
    }
    PixelSize now;
    SDL_GetWindowSize(window, &now.w, &now.h);
    if (now != own) {
        SDL_SetWindowSize(window, own.w, own.h);
        main.going_home = true;
    } else if (main.going_home && reported == own) {
        // Some window managers give the size back but leave the window where they had put it.
        main.going_home = false;
        if (main.home) {
            SDL_SetWindowPosition(window, main.home->x, main.home->y);
        }
    }
}

// Notes where the player keeps the window, while it stands at its own size.
void note_home(MainWindow& main, PixelPoint at) {
    const Uint32 flags = SDL_GetWindowFlags(main.window.get());
    PixelSize now;
    SDL_GetWindowSize(main.window.get(), &now.w, &now.h);
    if ((flags & (SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_MAXIMIZED)) == 0 && now == own_size(main) &&
        !main.leaving_full_screen && !main.going_home) {
        main.home = at;
    }
}

// The dots per inch the first display is taken to have: on X11 the desktop's own choice where it
// makes one, else the one the display's physical size gives. (A Wayland compositor scales the
// window by its output's scale itself: SDL's windows there are sized in the output's units.)
std::optional<float> display_dpi() {
    if (std::string_view(SDL_GetCurrentVideoDriver()) == "x11") {
        if (const auto dpi = x11_desktop_dpi()) {
            return dpi;
        }
    }
    float dpi = 0;
    return SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) == 0 && dpi > 0 ? std::optional<float>(dpi) : std::nullopt;
}

// The scale a window opens at on the first display.
int opening_scale(const DisplayOptions& display, PixelSize picture) {
    SDL_Rect usable{0, 0, INT_MAX, INT_MAX};
    SDL_GetDisplayUsableBounds(0, &usable);
    return window_scale(display.scale, display_dpi(), {usable.w, usable.h}, picture);
}

// F11, and Enter with Alt held, switch full screen on and off.
bool toggles_full_screen(const SDL_Keysym& key) {
    return key.sym == SDLK_F11 ||
           ((key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) && (key.mod & KMOD_ALT) != 0);
}

// The current tick of the 64 Hz clock, counted from `start` (an SDL performance counter value).
std::uint64_t real_tick(Uint64 start) {
    return (SDL_GetPerformanceCounter() - start) * TickClock::ticks_per_second / SDL_GetPerformanceFrequency();
}

// Waits for an event until tick `tick` begins: in whole milliseconds through SDL, then the rest
// asleep to the nanosecond, so ticks keep their pace without the wait ever spinning. Returns true
// with `event` filled when one came.
bool wait_event_until(Uint64 start, std::uint64_t tick, SDL_Event& event) {
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 begins = start + (tick * frequency + TickClock::ticks_per_second - 1) / TickClock::ticks_per_second;
    const auto ns_left = [&] {
        const Uint64 now = SDL_GetPerformanceCounter();
        return begins > now ? (begins - now) * 1'000'000'000U / frequency : 0;
    };
    if (const Uint64 whole_ms = ns_left() / 1'000'000U; whole_ms > 0 && SDL_WaitEventTimeout(&event, static_cast<int>(whole_ms)) != 0) {
        return true;
    }
    std::this_thread::sleep_for(std::chrono::nanoseconds(ns_left()));
    return false;
}

void present(MainWindow& main, const Form& form) {
    if (form.Caption != main.caption) {
        main.caption = form.Caption;
        SDL_SetWindowTitle(main.window.get(), main.caption.c_str());
    }
    if (main.painter->show(form)) {
        trace::frame();
    }
}

// The form's window, still hidden and with nothing to draw with yet.
std::optional<MainWindow> open_main_window(const Form& form, const DisplayOptions& display) {
    MainWindow main;
    main.picture = client_size(form);
    main.scale = opening_scale(display, main.picture);
    const Uint32 flags = SDL_WINDOW_HIDDEN | (display.fullscreen ? Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP} : 0U);
    main.window.reset(SDL_CreateWindow(form.Caption.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                       main.picture.w * main.scale, main.picture.h * main.scale, flags));
    if (!main.window) {
        return std::nullopt;
    }
    // The size is fixed, and equal smallest and largest sizes tell every window manager so.
    const PixelSize own = own_size(main);
    SDL_SetWindowMinimumSize(main.window.get(), own.w, own.h);
    SDL_SetWindowMaximumSize(main.window.get(), own.w, own.h);
    main.id = SDL_GetWindowID(main.window.get());
    main.caption = form.Caption;
    return main;
}

// The renderer of the form's window, created once the name box is answered: the box shows without
// waiting for it.
bool prepare_drawing(MainWindow& main, FontSet& fonts, Pictures pictures) {
    main.renderer = make_renderer(main.window.get());
    if (!main.renderer) {
        return false;
    }
    offer_close_button_only(main.window.get());
    main.canvas = std::make_unique<Canvas>(*main.renderer, fonts, std::move(pictures));
    main.painter = std::make_unique<FormPainter>(*main.canvas);
    fit_to_window(main);
    return true;
}

}  // namespace

// One run of a form: its window, its clock and the input on its way to a click.
struct SdlRuntime::Session {
    bool done() const { return form->unloaded() || quit; }

    // Sets the form's clock to the real tick, as every handler expects to find it: when it starts
    // and again after a sound or a dialog held it, so a timer it enables next starts from there.
    std::uint64_t sync_clock() {
        const std::uint64_t now = real_tick(clock_start);
        form->clock().set(now);
        return now;
    }

    // Until the form unloads or its window is closed: queued input first, then the timers due,
    // then at most one frame per tick, then sleep until the next event or tick.
    void run_loop() {
        std::uint64_t presented = std::numeric_limits<std::uint64_t>::max();
        SDL_Event event;
        while (!done()) {
            while (!done() && SDL_PollEvent(&event) != 0) {
                handle(event);
            }
            if (done()) {
                break;
            }
            const std::uint64_t now = sync_clock();
            if (now != presented) {
                trace::tick(now);
            }
            form->raise_timers(now);
            if (done()) {
                break;
            }
            if (now != presented) {
                present(*main, *form);
                presented = now;
            }
            if (wait_event_until(clock_start, now + 1, event)) {
                handle(event);
            }
        }
    }

    void handle(const SDL_Event& event) {
        trace::event(event);
        switch (event.type) {
        case SDL_QUIT:
            quit = true;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.windowID == main->id && event.window.event == SDL_WINDOWEVENT_CLOSE) {
                quit = true;
            } else if (event.window.windowID == main->id && event.window.event == SDL_WINDOWEVENT_MOVED) {
                note_home(*main, {event.window.data1, event.window.data2});
            } else if (event.window.windowID == main->id && (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                                                            event.window.event == SDL_WINDOWEVENT_MAXIMIZED)) {
                keep_fixed_size(*main, {event.window.data1, event.window.data2});
                fit_to_window(*main);
                present(*main, *form);
            } else if (event.window.windowID == main->id && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                main->painter->invalidate();
                present(*main, *form);
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (event.key.windowID == main->id) {
                key(event.key);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.windowID == main->id && event.button.button == SDL_BUTTON_LEFT) {
                mouse_button(event.button);
            }
            break;
        default:
            for (const KeyChange& change : pads.handle(event)) {
                send_key(change.code, change.down, 0);
                if (done()) {
                    break;
                }
            }
            break;
        }
    }

    void send_key(std::int16_t code, bool down, std::int16_t shift) {
        sync_clock();
        if (down) {
            form->Form_KeyDown(code, shift);
        } else {
            form->Form_KeyUp(code, shift);
        }
    }

    void key(const SDL_KeyboardEvent& event) {
        // The release of a full-screen key is the window's too, Alt let go first or not.
        if (event.type == SDL_KEYDOWN && toggles_full_screen(event.keysym)) {
            full_screen_key = event.keysym.sym;
            if (event.repeat == 0) {
                toggle_full_screen(*main);
            }
            return;
        }
        if (event.type == SDL_KEYUP && (event.keysym.sym == full_screen_key || event.keysym.sym == SDLK_F11)) {
            full_screen_key = SDLK_UNKNOWN;
            return;
        }
        if (const auto code = virtual_key(event.keysym.sym)) {
            send_key(*code, event.type == SDL_KEYDOWN, shift_state(event.keysym.mod));
        }
    }

    // A click is a press and a release on the same label.
    void mouse_button(const SDL_MouseButtonEvent& event) {
        const auto caption_width = [this](const Label& label) { return main->painter->caption_width(label); };
        const PixelPoint at = main->canvas->viewport().to_picture({event.x, event.y});
        Label* under = label_at(*form, at.x, at.y, caption_width);
        if (event.type == SDL_MOUSEBUTTONDOWN) {
            pressed_label = under;
            return;
        }
        Label* pressed = std::exchange(pressed_label, nullptr);
        if (pressed != nullptr && pressed == under && pressed->Click) {
            sync_clock();
            pressed->Click();
        }
    }

    // Shows the form as it stands before something blocks, so the player sees what they wait on.
    void present_before_blocking() {
        if (main && main->shown) {
            present(*main, *form);
        }
    }

    void resume_clock() {
        if (form != nullptr) {
            sync_clock();
        }
    }

    // Boxes belong to the window once it is shown, carry its icon and are shown at the scale its
    // picture has now.
    DialogOwner dialog_owner() const {
        DialogOwner owner;
        owner.icon = icon.get();
        if (main) {
            owner.window = main->shown ? main->window.get() : nullptr;
            owner.scale = main->canvas ? main->canvas->viewport().scale : main->scale;
        }
        return owner;
    }

    // Runs a dialog over the form's window; the form takes no input and no ticks meanwhile.
    // Pads plugged in or out meanwhile are followed; what they press is the dialog's.
    void run_dialog(DialogWindow& dialog) {
        const auto elsewhere = [this](const SDL_Event& event) {
            if (event.type == SDL_WINDOWEVENT && main && main->canvas && event.window.windowID == main->id &&
                (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
                fit_to_window(*main);
                present_before_blocking();
            } else {
                pads.handle(event);
            }
        };
        if (dialog.run(elsewhere)) {
            quit = true;
        }
        // The box may have covered the window, and not every server says what it uncovered.
        if (main && main->painter) {
            main->painter->invalidate();
        }
        resume_clock();
        if (SDL_Window* owner = dialog_owner().window) {
            SDL_RaiseWindow(owner);
        }
    }

    VideoSubsystem video;
    Gamepads pads;
    FontSet fonts;
    SoundPlayer sound;
    UniformRandom random;
    std::optional<MainWindow> main;
    SurfaceHandle icon;
    Form* form = nullptr;
    Uint64 clock_start = 0;
    Label* pressed_label = nullptr;
    SDL_Keycode full_screen_key = SDLK_UNKNOWN;
    bool quit = false;
};

SdlRuntime::SdlRuntime(DisplayOptions display)
    : SdlRuntime(find_data_folder(running_program_folder(), VEX_INSTALLED_DATA), display) {}

SdlRuntime::SdlRuntime(std::filesystem::path data_folder, DisplayOptions display)
    : m_data_folder(std::move(data_folder)),
      m_record_folder(choose_record_folder(m_data_folder, record_writable_in(m_data_folder), player_data_folder)),
      m_display(display),
      m_session(std::make_unique<Session>()) {}

SdlRuntime::~SdlRuntime() = default;

int SdlRuntime::run(Form& form) {
    Session& session = *m_session;
    if (const Status fonts = session.fonts.open_faces(); !fonts) {
        report_missing_font(fonts.reason(), form.Caption);
        return 1;
    }
    if (!session.video.ready()) {
        std::cerr << session.video.problem() << '\n';
        return 1;
    }
    session.main = open_main_window(form, m_display);
    if (!session.main) {
        std::cerr << "Cannot open the window: " << SDL_GetError() << '\n';
        return 1;
    }
    session.form = &form;
    session.quit = false;
    session.clock_start = SDL_GetPerformanceCounter();
    trace::watch_server_times();
    int status = 0;
    try {
        session.icon = require_icon_file(m_data_folder / form.icon());
        SDL_SetWindowIcon(session.main->window.get(), session.icon.get());
        // Every picture is checked before the name box: one that cannot be shown never costs a game.
        Pictures pictures = require_form_pictures(form, m_data_folder);
        session.sync_clock();
        // Loaded while the window is still hidden, so the name box shows alone.
        form.Form_Load();
        if (!session.done() && !prepare_drawing(*session.main, session.fonts, std::move(pictures))) {
            std::cerr << "Cannot draw in the window: " << SDL_GetError() << '\n';
            status = 1;
        } else if (!session.done()) {
            present(*session.main, form);
            SDL_ShowWindow(session.main->window.get());
            SDL_RaiseWindow(session.main->window.get());
            session.main->shown = true;
            session.main->placed = !m_display.fullscreen;
            session.run_loop();
        }
    } catch (const RuntimeError& error) {
        // The window is not drawn again: what failed may be its drawing.
        session.main->shown = false;
        std::cerr << error.what() << '\n';
        try {
            message_box(error.what(), MessageIcon::Critical, form.Caption);
        } catch (const RuntimeError&) {
            // No box can be shown (the error may be just that): standard error has said it all.
        }
        status = 1;
    }
    session.main.reset();
    session.icon.reset();
    session.form = nullptr;
    session.pressed_label = nullptr;
    return status;
}

void SdlRuntime::play_sound(const std::string& game_path) {
    // Once the program is asked to quit, the handler runs to its end with no more cues or boxes.
    if (m_session->quit) {
        return;
    }
    m_session->present_before_blocking();
    const std::filesystem::path file = native_path(m_data_folder, game_path);
    trace::begin("cue", trace::active() ? wav_length_ms(file).value_or(0) : 0);
    if (m_session->sound.play(file) == SoundPlayer::Outcome::Stopped) {
        m_session->quit = true;
    }
    trace::end("cue");
    m_session->resume_clock();
}

std::string SdlRuntime::input_box(const std::string& prompt, const std::string& title,
                                  const std::string& default_text) {
    Session& session = *m_session;
    // Once the player asked to quit (the close box, a signal), no further box holds the game up.
    if (!session.video.ready() || session.quit) {
        return {};
    }
    session.present_before_blocking();
    trace::begin("box", 0);
    InputBox box(prompt, title, default_text, session.dialog_owner(), session.fonts);
    session.run_dialog(box);
    trace::end("box");
    return box.answer();
}

void SdlRuntime::message_box(const std::string& text, MessageIcon icon, const std::string& title) {
    Session& session = *m_session;
    if (!session.video.ready() || session.quit) {
        return;
    }
    session.present_before_blocking();
    trace::begin("box", 0);
    MessageBox box(text, icon, title, session.dialog_owner(), session.fonts);
    session.run_dialog(box);
    trace::end("box");
}

double SdlRuntime::random() { return m_session->random.next(); }

}  // namespace vex
