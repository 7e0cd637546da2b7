#include "platform/sdl/boxes/input_box.h"

#include "platform/layout/text_wrap.h"
#include "platform/layout/utf8.h"

namespace vex {

namespace {

constexpr int width = 372;
constexpr int height = 140;
constexpr int margin = 12;
constexpr PixelRect ok_area{width - margin - 76, margin, 76, 24};
constexpr PixelRect cancel_area{width - margin - 76, margin + 32, 76, 24};
constexpr PixelRect prompt_area{margin, margin, ok_area.x - 2 * margin, 80};
constexpr PixelRect field_area{margin, height - margin - 24, width - 2 * margin, 24};
constexpr int field_padding = 4;
constexpr std::size_t ok_button = 0;

}  // namespace

InputBox::InputBox(std::string prompt, const std::string& title, std::string default_text, const DialogOwner& owner,
                   FontSet& fonts)
    : DialogWindow(title, width, height, owner, fonts), m_prompt(std::move(prompt)), m_text(std::move(default_text)) {
    add_button(ok_area, "OK");
    add_button(cancel_area, "Cancel");
    SDL_StartTextInput();
}

InputBox::~InputBox() { SDL_StopTextInput(); }

void InputBox::paint(Canvas& canvas) {
    canvas.clip(prompt_area);
    const auto measure = [&](std::string_view text) { return canvas.text_width(text, text_style); };
    int y = prompt_area.y;
    for (const std::string& line : wrap_words(m_prompt, prompt_area.w, measure)) {
        canvas.text(line, prompt_area.x, y, text_style, ink);
        y += canvas.line_height(text_style);
    }
    canvas.clip(std::nullopt);
    canvas.fill(field_area, colors::white);
    canvas.outline(field_area, colors::grey);
    const PixelRect inside{field_area.x + field_padding, field_area.y + 1, field_area.w - 2 * field_padding,
                           field_area.h - 2};
    canvas.clip(inside);
    // Text longer than the field scrolls left so the caret stays in view.
    const int text_width = measure(m_text);
    const int x = inside.x + std::min(0, inside.w - 2 - text_width);
    const int text_y = inside.y + (inside.h - canvas.line_height(text_style)) / 2;
    canvas.text(m_text, x, text_y, text_style, ink);
    const int caret_x = x + text_width + 1;
    canvas.line(caret_x, inside.y + 3, caret_x, inside.y + inside.h - 4, ink, 1);
    canvas.clip(std::nullopt);
}

void InputBox::key_pressed(SDL_Keycode key) {
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        confirm();
        break;
    case SDLK_ESCAPE:
        dismissed();
        break;
    case SDLK_BACKSPACE:
        erase_last_character(m_text);
        break;
    default:
        break;
    }
}

void InputBox::text_typed(const char* text) { m_text += text; }

void InputBox::button_clicked(std::size_t index) {
    if (index == ok_button) {
        confirm();
    } else {
        dismissed();
    }
}

void InputBox::confirm() {
    m_answer = m_text;
    finish();
}

void InputBox::dismissed() {
    m_answer.clear();
    finish();
}

}  // namespace vex
