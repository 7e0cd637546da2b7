// The form's own window: opened hidden, given a renderer once the game can draw, fitted to the
// size the window manager gives it, switched to and from full screen, and presented.
#pragma once

#include "platform/form.h"
#include "platform/layout/geometry.h"
#include "platform/sdl/display_options.h"
#include "platform/sdl/desktop/window_placement.h"
#include "platform/sdl/draw/canvas.h"
#include "platform/sdl/draw/font_set.h"
#include "platform/sdl/draw/form_painter.h"
#include "platform/sdl/loop_observer.h"
#include "platform/sdl/sdl_handles.h"

#include <memory>
#include <optional>
#include <string>

namespace vex {

class MainWindow {
public:
    // The form's window, still hidden and with nothing to draw with yet. Throws StartFailure
    // when SDL cannot make it.
    MainWindow(const Form& form, const DisplayOptions& display, LoopObserver& observer);

    // The renderer, made once the name box is answered: the box shows without waiting for it.
    // Throws StartFailure when none can be made.
    void prepare_drawing(FontSet& fonts, Pictures pictures);
    void set_icon(SDL_Surface* icon) { SDL_SetWindowIcon(m_window.get(), icon); }
    // Presents the first frame, then maps the window and brings it to the front.
    void show(const Form& form);
    // From now on the window is not drawn again (what failed may be its drawing), and boxes no
    // longer belong to it.
    void give_up() { m_shown = false; }

    bool is(Uint32 window_id) const { return window_id == m_id; }
    bool shown() const { return m_shown; }
    SDL_Window* window() const { return m_window.get(); }
    // The scale its picture is shown at now.
    int picture_scale() const { return m_canvas ? m_canvas->viewport().scale : m_scale; }

    // Shows the form as it stands, when it changed and the window is shown.
    void present(const Form& form);
    // The next frame is drawn whole (a box may have covered the window).
    void redraw_whole();
    // The one handler of this window's own events (exposed, resized, maximised, moved), from the
    // loop and from boxes alike.
    void window_event(const SDL_WindowEvent& event, const Form& form);
    void toggle_full_screen();

    // The label under an output pixel of the window, if any.
    Label* label_at(const Form& form, PixelPoint output);

private:
    PixelSize own_size() const { return {m_picture.w * m_scale, m_picture.h * m_scale}; }
    void fit_to_window();
    void keep_fixed_size(PixelSize reported);
    void note_home(PixelPoint at);

    LoopObserver& m_observer;
    WindowHandle m_window;
    RendererHandle m_renderer;
    std::unique_ptr<Canvas> m_canvas;
    std::unique_ptr<FormPainter> m_painter;
    PixelSize m_picture;
    int m_scale = 1;  // in a window; full screen may show it larger
    Uint32 m_id = 0;
    WindowPlacement m_placement;
    bool m_shown = false;
    std::string m_caption;
};

}  // namespace vex
