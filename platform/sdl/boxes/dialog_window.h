// A modal dialog: a small window of its own with text and push buttons, drawn with the same
// canvas as the game's window and at its scale. It runs its own event loop until it is
// answered; meanwhile the window behind takes no input and its timers stand still. A pad's
// south button answers it as Enter does, the east button as Escape.
#pragma once

#include "platform/sdl/draw/canvas.h"
#include "platform/sdl/draw/font_set.h"
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
    // The dialog lays out `width` x `height` pixels and shows each as `owner.scale` x
    // `owner.scale`, centred on the owner's window (on the screen while that is not shown).
    DialogWindow(const std::string& title, int width, int height, const DialogOwner& owner, FontSet& fonts);
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Shows the dialog and handles events until it is answered. Events that are not the
    // dialog's own go to `elsewhere` (the window behind asking to be redrawn, pads coming and
    // going). Returns true when the program was asked to quit meanwhile. A dialog that cannot be
    // shown throws RuntimeError: the game never goes on as if it had been answered.
    bool run(const std::function<void(const SDL_Event&)>& elsewhere);

protected:
    static constexpr TextStyle text_style{13, false};
    static constexpr Color face = colors::button_face;
    static constexpr Color ink = colors::button_text;
    static constexpr int button_width = 76;
    static constexpr int button_height = 24;

    // Buttons are numbered in the order added; the first is the default one (Enter).
    void add_button(const PixelRect& area, std::string caption);
    void finish() { m_finished = true; }

    virtual void paint(Canvas& canvas) = 0;
    virtual void key_pressed(SDL_Keycode key) = 0;
    virtual void text_typed(const char* /*text*/) {}
    virtual void button_clicked(std::size_t index) = 0;
    // The close box, or the program being asked to quit.
    virtual void dismissed() = 0;

private:
    struct Button {
        PixelRect area;
        std::string caption;
    };

    // Once hidden, until the keyboard and the pointer have left the dialog's window.
    void let_go_of_input();
    void redraw();
    void paint_button(std::size_t index);
    void handle(const SDL_Event& event, const std::function<void(const SDL_Event&)>& elsewhere);
    // The button under an output pixel of the dialog's window.
    std::size_t button_at(PixelPoint output) const;

    std::string m_title;
    std::string m_problem;  // why the dialog cannot be shown, when it cannot
    SDL_Window* m_owner;
    WindowHandle m_window;
    RendererHandle m_renderer;
    std::unique_ptr<Canvas> m_canvas;
    std::vector<Button> m_buttons;
    std::size_t m_pressed;
    Uint32 m_window_id = 0;
    bool m_finished = false;
    bool m_quit = false;
};

}  // namespace vex
