#include "platform/sdl/boxes/dialog_window.h"

#include "platform/runtime_error.h"
#include "platform/sdl/input/gamepads.h"
#include "platform/sdl/draw/renderer_choice.h"
#include "platform/layout/viewport.h"
#include "platform/sdl/desktop/window_hints.h"

#include <algorithm>
#include <string_view>

namespace vex {

namespace {

using box::face;
using box::ink;
using box::text_style;

constexpr std::size_t no_button = static_cast<std::size_t>(-1);
constexpr Color bevel_light = colors::white;
constexpr Color bevel_dark = colors::grey;
constexpr Uint32 poll_ms = 10;
constexpr Uint32 leave_wait_ms = 2000;

// Where a dialog of `size` opens: centred on the owner's window as it stands now, else on the
// screen.
PixelPoint dialog_place(SDL_Window* owner, PixelSize size) {
    if (owner == nullptr) {
        return {static_cast<int>(SDL_WINDOWPOS_CENTERED), static_cast<int>(SDL_WINDOWPOS_CENTERED)};
    }
    PixelRect window;
    SDL_GetWindowPosition(owner, &window.x, &window.y);
    SDL_GetWindowSize(owner, &window.w, &window.h);
    SDL_Rect usable{window.x, window.y, window.w, window.h};
    SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(owner)), &usable);
    return centre_on(window, size, {usable.x, usable.y, usable.w, usable.h});
}

}  // namespace

DialogWindow::DialogWindow(const std::string& title, BoxBody& body, const DialogOwner& owner, FontSet& fonts)
    : m_title(title), m_body(body), m_buttons(body.buttons()), m_owner(owner.window), m_pressed(no_button) {
    const PixelSize picture = body.size();
    const PixelSize size{picture.w * owner.scale, picture.h * owner.scale};
    const PixelPoint place = dialog_place(owner.window, size);
    m_window.reset(SDL_CreateWindow(title.c_str(), place.x, place.y, size.w, size.h, SDL_WINDOW_HIDDEN));
    if (!m_window) {
        m_problem = SDL_GetError();
        return;
    }
    m_window_id = SDL_GetWindowID(m_window.get());
    m_renderer = make_renderer(m_window.get());
    if (!m_renderer) {
        m_problem = SDL_GetError();
        return;
    }
    m_canvas = std::make_unique<Canvas>(*m_renderer, fonts, Pictures{});
    m_canvas->set_viewport({owner.scale, 0, 0}, picture);
    if (owner.icon != nullptr) {
        SDL_SetWindowIcon(m_window.get(), owner.icon);
    }
    make_dialog_box(m_window.get(), owner.window);
    if (m_body.takes_text()) {
        SDL_StartTextInput();
    }
}

DialogWindow::~DialogWindow() {
    if (m_body.takes_text()) {
        SDL_StopTextInput();
    }
}

bool DialogWindow::run(const std::function<void(const SDL_Event&)>& elsewhere, LoopObserver& observer) {
    if (!m_canvas) {
        throw RuntimeError("Cannot show the box \"" + m_title + "\": " + m_problem);
    }
    // Drawn once mapped: what is drawn into a window not yet on screen is lost.
    SDL_ShowWindow(m_window.get());
    // Said again once shown: on Wayland a window has no role to take a parent by until then.
    if (m_owner != nullptr) {
        SDL_SetWindowModalFor(m_window.get(), m_owner);
    }
    SDL_RaiseWindow(m_window.get());
    redraw();
    observer.box_shown();
    const Uint64 closes_at = m_close_after_ms != 0 ? SDL_GetTicks64() + m_close_after_ms : 0;
    while (!m_finished) {
        if (closes_at != 0 && SDL_GetTicks64() >= closes_at) {
            break;
        }
        // Polled, never waited for: while it waits, SDL 2.26 on X11 follows every event it queues
        // with a wake-up message to the newest window, sent over a second connection. The server
        // may take that message only after this window is destroyed, and the BadWindow error that
        // follows ends the program.
        SDL_Event event;
        if (SDL_PollEvent(&event) == 0) {
            SDL_Delay(poll_ms);
            continue;
        }
        handle(event, elsewhere);
        if (!m_finished) {
            redraw();
        }
    }
    SDL_HideWindow(m_window.get());
    let_go_of_input();
    return m_quit;
}

