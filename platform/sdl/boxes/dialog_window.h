// A modal box: a small window of its own around a body (see BoxBody) and its push buttons, drawn
// with the same canvas as the game's window and at its scale. It runs its own event loop until it
// is answered; meanwhile the window behind takes no input and its timers stand still. A pad's
// south button answers it as Enter does, the east button as Escape.
#pragma once

#include "platform/sdl/boxes/box_body.h"
#include "platform/sdl/draw/canvas.h"
#include "platform/sdl/draw/font_set.h"
#include "platform/sdl/loop_observer.h"
#include "platform/sdl/sdl_handles.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vex {

// The game's window as a dialog sees it.
struct DialogOwner {
    SDL_Window* window = nullptr;  // nullptr while it is not shown yet
    SDL_Surface* icon = nullptr;   // the game's icon, shown by the dialog too
    int scale = 1;                 // the scale of the window's picture now
};

class DialogWindow {
public:
    // The dialog shows `body` (which outlives it) at `owner.scale`, centred on the owner's window
    // (on the screen while that is not shown).
    DialogWindow(const std::string& title, BoxBody& body, const DialogOwner& owner, FontSet& fonts);
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Shows the dialog and handles events until it is answered. Events that are not the
    // dialog's own go to `elsewhere` (the window behind asking to be redrawn, pads coming and
    // going). Returns true when the program was asked to quit meanwhile. A dialog that cannot be
    // shown throws RuntimeError: the game never goes on as if it had been answered.
    bool run(const std::function<void(const SDL_Event&)>& elsewhere, LoopObserver& observer);
    // Makes run() return by itself `ms` milliseconds after the box is shown, as if answered: a
    // replay shows its boxes this way.
    void close_after(Uint32 ms) { m_close_after_ms = ms; }

private:
    // Once hidden, until the keyboard and the pointer have left the dialog's window.
    void let_go_of_input();
    void redraw();
    void paint_button(std::size_t index);
    void handle(const SDL_Event& event, const std::function<void(const SDL_Event&)>& elsewhere);
    void key_pressed(SDL_Keycode key);
    void dismiss();
    // The button under an output pixel of the dialog's window.
    std::size_t button_at(PixelPoint output) const;

    std::string m_title;
    std::string m_problem;  // why the dialog cannot be shown, when it cannot
    BoxBody& m_body;
    std::vector<BoxBody::Button> m_buttons;
    SDL_Window* m_owner;
    WindowHandle m_window;
    RendererHandle m_renderer;
    std::unique_ptr<Canvas> m_canvas;
    std::size_t m_pressed;
    Uint32 m_window_id = 0;
    bool m_finished = false;
    bool m_quit = false;
    Uint32 m_close_after_ms = 0;
};

}  // namespace vex
