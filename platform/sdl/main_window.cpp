#include "platform/sdl/main_window.h"

#include "platform/layout/hit_test.h"
#include "platform/layout/viewport.h"
#include "platform/sdl/desktop/desktop_dpi.h"
#include "platform/sdl/desktop/window_hints.h"
#include "platform/sdl/draw/renderer_choice.h"
#include "platform/sdl/start_failure.h"

#include <climits>
#include <string_view>

namespace vex {

namespace {

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

}  // namespace

MainWindow::MainWindow(const Form& form, const DisplayOptions& display, LoopObserver& observer)
    : m_observer(observer),
      m_picture(client_size(form)),
      m_scale(opening_scale(display, m_picture)),
      m_placement(display.fullscreen),
      m_caption(form.Caption) {
    const Uint32 flags = SDL_WINDOW_HIDDEN | (display.fullscreen ? Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP} : 0U);
    const PixelSize own = own_size();
    m_window.reset(SDL_CreateWindow(form.Caption.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, own.w,
                                    own.h, flags));
    if (!m_window) {
        throw StartFailure(std::string("Cannot open the window: ") + SDL_GetError());
    }
    // The size is fixed, and equal smallest and largest sizes tell every window manager so.
    SDL_SetWindowMinimumSize(m_window.get(), own.w, own.h);
    SDL_SetWindowMaximumSize(m_window.get(), own.w, own.h);
    m_id = SDL_GetWindowID(m_window.get());
}

void MainWindow::prepare_drawing(FontSet& fonts, Pictures pictures) {
    m_renderer = make_renderer(m_window.get());
    if (!m_renderer) {
        throw StartFailure(std::string("Cannot draw in the window: ") + SDL_GetError());
    }
    offer_close_button_only(m_window.get());
    m_canvas = std::make_unique<Canvas>(*m_renderer, fonts, std::move(pictures));
    m_painter = std::make_unique<FormPainter>(*m_canvas);
    fit_to_window();
}

void MainWindow::show(const Form& form) {
    m_shown = true;
    present(form);
    SDL_ShowWindow(m_window.get());
    SDL_RaiseWindow(m_window.get());
}

void MainWindow::present(const Form& form) {
    if (!m_shown) {
        return;
    }
    if (form.Caption != m_caption) {
        m_caption = form.Caption;
        SDL_SetWindowTitle(m_window.get(), m_caption.c_str());
    }
    if (m_painter->show(form)) {
        m_observer.frame_presented();
    }
}

void MainWindow::redraw_whole() {
    if (m_painter) {
        m_painter->invalidate();
    }
}

void MainWindow::window_event(const SDL_WindowEvent& event, const Form& form) {
    // Before the renderer is made the hidden window has nothing to show.
    if (!m_painter) {
        return;
    }
    switch (event.event) {
    case SDL_WINDOWEVENT_MOVED:
        note_home({event.data1, event.data2});
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        keep_fixed_size({event.data1, event.data2});
        fit_to_window();
        present(form);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        m_painter->invalidate();
        present(form);
        break;
    default:
        break;
    }
}

// Back from full screen the window manager gives the window its own size and place again.
// Setting the size here as well would move it: the window manager has not placed it yet, and SDL
// would put it back where it stood in full screen, shifted by the frame. Only a window that
// opened in full screen has no size of its own to go back to yet, and is given it.
void MainWindow::toggle_full_screen() {
    SDL_Window* window = m_window.get();
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (!full) {
        m_placement.full_screen_entered();
    } else if (m_placement.full_screen_left()) {
        const PixelSize own = own_size();
        SDL_SetWindowSize(window, own.w, own.h);
    }
    fit_to_window();
}

Label* MainWindow::label_at(const Form& form, PixelPoint output) {
    const auto caption_width = [this](const Label& label) { return m_painter->caption_width(label); };
    const PixelPoint at = m_canvas->viewport().to_picture(output);
    return vex::label_at(form, at.x, at.y, caption_width);
}

// The form's picture as large as whole pixels allow in the window, centred: the window's own
// size shows it at the window's scale, a full screen shows black around it. The next frame is
// drawn whole, as the window's pixels may have been lost or moved.
void MainWindow::fit_to_window() {
    PixelSize output;
    SDL_GetRendererOutputSize(m_renderer.get(), &output.w, &output.h);
    m_canvas->set_viewport(fit(output, m_picture), m_picture);
    m_painter->invalidate();
}

// A window manager that maximises or resizes the fixed-size window all the same has it back: the
// picture would sit in black. Sizes reported while full screen is left are the window manager's
// steps on its way back, not the player's.
void MainWindow::keep_fixed_size(PixelSize reported) {
    SDL_Window* window = m_window.get();
    const Uint32 flags = SDL_GetWindowFlags(window);
    if ((flags & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        return;
    }
    if ((flags & SDL_WINDOW_MAXIMIZED) != 0) {
        SDL_RestoreWindow(window);
        m_placement.sent_away();
        return;
    }
    const PixelSize own = own_size();
    if (m_placement.size_reported(reported == own)) {
        return;
    }
    PixelSize now;
    SDL_GetWindowSize(window, &now.w, &now.h);
    if (now != own) {
        SDL_SetWindowSize(window, own.w, own.h);
        m_placement.sent_away();
    } else if (const auto home = m_placement.back_home(reported == own)) {
        // Some window managers give the size back but leave the window where they had put it.
        SDL_SetWindowPosition(window, home->x, home->y);
    }
}

// Notes where the player keeps the window, while it stands at its own size.
void MainWindow::note_home(PixelPoint at) {
    const Uint32 flags = SDL_GetWindowFlags(m_window.get());
    PixelSize now;
    SDL_GetWindowSize(m_window.get(), &now.w, &now.h);
    const bool own = (flags & (SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_MAXIMIZED)) == 0 && now == own_size();
    m_placement.moved(at, own);
}

}  // namespace vex