void DialogWindow::let_go_of_input() {
    // SDL 2.26's Wayland driver keeps its own note of the window that has the keyboard and the
    // pointer until the compositor says they left it; were the box destroyed first, the next key
    // or motion would be read through a window freed already, and the program would crash. The
    // hidden box waits for them to leave (the compositor says so at once as the box unmaps).
    if (std::string_view(SDL_GetCurrentVideoDriver()) != "wayland") {
        return;
    }
    const Uint32 deadline = SDL_GetTicks() + leave_wait_ms;
    while ((SDL_GetKeyboardFocus() == m_window.get() || SDL_GetMouseFocus() == m_window.get()) &&
           !SDL_TICKS_PASSED(SDL_GetTicks(), deadline)) {
        SDL_PumpEvents();
        SDL_Delay(poll_ms);
    }
}

void DialogWindow::handle(const SDL_Event& event, const std::function<void(const SDL_Event&)>& elsewhere) {
    switch (event.type) {
    case SDL_QUIT:
        m_quit = true;
        dismiss();
        break;
    case SDL_WINDOWEVENT:
        if (event.window.windowID == m_window_id && event.window.event == SDL_WINDOWEVENT_CLOSE) {
            dismiss();
        } else if (event.window.windowID != m_window_id) {
            // Some window managers let a click bring the game's window over its box, or give
            // it the keyboard: the box comes back in front and takes the keyboard again.
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                SDL_RaiseWindow(m_window.get());
            }
            elsewhere(event);
        }
        break;
    case SDL_KEYDOWN:
        if (event.key.windowID == m_window_id) {
            key_pressed(event.key.keysym.sym);
        }
        break;
    case SDL_TEXTINPUT:
        if (event.text.windowID == m_window_id) {
            m_body.text_typed(event.text.text);
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
        if (const auto key = dialog_key(event.cbutton)) {
            key_pressed(*key);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.windowID == m_window_id && event.button.button == SDL_BUTTON_LEFT) {
            m_pressed = button_at({event.button.x, event.button.y});
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.windowID == m_window_id && event.button.button == SDL_BUTTON_LEFT) {
            const std::size_t released = button_at({event.button.x, event.button.y});
            const std::size_t pressed = m_pressed;
            m_pressed = no_button;
            if (released != no_button && released == pressed) {
                m_finished = m_body.button_clicked(released);
            }
        }
        break;
    default:
        elsewhere(event);
        break;
    }
}

void DialogWindow::key_pressed(SDL_Keycode key) { m_finished = m_body.key_pressed(key); }

void DialogWindow::dismiss() {
    m_body.dismissed();
    m_finished = true;
}

std::size_t DialogWindow::button_at(PixelPoint output) const {
    const PixelPoint at = m_canvas->viewport().to_picture(output);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i].area.contains(at.x, at.y)) {
            return i;
        }
    }
    return no_button;
}

void DialogWindow::redraw() {
    m_canvas->clip(std::nullopt);
    m_canvas->clear(face);
    m_body.paint(*m_canvas);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        paint_button(i);
    }
    m_canvas->present();
}

void DialogWindow::paint_button(std::size_t index) {
    const BoxBody::Button& button = m_buttons[index];
    const PixelRect& area = button.area;
    const bool pressed = index == m_pressed;
    m_canvas->fill(area, face);
    // The default button carries a black rim; a pressed one looks pushed in.
    const bool is_default = index == 0;
    const PixelRect bevel = is_default ? PixelRect{area.x + 1, area.y + 1, area.w - 2, area.h - 2} : area;
    if (is_default) {
        m_canvas->outline(area, ink);
    }
    const Color top_left = pressed ? bevel_dark : bevel_light;
    const Color bottom_right = pressed ? bevel_light : ink;
    const int right = bevel.x + bevel.w - 1;
    const int bottom = bevel.y + bevel.h - 1;
    m_canvas->line(bevel.x, bevel.y, right, bevel.y, top_left, 1);
    m_canvas->line(bevel.x, bevel.y, bevel.x, bottom, top_left, 1);
    m_canvas->line(bevel.x, bottom, right, bottom, bottom_right, 1);
    m_canvas->line(right, bevel.y, right, bottom, bottom_right, 1);
    if (!pressed) {
        m_canvas->line(bevel.x + 1, bottom - 1, right - 1, bottom - 1, bevel_dark, 1);
        m_canvas->line(right - 1, bevel.y + 1, right - 1, bottom - 1, bevel_dark, 1);
    }
    const int shift = pressed ? 1 : 0;
    const int text_x = area.x + (area.w - m_canvas->text_width(button.caption, text_style)) / 2 + shift;
    const int text_y = area.y + (area.h - m_canvas->line_height(text_style)) / 2 + shift;
    m_canvas->text(button.caption, text_x, text_y, text_style, ink);
}

}  // namespace vex
