#include "platform/sdl/boxes/message_body.h"

#include "platform/layout/text_wrap.h"

#include <algorithm>

namespace vex {

namespace {

using box::button_height;
using box::button_width;
using box::ink;
using box::text_style;

constexpr int margin = 16;
constexpr int icon_size = 32;
constexpr int text_left = margin + icon_size + margin;
constexpr int widest_text = 380;
constexpr int narrowest_box = 220;
constexpr int gap_above_button = 16;
constexpr int margin_below_button = 12;
constexpr TextStyle icon_letter_style{24, true};

int text_height(const std::vector<std::string>& lines, TTF_Font* font) {
    return static_cast<int>(lines.size()) * (font != nullptr ? TTF_FontLineSkip(font) : 0);
}

}  // namespace

// Laid out before the box's window and canvas exist: the box is sized around its lines.
MessageBody::MessageBody(const std::string& text, MessageIcon icon, FontSet& fonts) : m_icon(icon) {
    TTF_Font* font = fonts.font(text_style);
    const auto measure = [font](std::string_view piece) {
        int width = 0;
        if (font != nullptr && !piece.empty()) {
            TTF_SizeUTF8(font, std::string(piece).c_str(), &width, nullptr);
        }
        return width;
    };
    m_lines = wrap_words(text, widest_text, measure);
    int text_width = 0;
    for (const std::string& line : m_lines) {
        text_width = std::max(text_width, measure(line));
    }
    m_size.w = std::max(narrowest_box, text_left + text_width + margin + 8);
    m_size.h = margin + std::max(icon_size, text_height(m_lines, font)) + gap_above_button + button_height +
               margin_below_button;
}

std::vector<BoxBody::Button> MessageBody::buttons() const {
    return {{{(m_size.w - button_width) / 2, m_size.h - margin_below_button - button_height, button_width,
              button_height},
             "OK"}};
}

void MessageBody::paint(Canvas& canvas) {
    const int radius = icon_size / 2;
    const int center_x = margin + radius;
    const int center_y = margin + radius;
    if (m_icon == MessageIcon::Information) {
        canvas.filled_circle(center_x, center_y, radius, colors::blue);
        const int letter_x = center_x - canvas.text_width("i", icon_letter_style) / 2;
        const int letter_y = center_y - canvas.line_height(icon_letter_style) / 2;
        canvas.text("i", letter_x, letter_y, icon_letter_style, colors::white);
    } else {
        canvas.filled_circle(center_x, center_y, radius, colors::red);
        const int arm = radius / 2;
        canvas.line(center_x - arm, center_y - arm, center_x + arm, center_y + arm, colors::white, 3);
        canvas.line(center_x - arm, center_y + arm, center_x + arm, center_y - arm, colors::white, 3);
    }
    const int line_height = canvas.line_height(text_style);
    const int block = line_height * static_cast<int>(m_lines.size());
    int y = margin + std::max(0, (icon_size - block) / 2);
    for (const std::string& line : m_lines) {
        canvas.text(line, text_left, y, text_style, ink);
        y += line_height;
    }
}

bool MessageBody::key_pressed(SDL_Keycode key) {
    return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE || key == SDLK_SPACE;
}

bool MessageBody::button_clicked(std::size_t /*index*/) { return true; }

}  // namespace vex
