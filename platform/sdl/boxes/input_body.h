// The input box's body: a prompt, an edit field and OK and Cancel buttons.
#pragma once

#include "platform/sdl/boxes/box_body.h"

#include <string>

namespace vex {

class InputBody : public BoxBody {
public:
    InputBody(std::string prompt, std::string default_text);

    // The text confirmed with OK or Enter; empty when cancelled.
    const std::string& answer() const { return m_answer; }

    PixelSize size() const override;
    std::vector<Button> buttons() const override;
    bool takes_text() const override { return true; }
    void paint(Canvas& canvas) override;
    bool key_pressed(SDL_Keycode key) override;
    void text_typed(const char* text) override;
    bool button_clicked(std::size_t index) override;
    void dismissed() override;

private:
    void confirm();

    std::string m_prompt;
    std::string m_text;
    std::string m_answer;
};

}  // namespace vex
