// What a box shows inside its window (a prompt and an edit field, or a message and an icon) and
// how it answers keys and buttons. The window around it, its buttons and its modal loop are the
// DialogWindow's.
#pragma once

#include "platform/sdl/draw/canvas.h"

#include <SDL.h>

#include <cstddef>
#include <string>
#include <vector>

namespace vex {

// The measures and colours every box shares.
namespace box {
constexpr TextStyle text_style{13, false};
constexpr Color face = colors::button_face;
constexpr Color ink = colors::button_text;
constexpr int button_width = 76;
constexpr int button_height = 24;
}  // namespace box

class BoxBody {
public:
    struct Button {
        PixelRect area;
        std::string caption;
    };

    virtual ~BoxBody() = default;

    // The box's size in its own pixels.
    virtual PixelSize size() const = 0;
    // The buttons in order; the first is the default one (Enter).
    virtual std::vector<Button> buttons() const = 0;
    // Whether the box takes typed text.
    virtual bool takes_text() const { return false; }

    virtual void paint(Canvas& canvas) = 0;
    // Each returns true once the box is answered.
    virtual bool key_pressed(SDL_Keycode key) = 0;
    virtual void text_typed(const char* /*text*/) {}
    virtual bool button_clicked(std::size_t index) = 0;
    // The close box, or the program being asked to quit.
    virtual void dismissed() = 0;
};

}  // namespace vex
