// The modal input box: a prompt, an edit field and OK and Cancel buttons.
#pragma once

#include "platform/sdl/boxes/dialog_window.h"

#include <string>

namespace vex {

class InputBox : public DialogWindow {
public:
    InputBox(std::string prompt, const std::string& title, std::string default_text, const DialogOwner& owner,
             FontSet& fonts);
    ~InputBox() override;
    InputBox(const InputBox&) = delete;
    InputBox& operator=(const InputBox&) = delete;

    // The text confirmed with OK or Enter; empty when cancelled.
    const std::string& answer() const { return m_answer; }

private:
    void paint(Canvas& canvas) override;
    void key_pressed(SDL_Keycode key) override;
    void text_typed(const char* text) override;
    void button_clicked(std::size_t index) override;
    void dismissed() override;
    void confirm();

    std::string m_prompt;
    std::string m_text;
    std::string m_answer;
};

}  // namespace vex
