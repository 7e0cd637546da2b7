#include "platform/sdl/boxes/input_body.h"

#include "platform/layout/text_wrap.h"
#include "platform/layout/utf8.h"

#include <algorithm>

namespace vex {

namespace {

using box::button_height;
using box::button_width;
using box::ink;
using box::text_style;

constexpr int width = 372;
constexpr int height = 140;
constexpr int margin = 12;
constexpr int button_gap = 8;
constexpr PixelRect ok_area{width - margin - button_width, margin, button_width, button_height};
constexpr PixelRect cancel_area{ok_area.x, margin + button_height + button_gap, button_width, button_height};
constexpr PixelRect prompt_area{margin, margin, ok_area.x - 2 * margin, 80};
constexpr int field_height = 24;
constexpr PixelRect field_area{margin, height - margin - field_height, width - 2 * margin, field_height};
constexpr int field_padding = 4;
constexpr std::size_t ok_button = 0;

}  // namespace

InputBody::InputBody(std::string prompt, std::string default_text)
    : m_prompt(std::move(prompt)), m_text(std::move(default_text)) {}

PixelSize InputBody::size() const { return {width, height}; }

std::vector<BoxBody::Button> InputBody::buttons() const { return {{ok_area, "OK"}, {cancel_area, "Cancel"}}; }

void InputBody::paint(Canvas& canvas) {
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

bool InputBody::key_pressed(SDL_Keycode key) {
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        confirm();
        return true;
    case SDLK_ESCAPE:
        dismissed();
        return true;
    case SDLK_BACKSPACE:
        erase_last_character(m_text);
        return false;
    default:
        return false;
    }
}

void InputBody::text_typed(const char* text) { m_text += text; }

bool InputBody::button_clicked(std::size_t index) {
    if (index == ok_button) {
        confirm();
    } else {
        dismissed();
    }
    return true;
}

void InputBody::confirm() { m_answer = m_text; }

void InputBody::dismissed() { m_answer.clear(); }

}  // namespace vex
