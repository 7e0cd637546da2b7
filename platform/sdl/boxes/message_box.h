// The modal message box: an icon, the message and an OK button.
#pragma once

#include "platform/runtime.h"
#include "platform/sdl/boxes/dialog_window.h"

#include <string>
#include <vector>

namespace vex {

class MessageBox : public DialogWindow {
public:
    MessageBox(const std::string& text, MessageIcon icon, const std::string& title, const DialogOwner& owner,
               FontSet& fonts);

private:
    // The message broken into lines, and the dialog's size around them.
    struct Layout {
        std::vector<std::string> lines;
        int text_width = 0;
        int width = 0;
        int height = 0;
    };
    static Layout lay_out(const std::string& text, FontSet& fonts);
    MessageBox(Layout layout, MessageIcon icon, const std::string& title, const DialogOwner& owner, FontSet& fonts);

    void paint(Canvas& canvas) override;
    void key_pressed(SDL_Keycode key) override;
    void button_clicked(std::size_t index) override;
    void dismissed() override;

    Layout m_layout;
    MessageIcon m_icon;
};

}  // namespace vex
