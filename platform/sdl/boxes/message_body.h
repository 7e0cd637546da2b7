// The message box's body: an icon, the message and an OK button.
#pragma once

#include "platform/runtime.h"
#include "platform/sdl/boxes/box_body.h"
#include "platform/sdl/draw/font_set.h"

#include <string>
#include <vector>

namespace vex {

class MessageBody : public BoxBody {
public:
    // The message is laid out with the box's font from `fonts`.
    MessageBody(const std::string& text, MessageIcon icon, FontSet& fonts);

    PixelSize size() const override { return m_size; }
    std::vector<Button> buttons() const override;
    void paint(Canvas& canvas) override;
    bool key_pressed(SDL_Keycode key) override;
    bool button_clicked(std::size_t index) override;
    void dismissed() override {}

private:
    std::vector<std::string> m_lines;
    PixelSize m_size;
    MessageIcon m_icon;
};

}  // namespace vex
